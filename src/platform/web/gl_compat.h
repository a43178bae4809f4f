// The desktop GL calls the device makes that WebGL 2 lacks, made of what it
// has. Everything else is the same call on both.
#pragma once

#include <GLES3/gl3.h>

// WebGL has no polygon mode: wireframe quads are drawn as lines instead
// (drawQuadEdges in web/gl_web.cpp).
#ifndef GL_LINE
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02
#endif
inline void glPolygonMode(GLenum, GLenum) {}

inline void glClearDepth(double depth) { glClearDepthf(float(depth)); }

inline void glMultiDrawElements(GLenum mode, const GLsizei* counts, GLenum type,
                                const void* const* offsets, GLsizei drawCount) {
    for (GLsizei i = 0; i < drawCount; ++i) glDrawElements(mode, counts[i], type, offsets[i]);
}
