# Shared part of the mingw-w64 cross toolchains (posix threads: GoogleTest
# needs std::mutex). Expects NOX_MINGW_TRIPLET. Test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${NOX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NOX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NOX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NOX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the executables import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Release executables carry no symbols: a third of the size, a faster start.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
