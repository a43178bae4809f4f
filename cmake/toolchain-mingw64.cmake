# Windows x64 executables from Debian's mingw-w64 (the POSIX-threads g++, for
# std::thread and std::mutex). The libraries come from scripts/windows-libs.sh:
# VELMORA_WINDOWS_LIBS names its folder (a cache variable or the environment);
# without it, the one ready folder in the cache is taken.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW}-windres)
set(CMAKE_AR ${VELMORA_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VELMORA_MINGW}-ranlib CACHE FILEPATH "")

if(NOT VELMORA_WINDOWS_LIBS AND DEFINED ENV{VELMORA_WINDOWS_LIBS})
  set(VELMORA_WINDOWS_LIBS $ENV{VELMORA_WINDOWS_LIBS})
endif()
if(NOT VELMORA_WINDOWS_LIBS)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(cache $ENV{XDG_CACHE_HOME})
  else()
    set(cache $ENV{HOME}/.cache)
  endif()
  file(GLOB ready LIST_DIRECTORIES false ${cache}/velmora-windows/*/ready)
  list(LENGTH ready count)
  if(count EQUAL 1)
    get_filename_component(VELMORA_WINDOWS_LIBS ${ready} DIRECTORY)
  endif()
endif()
set(VELMORA_WINDOWS_LIBS "${VELMORA_WINDOWS_LIBS}" CACHE PATH
    "Folder of the Windows libraries (scripts/windows-libs.sh prints it)")

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW} ${VELMORA_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the Windows libraries, and with everything a static
# link needs.
if(VELMORA_WINDOWS_LIBS)
  set(ENV{PKG_CONFIG_LIBDIR} ${VELMORA_WINDOWS_LIBS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(PKG_CONFIG_ARGN --static)
endif()

# One file each: the C and C++ runtimes and the threads library inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Windows programs run here under Wine: the tests, through scripts/wine-run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
