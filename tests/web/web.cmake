# The browser build's own check: its page, loaded in headless Chromium, draws
# the game's first frames (a picture of them is left in the build folder).
if(NOT EMSCRIPTEN OR NOT TARGET velmora)
  return()
endif()
find_program(VELMORA_CHROMIUM chromium)
if(NOT VELMORA_CHROMIUM)
  message(STATUS "Velmora: chromium missing: the page is not checked in a browser")
  return()
endif()
add_test(NAME web.page_draws_main_menu
         COMMAND ${VELMORA_NODE} --experimental-websocket --no-warnings
                 ${CMAKE_CURRENT_LIST_DIR}/page_check.mjs ${CMAKE_BINARY_DIR}
                 ${CMAKE_BINARY_DIR}/page-main-menu.png)
set_tests_properties(web.page_draws_main_menu PROPERTIES TIMEOUT 180 LABELS browser)
