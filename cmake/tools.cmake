# Command-line tools built on the game code and the headless platform.
file(GLOB VELMORA_WORLD_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/velmora_world/*.cpp)
add_executable(velmora-world ${VELMORA_WORLD_TOOL_SOURCES})
target_link_libraries(velmora-world PRIVATE velmora_core velmora_platform_headless velmora_warnings)
set_target_properties(velmora-world PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# `map` writes its PNG with stb's image writer: Debian's shared stb when there
# is one, else the writer compiled in from the header.
find_library(VELMORA_STB_LIBRARY stb)
if(VELMORA_STB_LIBRARY)
  target_link_libraries(velmora-world PRIVATE ${VELMORA_STB_LIBRARY})
else()
  file(WRITE ${CMAKE_BINARY_DIR}/generated/stb_image_write_impl.c
       "#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb/stb_image_write.h>\n")
  target_sources(velmora-world PRIVATE ${CMAKE_BINARY_DIR}/generated/stb_image_write_impl.c)
endif()
