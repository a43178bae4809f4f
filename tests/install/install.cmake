# The installed game: `cmake --install` into a temporary prefix, then a world
# made by the game run from there (tests/install/install_test.py).
if(NOT TARGET velmora OR NOT Python3_FOUND OR WIN32 OR EMSCRIPTEN)
  return()
endif()
add_test(NAME install.world_lands_in_the_users_data_folder
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/install_test.py
                 --build ${CMAKE_BINARY_DIR})
# Makes a 400 MB world with software GL drawing: alone, as the end-to-end runs.
set_tests_properties(install.world_lands_in_the_users_data_folder PROPERTIES
                     TIMEOUT 300 LABELS e2e SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
