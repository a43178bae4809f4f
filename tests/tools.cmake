# The velmora-world tool, run as a user would, in a temporary folder.
# It plants FIFOs and cuts files with this machine's tools: not for Windows.
# Under node (the browser build) the tool is no program the script can start.
if(TARGET velmora-world AND NOT WIN32 AND NOT EMSCRIPTEN)
  add_test(NAME velmora_world.generate_and_info
           COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:velmora-world>
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/velmora_world_test.cmake)
  set_tests_properties(velmora_world.generate_and_info PROPERTIES TIMEOUT 300)
endif()

# The unit tests run the tool on a generated world and read its pictures back
# with stb's decoder.
if(TARGET velmora-world AND VELMORA_STB_LIBRARY)
  add_dependencies(velmora_tests velmora-world)
  target_compile_definitions(velmora_tests PRIVATE VELMORA_WORLD_TOOL="$<TARGET_FILE:velmora-world>")
  target_link_libraries(velmora_tests PRIVATE ${VELMORA_STB_LIBRARY})
else()
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tools/world_tool_test.cpp
                              PROPERTIES HEADER_FILE_ONLY ON)
endif()
