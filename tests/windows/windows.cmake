# Tests of the Windows build beyond the unit tests, run under Wine.
if(NOT WIN32 OR NOT TARGET velmora-world)
  return()
endif()
# The Linux build's velmora-world, which the Windows one must match byte for byte.
set(VELMORA_LINUX_TOOL ${CMAKE_SOURCE_DIR}/build/velmora-world CACHE FILEPATH
    "velmora-world of the Linux build (the default preset's)")
add_test(NAME windows.same_worlds_as_linux
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/same_worlds.sh ${VELMORA_LINUX_TOOL}
                 $<TARGET_FILE:velmora-world>)
# Six worlds of 400 MB made and compared: alone, so that the disk is not shared.
set_tests_properties(windows.same_worlds_as_linux PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
