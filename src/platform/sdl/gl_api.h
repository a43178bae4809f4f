// The GL calls of the device: OpenGL 3.3 core through libepoxy on a desktop,
// WebGL 2 through emscripten's GLES 3 headers in a browser, where the few
// desktop calls the device uses and WebGL lacks are made of what it has.
#pragma once

#ifdef __EMSCRIPTEN__
#include "platform/web/gl_compat.h"
#else
#include <epoxy/gl.h>
#endif
