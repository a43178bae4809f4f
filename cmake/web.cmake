# What the browser build needs beyond the shared recipe (the web preset:
# cmake/toolchain-emscripten.cmake). Included before any target is defined.

include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)

# Every program may grow its memory to 4 GB (the world alone is 400 MB). No
# threads: a page from a plain static server cannot have them.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB")

# The page: the game in a canvas, WebGL 2 only, the files folder kept in the
# browser's IndexedDB (web/files_pre.js mounts it before main runs).
set(VELMORA_WEB_PAGE_OPTIONS
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sENVIRONMENT=web
  -sINITIAL_MEMORY=64MB -sTOTAL_STACK=8MB -lidbfs.js
  # The page's own controls move slots in and out through the files.
  -sEXPORTED_RUNTIME_METHODS=FS
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/src/platform/web/sdl_audio_needs.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/src/platform/web/files_pre.js")

# Everything else runs under node (the tests, the build's tools): on the
# machine's own files, as a native program would.
set(VELMORA_NODE_OPTIONS -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sTOTAL_STACK=8MB
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/src/platform/web/node_env_pre.js")
function(velmora_web_link_options)
  get_property(folders DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  foreach(folder ${CMAKE_SOURCE_DIR} ${folders})
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE" AND NOT target STREQUAL "velmora")
        target_link_options(${target} PRIVATE ${VELMORA_NODE_OPTIONS})
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER CALL velmora_web_link_options)

# The POSIX file calls serve the browser's file system too, with the Linux
# calls emscripten lacks made up (web/posix_compat.h).
set_source_files_properties(src/platform/posix/files.cpp PROPERTIES COMPILE_OPTIONS
  "-include;${CMAKE_SOURCE_DIR}/src/platform/web/posix_compat.h")
