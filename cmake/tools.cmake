# Command-line tools built on the game code and the headless platform.
file(GLOB VELMORA_WORLD_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/velmora_world/*.cpp)
add_executable(velmora-world ${VELMORA_WORLD_TOOL_SOURCES})
target_link_libraries(velmora-world PRIVATE velmora_core velmora_platform_headless velmora_warnings)
set_target_properties(velmora-world PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
