# The windowed game: the SDL2 + OpenGL platform, the images and font compiled
# into the executable, and the `velmora` executable itself.

find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
# A browser's GL calls come from emscripten's own GL ES 3 headers.
if(NOT EMSCRIPTEN)
  pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
endif()
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)

set(VELMORA_FONT_FILE /usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf
    CACHE FILEPATH "Bold monospaced TrueType font compiled into the game")
if(NOT EXISTS "${VELMORA_FONT_FILE}")
  message(FATAL_ERROR "Font not found: ${VELMORA_FONT_FILE} (package fonts-liberation2)")
endif()

# --- build-time tools ----------------------------------------------------------
if(CMAKE_CROSSCOMPILING)
  # It runs here while building, so it is built for this machine.
  find_program(VELMORA_HOST_CXX NAMES c++ g++ REQUIRED)
  set(VELMORA_EMBED ${CMAKE_BINARY_DIR}/host/velmora_embed)
  add_custom_command(
    OUTPUT ${VELMORA_EMBED}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${VELMORA_HOST_CXX} -std=c++20 -O2 -o ${VELMORA_EMBED}
            ${CMAKE_SOURCE_DIR}/tools/embed/embed.cpp
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/embed/embed.cpp
    COMMENT "Building the embedding tool for this machine")
else()
  add_executable(velmora_embed tools/embed/embed.cpp)
  target_link_libraries(velmora_embed PRIVATE velmora_warnings)
  set(VELMORA_EMBED velmora_embed)
endif()

# --- the 104 images and the font -------------------------------------------------
# assets/images/NNN.bmp, drawn by tools/make_assets and committed.
set(VELMORA_BITMAPS "")
foreach(resource RANGE 0 103)
  string(LENGTH "${resource}" digits)
  if(digits EQUAL 1)
    set(name "00${resource}")
  elseif(digits EQUAL 2)
    set(name "0${resource}")
  else()
    set(name "${resource}")
  endif()
  set(file ${CMAKE_SOURCE_DIR}/assets/images/${name}.bmp)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "Image missing: ${file} (rebuild it with the repaint_assets target)")
  endif()
  list(APPEND VELMORA_BITMAPS ${file})
endforeach()

set(VELMORA_EMBEDDED_CPP ${CMAKE_BINARY_DIR}/generated/embedded_assets.cpp)
add_custom_command(
  OUTPUT ${VELMORA_EMBEDDED_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${VELMORA_EMBED} ${VELMORA_EMBEDDED_CPP} ${VELMORA_FONT_FILE} ${VELMORA_BITMAPS}
  DEPENDS ${VELMORA_EMBED} ${VELMORA_FONT_FILE} ${VELMORA_BITMAPS}
  COMMENT "Compiling the images and the font into the game")
add_library(velmora_embedded_assets STATIC ${VELMORA_EMBEDDED_CPP})
target_include_directories(velmora_embedded_assets PUBLIC src)

# --- the sounds, synthesised by make_sounds (make_sounds.cmake) ----------------
set(VELMORA_SOUNDS_CPP ${CMAKE_BINARY_DIR}/generated/embedded_sounds.cpp)
add_custom_command(
  OUTPUT ${VELMORA_SOUNDS_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND make_sounds ${VELMORA_SOUNDS_CPP}
  DEPENDS make_sounds
  COMMENT "Synthesising the sounds into the game")
add_library(velmora_embedded_sounds STATIC ${VELMORA_SOUNDS_CPP})
target_include_directories(velmora_embedded_sounds PUBLIC src)

# --- platform pieces without a window (unit-tested) ----------------------------
find_library(VELMORA_STB_LIBRARY stb)
add_library(velmora_platform_sdl_logic STATIC
  src/platform/sdl/batching.cpp
  src/platform/sdl/bmp_file.cpp
  src/platform/sdl/channel_book.cpp
  src/platform/sdl/clip_pitch.cpp
  src/platform/sdl/image_decode.cpp
  src/platform/sdl/input_state.cpp
  src/platform/sdl/scancodes.cpp
  src/platform/sdl/screen_fit.cpp
  src/platform/sdl/text_layout.cpp)
# SDL's headers (the scan codes), not its library.
target_include_directories(velmora_platform_sdl_logic PUBLIC src)
target_include_directories(velmora_platform_sdl_logic SYSTEM PUBLIC ${SDL2_INCLUDE_DIRS})
target_link_libraries(velmora_platform_sdl_logic PUBLIC PkgConfig::FREETYPE
                      PRIVATE velmora_warnings)
if(VELMORA_STB_LIBRARY)
  target_link_libraries(velmora_platform_sdl_logic PUBLIC ${VELMORA_STB_LIBRARY})
else()
  # No shared stb on this system: compile the image decoder in.
  file(WRITE ${CMAKE_BINARY_DIR}/generated/stb_image_impl.c
       "#define STB_IMAGE_IMPLEMENTATION\n#include <stb/stb_image.h>\n")
  target_sources(velmora_platform_sdl_logic PRIVATE
                 ${CMAKE_BINARY_DIR}/generated/stb_image_impl.c)
endif()

# --- the platform ---------------------------------------------------------------
# The steps a desktop and a browser take their own ways are in twin files:
# src/platform/sdl/*_desktop.cpp and src/platform/web/.
if(EMSCRIPTEN)
  file(GLOB VELMORA_PLATFORM_TWIN CONFIGURE_DEPENDS src/platform/web/*.cpp)
  set(VELMORA_GL_LIBRARY "")
else()
  set(VELMORA_PLATFORM_TWIN src/platform/sdl/gl_desktop.cpp src/platform/sdl/sdl_desktop.cpp)
  set(VELMORA_GL_LIBRARY PkgConfig::EPOXY)
endif()
add_library(velmora_platform_sdl STATIC
  src/platform/sdl/gl_device.cpp
  src/platform/sdl/gl_draw.cpp
  src/platform/sdl/gl_lit.cpp
  src/platform/sdl/gl_setup.cpp
  src/platform/sdl/sdl_audio.cpp
  src/platform/sdl/sdl_platform.cpp
  ${VELMORA_PLATFORM_TWIN})
target_include_directories(velmora_platform_sdl PUBLIC src)
target_link_libraries(velmora_platform_sdl
  PUBLIC velmora_platform_sdl_logic velmora_embedded_assets velmora_embedded_sounds
         PkgConfig::SDL2 PkgConfig::SDL2_MIXER ${VELMORA_GL_LIBRARY}
         Threads::Threads
  PRIVATE velmora_core velmora_warnings)

# The Mesa driver the platform maps early to shorten the window's opening.
if(CMAKE_LIBRARY_ARCHITECTURE AND EXISTS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri/swrast_dri.so)
  set_source_files_properties(src/platform/sdl/gl_setup.cpp PROPERTIES COMPILE_DEFINITIONS
    VELMORA_MESA_DRIVER="/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri/swrast_dri.so")
endif()
target_link_libraries(velmora_platform_sdl PRIVATE ${CMAKE_DL_LIBS})

# --- the game -----------------------------------------------------------------------
if(EMSCRIPTEN)
  # A page: velmora.js and velmora.wasm, loaded by web/index.html (copied
  # beside them); the browser calls the frames.
  add_executable(velmora src/app/web_main.cpp)
  target_link_options(velmora PRIVATE ${VELMORA_WEB_PAGE_OPTIONS})
  # The page is copied after each link: a change to it links again.
  set_target_properties(velmora PROPERTIES LINK_DEPENDS
    "${CMAKE_SOURCE_DIR}/src/platform/web/files_pre.js;${CMAKE_SOURCE_DIR}/src/platform/web/sdl_audio_needs.js;${CMAKE_SOURCE_DIR}/src/platform/web/index.html")
  add_custom_command(TARGET velmora POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/src/platform/web/index.html
            ${CMAKE_BINARY_DIR}/index.html)
else()
  add_executable(velmora src/app/main.cpp)
endif()
target_link_libraries(velmora PRIVATE velmora_core velmora_platform_sdl velmora_warnings
                      Threads::Threads)
set_target_properties(velmora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Window-only measuring tools (benchmarks: not in the Windows build).
if(NOT WIN32 AND NOT EMSCRIPTEN)
  # A measuring tool: many quads per frame through the real device.
  add_executable(velmora_batch_probe bench/window/batch_probe.cpp)
  target_link_libraries(velmora_batch_probe PRIVATE velmora_platform_sdl velmora_warnings)
  set_target_properties(velmora_batch_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Frame times of the world drawing and the picture check against the
  # reference drawer, in the real window (bench/window/measure_world.py runs it).
  if(TARGET velmora_reference)
    add_executable(velmora_world_frames bench/window/world_frames.cpp)
    target_link_libraries(velmora_world_frames PRIVATE velmora_reference velmora_core
                          velmora_platform_sdl velmora_warnings Threads::Threads)
    set_target_properties(velmora_world_frames PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()

  # Frames while a world is made, saved and loaded through the game's own loop
  # (bench/window/measure_work.py runs it).
  add_executable(velmora_work_frames bench/window/work_frames.cpp)
  target_link_libraries(velmora_work_frames PRIVATE velmora_core velmora_platform_sdl
                        velmora_warnings Threads::Threads)
  set_target_properties(velmora_work_frames PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# The game thread's cost of sound per frame through the real mixer.
find_package(benchmark QUIET)
if(VELMORA_BUILD_BENCH AND benchmark_FOUND)
  add_executable(velmora_sound_bench bench/window/sound_bench.cpp)
  target_link_libraries(velmora_sound_bench PRIVATE velmora_core velmora_platform_sdl velmora_warnings
                        benchmark::benchmark benchmark::benchmark_main Threads::Threads)
  set_target_properties(velmora_sound_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
