# The libraries of a cross build (Windows, the browser), made once by their
# script in scripts/ into the user's cache. `variable` (a cache variable or
# the environment) names their folder; without it, the one ready folder that
# `pattern` matches in the cache is taken. pkg-config then sees those
# libraries alone, with all a static link needs. A macro: what it sets is the
# toolchain file's.
macro(velmora_cached_libs variable pattern description)
  if(NOT ${variable} AND DEFINED ENV{${variable}})
    set(${variable} $ENV{${variable}})
  endif()
  if(NOT ${variable})
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
      set(velmora_cache $ENV{XDG_CACHE_HOME})
    else()
      set(velmora_cache $ENV{HOME}/.cache)
    endif()
    file(GLOB velmora_ready LIST_DIRECTORIES false ${velmora_cache}/${pattern}/ready)
    list(LENGTH velmora_ready velmora_count)
    if(velmora_count EQUAL 1)
      get_filename_component(${variable} ${velmora_ready} DIRECTORY)
    endif()
  endif()
  set(${variable} "${${variable}}" CACHE PATH "${description}")
  if(${variable})
    set(ENV{PKG_CONFIG_LIBDIR} ${${variable}}/lib/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} "")
    set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
    set(PKG_CONFIG_ARGN --static)
  endif()
endmacro()
