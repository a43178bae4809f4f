# The velmora-world tool, run as a user would, in a temporary folder.
if(TARGET velmora-world)
  add_test(NAME velmora_world.generate_and_info
           COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:velmora-world>
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/velmora_world_test.cmake)
  set_tests_properties(velmora_world.generate_and_info PROPERTIES TIMEOUT 300)
endif()
