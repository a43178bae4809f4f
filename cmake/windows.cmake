# What the Windows build needs beyond the shared recipe (cmake/toolchain-mingw64.cmake
# makes it). Included before any target is defined.

include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)

# Wide-character file calls, and nothing of Windows' headers that clashes
# with ordinary names (min, max, near, far).
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# Every program carries the manifest.
enable_language(RC)
set(VELMORA_WINDOWS_RESOURCES ${CMAKE_SOURCE_DIR}/packaging/windows/velmora.rc)
function(velmora_windows_resources)
  foreach(program velmora velmora-world velmora_tests)
    if(TARGET ${program})
      target_sources(${program} PRIVATE ${VELMORA_WINDOWS_RESOURCES})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL velmora_windows_resources)
