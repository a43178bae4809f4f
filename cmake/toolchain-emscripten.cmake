# The browser build with Debian's emscripten. The libraries come from
# scripts/web-libs.sh: VELMORA_WEB_LIBS names its folder (a cache variable or
# the environment); without it, the one ready folder in the cache is taken.
# Programs other than the game (the tests, the build's own tools) run under
# node, which needs its fetch off to run emscripten's output.
find_program(VELMORA_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_NODE} --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(NOT VELMORA_WEB_LIBS AND DEFINED ENV{VELMORA_WEB_LIBS})
  set(VELMORA_WEB_LIBS $ENV{VELMORA_WEB_LIBS})
endif()
if(NOT VELMORA_WEB_LIBS)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(cache $ENV{XDG_CACHE_HOME})
  else()
    set(cache $ENV{HOME}/.cache)
  endif()
  file(GLOB ready LIST_DIRECTORIES false ${cache}/velmora-web/libs-*/ready)
  list(LENGTH ready count)
  if(count EQUAL 1)
    get_filename_component(VELMORA_WEB_LIBS ${ready} DIRECTORY)
  endif()
endif()
set(VELMORA_WEB_LIBS "${VELMORA_WEB_LIBS}" CACHE PATH
    "Folder of the browser build's libraries (scripts/web-libs.sh prints it)")

list(APPEND CMAKE_FIND_ROOT_PATH ${VELMORA_WEB_LIBS})
# pkg-config sees only the browser's libraries, with all a static link needs.
if(VELMORA_WEB_LIBS)
  set(ENV{PKG_CONFIG_LIBDIR} ${VELMORA_WEB_LIBS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(PKG_CONFIG_ARGN --static)
endif()
