# What the Windows build needs beyond the shared recipe (cmake/toolchain-mingw64.cmake
# makes it). Included before any target is defined.

# stb is headers only: the ones of this machine's libstb-dev serve, copied
# aside so that the Linux headers beside them stay out of sight.
set(VELMORA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
foreach(header stb_image.h stb_image_write.h)
  if(NOT EXISTS /usr/include/stb/${header})
    message(FATAL_ERROR "/usr/include/stb/${header} missing (package libstb-dev)")
  endif()
  file(COPY /usr/include/stb/${header} DESTINATION ${VELMORA_HOST_HEADERS}/stb)
endforeach()
include_directories(SYSTEM ${VELMORA_HOST_HEADERS})

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
