// The text font: a glyph atlas rasterised once from the embedded TrueType
// font, and the layout of one text into glyph quads clipped to a rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sdlplat {

struct Glyph {
    int atlasX = 0, atlasY = 0;  // top-left of the glyph's pixels in the atlas
    int width = 0, height = 0;   // 0 for blank glyphs (space)
    int left = 0;                // from the pen to the first pixel column
    int top = 0;                 // from the baseline up to the first pixel row
    int advance = 0;
};

struct FontAtlas {
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;  // one byte per pixel, rows from the top
    int ascent = 0;                 // from the line's top to the baseline
    int lineHeight = 0;
    std::vector<char32_t> codes;  // sorted; glyphs[i] draws codes[i]
    std::vector<Glyph> glyphs;
    Glyph fallback;  // a hollow box for every character the font lacks
};

// Rasterises the characters the game can show (printable ASCII, Latin-1 and a
// few typographic extras) at `pixelHeight` pixels per em, antialiased.
// false with `error` set when the font cannot be read.
bool buildFontAtlas(const unsigned char* ttf, size_t size, int pixelHeight, FontAtlas& out,
                    std::string& error);

// The glyph for `code`, or nullptr when the atlas has none.
const Glyph* findGlyph(const FontAtlas& atlas, char32_t code);

// Next code point of UTF-8 `text` from `pos`, moving `pos` past it. A byte
// that does not start a well-formed sequence stands for itself as Latin-1,
// so stray 8-bit text still reads right instead of turning into garbage.
char32_t nextCodePoint(std::string_view text, size_t& pos);

// One glyph's rectangle on screen and in the atlas (texel units).
struct GlyphQuad {
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};

// Lays `text` out from (left, top), one line per '\n', and clips every glyph
// to the rectangle (left, top)-(right, bottom). Characters without a glyph
// become the fallback box, so nothing vanishes without a trace.
void layoutText(const FontAtlas& atlas, int left, int top, int right, int bottom,
                std::string_view text, std::vector<GlyphQuad>& out);

}  // namespace sdlplat
