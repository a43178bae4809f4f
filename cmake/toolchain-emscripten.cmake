# The browser build with Debian's emscripten. The libraries come from
# scripts/web-libs.sh: VELMORA_WEB_LIBS names its folder (a cache variable or
# the environment); without it, the one ready folder in the cache is taken.
# Programs other than the game (the tests, the build's own tools) run under
# node, which needs its fetch off to run emscripten's output.
find_program(VELMORA_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_NODE} --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

include(${CMAKE_CURRENT_LIST_DIR}/cached_libs.cmake)
velmora_cached_libs(VELMORA_WEB_LIBS "velmora-web/libs-*"
                    "Folder of the browser build's libraries (scripts/web-libs.sh prints it)")
list(APPEND CMAKE_FIND_ROOT_PATH ${VELMORA_WEB_LIBS})
