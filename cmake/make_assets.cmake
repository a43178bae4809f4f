# The painter of the game's bitmaps. `make_assets <assets folder>` repaints
# assets/images/NNN.bmp and assets/README.md; the target `repaint_assets` does
# it for this source tree. The tests compare the committed files with it.
file(GLOB VELMORA_ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../tools/make_assets/*.cpp)
list(FILTER VELMORA_ART_SOURCES EXCLUDE REGEX ".*/tools/make_assets/main\\.cpp$")
add_library(velmora_art STATIC ${VELMORA_ART_SOURCES})
target_include_directories(velmora_art PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../tools/make_assets)
target_link_libraries(velmora_art PRIVATE velmora_warnings)

add_executable(make_assets ${CMAKE_CURRENT_LIST_DIR}/../tools/make_assets/main.cpp)
target_link_libraries(make_assets PRIVATE velmora_art velmora_warnings)
# The desktop icons are PNG files, written with stb's image writer (see tools.cmake).
if(VELMORA_STB_LIBRARY)
  target_link_libraries(make_assets PRIVATE ${VELMORA_STB_LIBRARY})
else()
  target_sources(make_assets PRIVATE ${CMAKE_BINARY_DIR}/generated/stb_image_write_impl.c)
endif()

get_filename_component(VELMORA_ASSETS_DIR ${CMAKE_CURRENT_LIST_DIR}/../assets ABSOLUTE)
add_custom_target(repaint_assets
  COMMAND make_assets ${VELMORA_ASSETS_DIR}
  COMMENT "Repainting assets/images"
  VERBATIM)

# The test binary is defined later (tests/), so hook the painter into it once
# the whole tree has been read.
function(velmora_art_hook_tests)
  if(TARGET velmora_tests)
    target_link_libraries(velmora_tests PRIVATE velmora_art)
    target_compile_definitions(velmora_tests PRIVATE
      VELMORA_ASSET_IMAGES_DIR="${VELMORA_ASSETS_DIR}/images")
  endif()
endfunction()
cmake_language(DEFER CALL velmora_art_hook_tests)
