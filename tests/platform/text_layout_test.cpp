// The font: every character the game can show has a glyph, UTF-8 is read
// right (and wrong bytes do not eat text), and text stays in its rectangle.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/embedded_assets.h"
#include "platform/sdl/text_layout.h"

using sdlplat::FontAtlas;
using sdlplat::GlyphQuad;

namespace {

const FontAtlas& atlas() {
    static FontAtlas a = [] {
        FontAtlas f;
        std::string error;
        const embedded::Blob font = embedded::monoBoldFont();
        EXPECT_TRUE(sdlplat::buildFontAtlas(font.data, font.size, 12, f, error)) << error;
        return f;
    }();
    return a;
}

std::vector<GlyphQuad> layout(std::string_view text, int left = 0, int top = 0, int right = 1000,
                              int bottom = 1000) {
    std::vector<GlyphQuad> out;
    sdlplat::layoutText(atlas(), left, top, right, bottom, text, out);
    return out;
}

std::vector<char32_t> decode(std::string_view text) {
    std::vector<char32_t> codes;
    for (size_t pos = 0; pos < text.size();) codes.push_back(sdlplat::nextCodePoint(text, pos));
    return codes;
}

}  // namespace

TEST(Font, EveryPrintableLatin1CharacterHasItsOwnGlyph) {
    const FontAtlas& a = atlas();
    ASSERT_GT(a.width, 0);
    int advance = 0;
    for (char32_t c = 0x20; c <= 0xFF; ++c) {
        if (c >= 0x7F && c < 0xA0) continue;  // control characters
        const sdlplat::Glyph* g = sdlplat::findGlyph(a, c);
        ASSERT_NE(g, nullptr) << "U+" << std::hex << uint32_t(c);
        // Monospaced: one pen step for all.
        if (!advance) advance = g->advance;
        EXPECT_EQ(g->advance, advance) << "U+" << std::hex << uint32_t(c);
        const bool blank = c == 0x20 || c == 0xA0 || c == 0xAD;
        if (blank) continue;
        // A glyph that draws no pixel would vanish just like a missing one.
        int ink = 0;
        for (int y = 0; y < g->height; ++y)
            for (int x = 0; x < g->width; ++x)
                ink += a.coverage[size_t(g->atlasY + y) * a.width + g->atlasX + x];
        EXPECT_GT(ink, 0) << "U+" << std::hex << uint32_t(c);
    }
    // A 12-pixel font: a line fits the 20-pixel-high rectangle of every text.
    EXPECT_GE(a.lineHeight, 12);
    EXPECT_LE(a.lineHeight, 20);
    EXPECT_GE(advance, 6);
    EXPECT_LE(advance, 9);
}

TEST(Font, CharactersWithoutGlyphDrawAVisibleBox) {
    // A CJK character, an emoji and a control character: none is in the font.
    for (std::string_view text : {"\xE4\xB8\x80", "\xF0\x9F\x98\x80", "\x01"}) {
        auto quads = layout(text);
        ASSERT_EQ(quads.size(), 1u) << text;
        EXPECT_GT(quads[0].x1 - quads[0].x0, 2.0f);
        EXPECT_GT(quads[0].y1 - quads[0].y0, 3.0f);
    }
    // A box takes a pen step like any character: the text after it stays put.
    auto mixed = layout(
        "a\x01"
        "b");
    ASSERT_EQ(mixed.size(), 3u);
    auto plain = layout("aXb");
    EXPECT_FLOAT_EQ(mixed[2].x0, plain[2].x0);
}

TEST(Font, Utf8IsDecodedAndStrayBytesReadAsLatin1) {
    EXPECT_EQ(decode("Si'"), (std::vector<char32_t>{'S', 'i', '\''}));
    EXPECT_EQ(decode("citt\xC3\xA0"), (std::vector<char32_t>{'c', 'i', 't', 't', 0xE0}));
    EXPECT_EQ(decode("\xE2\x82\xAC\xF0\x9F\x98\x80"), (std::vector<char32_t>{0x20AC, 0x1F600}));
    // A lone Latin-1 byte, a cut sequence at the end, an overlong slash and an
    // encoded surrogate are not UTF-8: each byte stands for itself.
    EXPECT_EQ(decode("perch\xE9!"), (std::vector<char32_t>{'p', 'e', 'r', 'c', 'h', 0xE9, '!'}));
    EXPECT_EQ(decode("a\xC3"), (std::vector<char32_t>{'a', 0xC3}));
    EXPECT_EQ(decode("\xC0\xAF"), (std::vector<char32_t>{0xC0, 0xAF}));
    EXPECT_EQ(decode("\xED\xA0\x80"), (std::vector<char32_t>{0xED, 0xA0, 0x80}));
    // Accented text draws one glyph per character, not per byte.
    EXPECT_EQ(layout("\xC3\xA8\xC3\xA9\xC3\xB2").size(), 3u);
}

TEST(Font, TextIsClippedToItsRectangle) {
    // The game's rectangle: 20 pixels per character and 20 high.
    const std::string text = "Gioca";
    auto full = layout(text, 400, 280, 400 + 20 * int(text.size()), 300);
    ASSERT_EQ(full.size(), text.size());
    for (const auto& q : full) {
        EXPECT_GE(q.x0, 400.0f);
        EXPECT_GE(q.y0, 280.0f);
        EXPECT_LE(q.y1, 300.0f);
        // One texel per pixel, after any clipping.
        EXPECT_FLOAT_EQ(q.x1 - q.x0, q.u1 - q.u0);
        EXPECT_FLOAT_EQ(q.y1 - q.y0, q.v1 - q.v0);
    }
    // A rectangle ending inside the third character cuts it and drops the rest.
    const float cut = full[2].x0 + 2;
    auto clipped = layout(text, 400, 280, int(cut), 300);
    ASSERT_EQ(clipped.size(), 3u);
    EXPECT_FLOAT_EQ(clipped[2].x1, cut);
    EXPECT_FLOAT_EQ(clipped[2].u1 - clipped[2].u0, clipped[2].x1 - clipped[2].x0);
    EXPECT_FLOAT_EQ(clipped[2].u0, full[2].u0);
    // Cut from below: the visible part keeps the upper texels.
    auto whole = layout("H", 0, 0, 100, 100);
    ASSERT_EQ(whole.size(), 1u);
    const float middle = float(int((whole[0].y0 + whole[0].y1) / 2));
    auto upper = layout("H", 0, 0, 100, int(middle));
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_FLOAT_EQ(upper[0].y1, middle);
    EXPECT_FLOAT_EQ(upper[0].v0, whole[0].v0);
    EXPECT_FLOAT_EQ(upper[0].v1, whole[0].v0 + (middle - whole[0].y0));
    // Nothing at all once the rectangle is empty.
    EXPECT_TRUE(layout("H", 50, 50, 50, 100).empty());
}

TEST(Font, NewlinesStartALowerLineAtTheLeftEdge) {
    auto quads = layout("A\nB", 10, 20);
    ASSERT_EQ(quads.size(), 2u);
    auto single = layout("B", 10, 20);
    EXPECT_FLOAT_EQ(quads[1].x0, single[0].x0);
    EXPECT_FLOAT_EQ(quads[1].y0, single[0].y0 + float(atlas().lineHeight));
    // A line below the rectangle is not drawn at all.
    EXPECT_EQ(layout("A\nB", 10, 20, 200, 20 + atlas().lineHeight).size(), 1u);
}
