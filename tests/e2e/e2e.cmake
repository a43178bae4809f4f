# Tests of the real window. Included from tests/CMakeLists.txt once the unit
# test binary exists.

# Unit tests of the window platform's pure pieces (tests/platform) need its
# libraries; without the windowed build they are left out.
file(GLOB VELMORA_PLATFORM_TEST_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/../platform/*.cpp)
if(TARGET velmora_platform_sdl_logic)
  target_link_libraries(velmora_tests PRIVATE velmora_platform_sdl_logic
                        velmora_embedded_assets)
else()
  set_source_files_properties(${VELMORA_PLATFORM_TEST_SOURCES} PROPERTIES HEADER_FILE_ONLY ON)
  return()
endif()
# The end-to-end runs drive the game's window on this machine's X server.
if(CMAKE_CROSSCOMPILING)
  return()
endif()

# End-to-end runs: the real game under a virtual X server, driven with xdotool.
find_program(VELMORA_XVFB Xvfb)
find_program(VELMORA_XDOTOOL xdotool)
find_program(VELMORA_XWININFO xwininfo)
find_package(Python3 COMPONENTS Interpreter)
if(NOT VELMORA_XVFB OR NOT VELMORA_XDOTOOL OR NOT VELMORA_XWININFO OR NOT Python3_FOUND)
  message(STATUS "Velmora: Xvfb, xdotool, xwininfo or python3 missing: no end-to-end tests")
  return()
endif()

# Slot files of chosen worlds for the world drawing's scenarios.
add_executable(velmora_scene_world ${CMAKE_CURRENT_LIST_DIR}/scene_world.cpp)
target_link_libraries(velmora_scene_world PRIVATE velmora_core velmora_platform_headless
                      velmora_warnings)

# The harness and the scenarios are the package e2e in tests/, run with
# `python -m e2e`; the soak imports the same harness. Their byte code goes to
# the build folder, not beside the sources.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH VELMORA_PYTHON_TESTS)
set(VELMORA_PYTHON_ENV PYTHONPATH=${VELMORA_PYTHON_TESTS}
    PYTHONPYCACHEPREFIX=${CMAKE_BINARY_DIR}/pycache)
set(VELMORA_E2E_FLAGS --game $<TARGET_FILE:velmora> --probe $<TARGET_FILE:velmora_batch_probe>
    --frames $<TARGET_FILE:velmora_world_frames> --scene-world $<TARGET_FILE:velmora_scene_world>)
set(VELMORA_E2E_SCENARIOS
  no_display_fails
  no_gl33_fails
  window_opens
  close_button_quits
  quit_confirmation
  device_draws
  menus_main_arrow
  menus_language_switch
  play_save_and_reload)
list(APPEND VELMORA_E2E_SCENARIOS
  hands_on_the_world)
# A damaged world slot emptied from the world selection.
list(APPEND VELMORA_E2E_SCENARIOS damaged_slot_moved_aside)
# The player: walking, looking and jumping; the time of day in a saved world.
list(APPEND VELMORA_E2E_SCENARIOS
  player_walks_looks_and_jumps
  day_time_advances)
# The world on screen.
list(APPEND VELMORA_E2E_SCENARIOS
  world_first_frame
  world_render_distance
  world_torch_lights_hole
  world_pictures_match)
# The game holding the slot it plays while velmora-world tries to write it.
list(APPEND VELMORA_E2E_SCENARIOS slot_held_while_playing)
# A new player's first hour, played from a prepared world to a saved one.
list(APPEND VELMORA_E2E_SCENARIOS first_hour)
# The sound, through SDL's disk audio driver.
list(APPEND VELMORA_E2E_SCENARIOS sound_follows_play)
# The window on a desktop of 1920 x 1080 with a window manager: F11 there and
# back, and a resize.
list(APPEND VELMORA_E2E_SCENARIOS window_on_a_desktop)
foreach(scenario ${VELMORA_E2E_SCENARIOS})
  add_test(NAME e2e.${scenario}
           COMMAND ${Python3_EXECUTABLE} -m e2e ${VELMORA_E2E_FLAGS} --scenario ${scenario})
  # Each alone: software GL sharing the cores with other tests (the world
  # tests make 400 MB worlds) gets slow enough to miss key presses and time
  # out waiting for screens.
  # The screens these runs expect are the Italian ones a first start shows on
  # an Italian desktop, whatever the machine running them speaks.
  set_tests_properties(e2e.${scenario} PROPERTIES TIMEOUT 120 LABELS e2e
                       SKIP_RETURN_CODE 77 RUN_SERIAL TRUE
                       ENVIRONMENT "${VELMORA_PYTHON_ENV};LANGUAGE=it")
endforeach()
# Makes and edits a world with velmora-world before playing it at length.
set_tests_properties(e2e.hands_on_the_world PROPERTIES TIMEOUT 300)
set_tests_properties(e2e.first_hour PROPERTIES TIMEOUT 600)
set_tests_properties(e2e.slot_held_while_playing PROPERTIES TIMEOUT 300)
set_tests_properties(e2e.sound_follows_play PROPERTIES TIMEOUT 180)
set_tests_properties(e2e.window_on_a_desktop PROPERTIES TIMEOUT 300)
