# The synthesiser of the game's sounds. `make_sounds OUT.cpp` writes every
# sound as byte arrays; the windowed build runs it and compiles the result
# in (sdl_platform.cmake), and the tests check the sounds it makes.
file(GLOB VELMORA_SOUND_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../tools/make_sounds/*.cpp)
list(FILTER VELMORA_SOUND_SOURCES EXCLUDE REGEX ".*/tools/make_sounds/main\\.cpp$")
add_library(velmora_sound_synth STATIC ${VELMORA_SOUND_SOURCES})
target_include_directories(velmora_sound_synth PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../tools/make_sounds
                           ${CMAKE_CURRENT_LIST_DIR}/../src)
target_link_libraries(velmora_sound_synth PRIVATE velmora_warnings)

add_executable(make_sounds ${CMAKE_CURRENT_LIST_DIR}/../tools/make_sounds/main.cpp)
target_link_libraries(make_sounds PRIVATE velmora_sound_synth velmora_warnings)

function(velmora_sounds_hook_tests)
  if(TARGET velmora_tests)
    target_link_libraries(velmora_tests PRIVATE velmora_sound_synth)
  endif()
endfunction()
cmake_language(DEFER CALL velmora_sounds_hook_tests)
