# The soak: ten minutes of the real game under a virtual X server with random
# but seeded input, saves checked byte for byte and memory watched. Too long
# for every run: `ctest --preset soak` runs it on the sanitizer build, and the
# other test presets leave out its label.
# It needs what the end-to-end runs need (the windowed game, Xvfb, xdotool,
# xwininfo, Python), which e2e.cmake has found when it made the scene tool.
if(NOT TARGET velmora_scene_world OR NOT TARGET velmora-world)
  return()
endif()
add_test(NAME soak.ten_minutes
         COMMAND ${Python3_EXECUTABLE} -m soak --game $<TARGET_FILE:velmora>)
# Ten minutes of play; making the world, the reloads and the quit add a minute or two.
set_tests_properties(soak.ten_minutes PROPERTIES LABELS soak TIMEOUT 1200 RUN_SERIAL TRUE
                     ENVIRONMENT "${VELMORA_PYTHON_ENV};LANGUAGE=it")
