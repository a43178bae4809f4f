# The soak: ten minutes of the real game under a virtual X server with random
# but seeded input, saves checked byte for byte and memory watched. Too long
# for every run: `ctest --preset soak` runs it on the sanitizer build, and the
# other test presets leave out its label.
if(NOT TARGET velmora OR NOT TARGET velmora-world)
  return()
endif()
find_program(VELMORA_XVFB Xvfb)
find_program(VELMORA_XDOTOOL xdotool)
find_program(VELMORA_XWD xwd)
find_package(Python3 COMPONENTS Interpreter)
if(NOT VELMORA_XVFB OR NOT VELMORA_XDOTOOL OR NOT VELMORA_XWD OR NOT Python3_FOUND)
  return()
endif()
add_test(NAME soak.ten_minutes
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/soak.py
                 --game $<TARGET_FILE:velmora>)
# Ten minutes of play; making the world, the reloads and the quit add a minute or two.
set_tests_properties(soak.ten_minutes PROPERTIES LABELS soak TIMEOUT 1200 RUN_SERIAL TRUE)
