# Cross build for 64-bit Windows with Debian's mingw-w64. The posix thread model: GCC 12's
# win32 model has no std::thread. Everything is linked statically, so that moravin.exe needs
# no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MORAVIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORAVIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORAVIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MORAVIN_MINGW_PREFIX}-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MORAVIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests and tools built for Windows run through Wine on this machine.
find_program(MORAVIN_WINE NAMES wine wine64)
if(MORAVIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MORAVIN_WINE})
endif()
