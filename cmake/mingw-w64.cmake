# Cross-compiling for Windows with MinGW-w64, for the CMAKE_SYSTEM_PROCESSOR that the
# including file names (x86_64 or i686). The posix thread model, because the win32 one lacks
# std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(TAVO_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The host's .pc files describe Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} "")

# Statically linked, so that the program needs no DLL beyond the system's; and with no link
# time in the PE header, so that two builds of one commit give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

# The tests run under wine.
find_program(WINE_PROGRAM wine)
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
