#include "platform/sdl/text_layout.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace sdlplat {
namespace {

constexpr int kBasePixelHeight = 12;

// Printable ASCII and Latin-1, plus the punctuation that word processors put
// into texts typed elsewhere (curly quotes, dashes, ellipsis, euro).
std::vector<char32_t> wantedCodes() {
    std::vector<char32_t> codes;
    for (char32_t c = 0x20; c < 0x7F; ++c) codes.push_back(c);
    for (char32_t c = 0xA0; c <= 0xFF; ++c) codes.push_back(c);
    for (char32_t c : {0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2026, 0x20AC})
        codes.push_back(c);
    return codes;
}

struct Packer {
    int width, x = 1, y = 1, rowHeight = 0;
    // Places a w x h box on the current shelf, or on a new one below.
    void place(int w, int h, int& outX, int& outY) {
        if (x + w + 1 > width) {
            x = 1;
            y += rowHeight + 1;
            rowHeight = 0;
        }
        outX = x;
        outY = y;
        x += w + 1;
        rowHeight = std::max(rowHeight, h);
    }
};

struct Bitmap {
    int w, h;
    std::vector<uint8_t> pixels;
};

}  // namespace

bool buildFontAtlas(const unsigned char* ttf, size_t size, int pixelHeight, FontAtlas& out,
                    std::string& error) {
    out = FontAtlas{};
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType cannot start";
        return false;
    }
    FT_Face face = nullptr;
    if (!ttf || FT_New_Memory_Face(library, ttf, FT_Long(size), 0, &face) != 0) {
        FT_Done_FreeType(library);
        error = "the font cannot be read";
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight));
    out.ascent = int(face->size->metrics.ascender >> 6);
    out.lineHeight = int(face->size->metrics.height >> 6);
    const int advance = int(face->size->metrics.max_advance >> 6);

    std::vector<Bitmap> bitmaps;
    for (char32_t code : wantedCodes()) {
        if (FT_Get_Char_Index(face, code) == 0) continue;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        Glyph g;
        g.width = int(bm.width);
        g.height = int(bm.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = int(slot->advance.x >> 6);
        Bitmap b{g.width, g.height, std::vector<uint8_t>(size_t(g.width) * g.height)};
        for (int row = 0; row < g.height; ++row)
            std::copy_n(bm.buffer + row * bm.pitch, g.width, b.pixels.begin() + row * g.width);
        out.codes.push_back(code);
        out.glyphs.push_back(g);
        bitmaps.push_back(std::move(b));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    if (out.glyphs.empty()) {
        error = "the font has no usable characters";
        return false;
    }

    // The fallback: a hollow box one pen step wide, standing on the baseline.
    Glyph box;
    box.width = std::max(3, advance - 2);
    box.height = std::max(4, out.ascent - 1);
    box.left = 1;
    box.top = box.height;
    box.advance = std::max(advance, box.width + 1);
    Bitmap boxBitmap{box.width, box.height, std::vector<uint8_t>(size_t(box.width) * box.height)};
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x)
            if (x == 0 || y == 0 || x == box.width - 1 || y == box.height - 1)
                boxBitmap.pixels[size_t(y) * box.width + x] = 255;

    // Codes come in rising order already, which findGlyph's search relies on.
    // Wider for larger glyphs, so that the atlas stays roughly square.
    Packer packer{256 * std::max(1, pixelHeight / kBasePixelHeight)};
    for (size_t i = 0; i < out.glyphs.size(); ++i)
        packer.place(out.glyphs[i].width, out.glyphs[i].height, out.glyphs[i].atlasX,
                     out.glyphs[i].atlasY);
    packer.place(box.width, box.height, box.atlasX, box.atlasY);
    out.fallback = box;
    out.width = packer.width;
    out.height = packer.y + packer.rowHeight + 1;
    out.coverage.assign(size_t(out.width) * out.height, 0);
    auto blit = [&](const Glyph& g, const Bitmap& b) {
        for (int y = 0; y < g.height; ++y)
            std::copy_n(b.pixels.begin() + y * g.width, g.width,
                        out.coverage.begin() + size_t(g.atlasY + y) * out.width + g.atlasX);
    };
    for (size_t i = 0; i < out.glyphs.size(); ++i) blit(out.glyphs[i], bitmaps[i]);
    blit(out.fallback, boxBitmap);
    return true;
}

const Glyph* findGlyph(const FontAtlas& atlas, char32_t code) {
    auto it = std::lower_bound(atlas.codes.begin(), atlas.codes.end(), code);
    if (it == atlas.codes.end() || *it != code) return nullptr;
    return &atlas.glyphs[size_t(it - atlas.codes.begin())];
}

char32_t nextCodePoint(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(pos);
    int length = 0;
    char32_t code = 0, minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    }
    bool ok = length > 0 && pos + size_t(length) <= text.size();
    for (int i = 1; ok && i < length; ++i) {
        const uint8_t b = byte(pos + size_t(i));
        ok = (b & 0xC0) == 0x80;
        code = (code << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not well-formed.
    ok = ok && code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    if (!ok) {
        ++pos;
        return lead;
    }
    pos += size_t(length);
    return code;
}

void layoutText(const FontAtlas& atlas, int left, int top, int right, int bottom,
                std::string_view text, std::vector<GlyphQuad>& out) {
    int penX = left, lineTop = top;
    const Glyph* space = findGlyph(atlas, U' ');
    const int spaceAdvance = space ? space->advance : atlas.fallback.advance;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t code = nextCodePoint(text, pos);
        if (code == U'\n') {
            penX = left;
            lineTop += atlas.lineHeight;
            continue;
        }
        if (code == U'\r') continue;
        if (code == U'\t') {
            const int column = (penX - left) / spaceAdvance;
            penX = left + (column / 8 + 1) * 8 * spaceAdvance;
            continue;
        }
        const Glyph* found = code >= 0x20 ? findGlyph(atlas, code) : nullptr;
        const Glyph& g = found ? *found : atlas.fallback;
        float x0 = float(penX + g.left), y0 = float(lineTop + atlas.ascent - g.top);
        float x1 = x0 + float(g.width), y1 = y0 + float(g.height);
        float u0 = float(g.atlasX), v0 = float(g.atlasY);
        float u1 = u0 + float(g.width), v1 = v0 + float(g.height);
        penX += g.advance;
        // Clip to the rectangle; glyph pixels map one to one onto screen
        // pixels, so clipping moves the texel edges by the same amounts.
        const float cl = std::max(x0, float(left)), ct = std::max(y0, float(top));
        const float cr = std::min(x1, float(right)), cb = std::min(y1, float(bottom));
        if (g.width == 0 || g.height == 0 || cl >= cr || ct >= cb) continue;
        u0 += cl - x0, v0 += ct - y0, u1 -= x1 - cr, v1 -= y1 - cb;
        out.push_back({cl, ct, cr, cb, u0, v0, u1, v1});
    }
}

}  // namespace sdlplat
