# A cross build's header-only libraries: stb's headers of this machine's
# libstb-dev serve, copied aside so that the system headers beside them stay
# out of sight.
set(VELMORA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
foreach(header stb_image.h stb_image_write.h)
  if(NOT EXISTS /usr/include/stb/${header})
    message(FATAL_ERROR "/usr/include/stb/${header} missing (package libstb-dev)")
  endif()
  file(COPY /usr/include/stb/${header} DESTINATION ${VELMORA_HOST_HEADERS}/stb)
endforeach()
include_directories(SYSTEM ${VELMORA_HOST_HEADERS})
