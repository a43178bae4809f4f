#include "icon.h"

#include "art_table.h"

namespace art {

namespace {
// The grass-topped dirt side: the first block a player sees, and a picture
// that reads at 16 pixels as well as at 256.
constexpr int kIconTexture = 2;
}  // namespace

Image iconImage(int size) {
    const Image source = paintTexture(kIconTexture);
    Image icon(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // The mean of the source texels this pixel covers: nearest when
            // enlarging keeps the pixel art crisp, the mean when shrinking
            // keeps it from flickering.
            const int x0 = x * source.w / size, x1 = std::max(x0 + 1, (x + 1) * source.w / size);
            const int y0 = y * source.h / size, y1 = std::max(y0 + 1, (y + 1) * source.h / size);
            int r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx, ++n) {
                    const Rgb c = source.get(sx, sy);
                    r += c.r, g += c.g, b += c.b;
                }
            icon.set(x, y, {uint8_t(r / n), uint8_t(g / n), uint8_t(b / n)});
        }
    return icon;
}

}  // namespace art
