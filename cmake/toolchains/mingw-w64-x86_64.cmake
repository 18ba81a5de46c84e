# 64-bit Windows with Debian's mingw-w64, posix thread model (std::mutex and futures need
# it), runtime linked statically so that the DLL and the programs need nothing beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Third-party libraries built for Windows by scripts/win64-deps.sh.
if(NOT CARTOVEL_WIN64_PREFIX)
  set(CARTOVEL_WIN64_PREFIX ${CMAKE_CURRENT_LIST_DIR}/../../build/win64-deps/prefix)
endif()
get_filename_component(CARTOVEL_WIN64_PREFIX ${CARTOVEL_WIN64_PREFIX} ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${CARTOVEL_WIN64_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${CARTOVEL_WIN64_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests run under Wine; Debian's wine64 alone keeps its loader out of PATH.
find_program(CARTOVEL_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(CARTOVEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CARTOVEL_WINE})
endif()
