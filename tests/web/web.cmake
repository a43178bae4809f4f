# The browser build's own checks beyond the unit tests: its worlds against
# the Linux build's, and its page, loaded in headless Chromium, drawing the
# game's first frames (a picture of them is left in the build folder) and
# keeping a world across a reload.
if(NOT EMSCRIPTEN)
  return()
endif()
# The worlds of the reference seeds, against the Linux build's velmora-world
# (node's own fetch cannot read the program beside the script: turned off).
if(TARGET velmora-world)
  set(VELMORA_LINUX_TOOL ${CMAKE_SOURCE_DIR}/build/velmora-world CACHE FILEPATH
      "velmora-world of the Linux build (the default preset's)")
  add_test(NAME web.same_worlds_as_linux
           COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/same_worlds.sh browser ${VELMORA_LINUX_TOOL}
                   ${VELMORA_NODE} --no-experimental-fetch $<TARGET_FILE:velmora-world>)
  # Worlds of 400 MB made and compared: alone, so that the disk is not shared.
  set_tests_properties(web.same_worlds_as_linux PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
endif()
if(NOT TARGET velmora)
  return()
endif()
find_program(VELMORA_CHROMIUM chromium)
if(NOT VELMORA_CHROMIUM)
  message(STATUS "Velmora: chromium missing: the page is not checked in a browser")
  return()
endif()
# A world made, saved, and loaded again after a reload of the page; the main
# menu compared with the Linux build's picture of it, and F11 tried on it.
add_test(NAME web.world_survives_reload
         COMMAND ${VELMORA_NODE} --experimental-websocket --no-warnings
                 ${CMAKE_CURRENT_LIST_DIR}/world_check.mjs ${CMAKE_BINARY_DIR}
                 ${CMAKE_BINARY_DIR}/page-pictures
                 ${CMAKE_SOURCE_DIR}/docs/screenshot-menu-1920.png)
set_tests_properties(web.world_survives_reload PROPERTIES TIMEOUT 400 LABELS browser RUN_SERIAL TRUE)

# The first frame of play against the Linux build's reference drawer, under a
# virtual X server.
set(VELMORA_LINUX_FRAMES ${CMAKE_SOURCE_DIR}/build/velmora_world_frames CACHE FILEPATH
    "velmora_world_frames of the Linux build (the default preset's)")
find_program(VELMORA_XVFB_RUN xvfb-run)
if(VELMORA_XVFB_RUN AND TARGET velmora-world)
  add_test(NAME web.first_frame_as_linux
           COMMAND ${VELMORA_NODE} --experimental-websocket --no-warnings
                   ${CMAKE_CURRENT_LIST_DIR}/first_frame_check.mjs ${CMAKE_BINARY_DIR}
                   ${VELMORA_LINUX_TOOL} ${VELMORA_LINUX_FRAMES} ${CMAKE_BINARY_DIR}/page-pictures)
  set_tests_properties(web.first_frame_as_linux PROPERTIES TIMEOUT 240 LABELS browser RUN_SERIAL TRUE)
endif()
