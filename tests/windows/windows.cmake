# Tests of the Windows build beyond the unit tests, run under Wine.
if(NOT WIN32 OR NOT TARGET velmora-world)
  return()
endif()
# The Linux build's velmora-world, which the Windows one must match byte for byte.
set(VELMORA_LINUX_TOOL ${CMAKE_SOURCE_DIR}/build/velmora-world CACHE FILEPATH
    "velmora-world of the Linux build (the default preset's)")
add_test(NAME windows.same_worlds_as_linux
         COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/same_worlds.sh Windows ${VELMORA_LINUX_TOOL}
                 ${CMAKE_SOURCE_DIR}/scripts/wine-run $<TARGET_FILE:velmora-world>)
# Six worlds of 400 MB made and compared: alone, so that the disk is not shared.
set_tests_properties(windows.same_worlds_as_linux PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)

# The real game under Wine on a virtual X server, beside the Linux build's game.
find_package(Python3 COMPONENTS Interpreter)
find_program(VELMORA_XVFB Xvfb)
if(TARGET velmora AND Python3_FOUND AND VELMORA_XVFB)
  set(VELMORA_LINUX_GAME ${CMAKE_SOURCE_DIR}/build/velmora CACHE FILEPATH
      "The Linux build's game (the default preset's)")
  add_test(NAME windows.window_under_wine
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/window_under_wine.py
                   --linux ${VELMORA_LINUX_GAME} --windows $<TARGET_FILE:velmora>
                   --tool ${VELMORA_LINUX_TOOL})
  set_tests_properties(windows.window_under_wine PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE
                       LABELS e2e)
endif()
