# Resources the build writes into NOX_GENERATED_RES_DIR: the application manifest for the build's
# architecture, and the Tools dialog template (Tools.rc) from the tool table, by
# tools/ToolsTemplateWriter.cpp, a program for the build machine. Where the build machine is the target
# (a build on Windows) that is an ordinary target; a cross build compiles it with the build machine's
# own C++ compiler.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(NOX_MANIFEST_ARCH amd64)
else()
    set(NOX_MANIFEST_ARCH x86)
endif()
set(NOX_GENERATED_RES_DIR ${CMAKE_BINARY_DIR}/res)
configure_file(${CMAKE_SOURCE_DIR}/res/noxLauncher.manifest.in ${NOX_GENERATED_RES_DIR}/noxLauncher.manifest @ONLY)

set(NOX_TOOLS_RC ${NOX_GENERATED_RES_DIR}/Tools.rc)
set(nox_writer_sources ${CMAKE_SOURCE_DIR}/tools/ToolsTemplateWriter.cpp)
if(CMAKE_CROSSCOMPILING)
    find_program(NOX_HOST_CXX NAMES c++ g++ clang++ REQUIRED DOC "C++ compiler for the programs the build runs")
    set(nox_writer ${NOX_GENERATED_RES_DIR}/ToolsTemplateWriter)
    add_custom_command(OUTPUT ${nox_writer}
        COMMAND ${NOX_HOST_CXX} -std=c++17 -Wall -Wextra -Werror -I ${CMAKE_SOURCE_DIR} ${nox_writer_sources}
                -o ${nox_writer}
        DEPENDS ${nox_writer_sources} ${CMAKE_SOURCE_DIR}/launch/ToolTable.h ${CMAKE_SOURCE_DIR}/ui/ToolsGrid.h
                ${CMAKE_SOURCE_DIR}/res/resource.h
        COMMENT "Tools dialog template writer for the build machine"
        VERBATIM)
else()
    add_executable(ToolsTemplateWriter ${nox_writer_sources})
    target_include_directories(ToolsTemplateWriter PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(ToolsTemplateWriter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NOX_GENERATED_RES_DIR})
    nox_set_warnings(ToolsTemplateWriter)
    set(nox_writer ToolsTemplateWriter)
endif()
add_custom_command(OUTPUT ${NOX_TOOLS_RC}
    COMMAND ${nox_writer} ${NOX_TOOLS_RC}
    DEPENDS ${nox_writer}
    COMMENT "Tools dialog template from the tool table"
    VERBATIM)
add_custom_target(nox_generated_resources DEPENDS ${NOX_TOOLS_RC})

# For a target that compiles res/noxLauncher.rc, the Tools template or the manifest: the generated
# folder on its include path, written before it builds.
function(nox_use_generated_resources target)
    target_include_directories(${target} PRIVATE ${NOX_GENERATED_RES_DIR})
    add_dependencies(${target} nox_generated_resources)
endfunction()
