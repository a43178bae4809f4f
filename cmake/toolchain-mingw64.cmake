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

include(${CMAKE_CURRENT_LIST_DIR}/cached_libs.cmake)
velmora_cached_libs(VELMORA_WINDOWS_LIBS "velmora-windows/*"
                    "Folder of the Windows libraries (scripts/windows-libs.sh prints it)")
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW} ${VELMORA_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file each: the C and C++ runtimes and the threads library inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Windows programs run here under Wine: the tests, through scripts/wine-run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
