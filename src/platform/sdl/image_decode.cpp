#include "platform/sdl/image_decode.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace sdlplat {

bool decodeImage(const unsigned char* data, size_t size, Image& out) {
    out = Image{};
    if (!data || size == 0 || size > size_t(INT_MAX)) return false;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, int(size), &w, &h, &channels, 4);
    if (!pixels) return false;
    out.width = w;
    out.height = h;
    out.rgba.assign(pixels, pixels + size_t(w) * size_t(h) * 4);
    stbi_image_free(pixels);
    for (size_t i = 0; i < out.rgba.size(); i += 4) {
        uint8_t* t = &out.rgba[i];
        if (t[0] == kKeyRed && t[1] == kKeyGreen && t[2] == kKeyBlue) {
            // Black under the key: a texel that is blended anyway adds no tint.
            std::memset(t, 0, 4);
        } else {
            t[3] = 255;
        }
    }
    return true;
}

}  // namespace sdlplat
