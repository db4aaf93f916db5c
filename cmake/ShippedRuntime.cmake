# GCC's runtime libraries for the shipped 32-bit programs. The posix threading
# flavour of the mingw-w64 toolchain links winpthreads, which imports
# GetTickCount64 (Vista and later); the win32 flavour imports nothing newer than
# Windows 2000. The shipped programs use no C++ threading, so they link the
# win32 flavour's libraries (found first on the library path) while every
# program is compiled by the posix flavour, which the tests need for
# GoogleTest's std::mutex. NOX_SHIPPED_LINK_OPTIONS is empty elsewhere (other
# compilers, the 64-bit build).
set(NOX_SHIPPED_LINK_OPTIONS "")
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND DEFINED NOX_MINGW_TRIPLET)  # the cross toolchain of cmake/
    set(nox_win32_flavour_gcc ${NOX_MINGW_TRIPLET}-gcc-win32)
    execute_process(COMMAND ${nox_win32_flavour_gcc} -print-libgcc-file-name
                    OUTPUT_VARIABLE nox_win32_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE nox_win32_result ERROR_QUIET)
    if(NOT nox_win32_result EQUAL 0 OR NOT EXISTS "${nox_win32_libgcc}")
        message(FATAL_ERROR "${nox_win32_flavour_gcc} is missing (package g++-mingw-w64-i686-win32; scripts/setup "
                            "installs it): the shipped programs link its runtime libraries")
    endif()
    get_filename_component(nox_win32_runtime_dir "${nox_win32_libgcc}" DIRECTORY)
    set(NOX_SHIPPED_LINK_OPTIONS "-L${nox_win32_runtime_dir}")
endif()
