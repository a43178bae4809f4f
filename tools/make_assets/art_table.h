// The game's 104 pictures by texture number: size, kind, description and the
// painter that draws each one; texture n is stored as bitmap resource n + 1,
// texture 103 as resource 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace art {

constexpr int kTextureCount = 104;

enum class Kind {
    Face,     // block face in the world: every texel opaque
    Icon,     // item or status icon on a transparent background
    Overlay,  // dig crack, combined with the minimum blend: white leaves the face as it is
    Frame,    // ring around an inventory cell, transparent inside
    Screen,   // opaque interface picture (dot, empty cell, arrow, strip, menu background)
};

struct Picture {
    int texture;
    int w, h;
    Kind kind;
    const char* what;
    void (*paint)(Image&);
};

int resourceOfTexture(int texture);
int textureOfResource(int resource);
const Picture& picture(int texture);

Image paintTexture(int texture);
std::vector<uint8_t> resourceBmp(int resource);
// File name of a resource inside assets/images, e.g. "007.bmp".
std::string resourceFileName(int resource);
// The assets/README.md text: what each resource shows.
std::string readmeText();

}  // namespace art
