# GoogleTest: the host's package natively; built from Debian's sources with the
# same toolchain when cross-compiling, so the tests run as Windows programs.
if(CMAKE_CROSSCOMPILING)
    set(NOX_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources to build with the target toolchain")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${NOX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    add_library(nox_gtest_main INTERFACE)
    target_link_libraries(nox_gtest_main INTERFACE gtest_main gmock)
else()
    find_package(GTest REQUIRED)
    add_library(nox_gtest_main INTERFACE)
    target_link_libraries(nox_gtest_main INTERFACE GTest::gtest_main GTest::gmock)
endif()
