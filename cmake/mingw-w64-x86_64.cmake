# The same tree as 64-bit Windows programs: where Wine cannot run 32-bit
# programs (a kernel without 32-bit support), the Windows tests run from here.
set(NOX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;--x64)
