#include "ui/text.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "platform/platform.h"

void drawText(int x, int y, uint32_t argb, const char* format, ...) {
    if (!format) return;
    char buffer[kTextBufferSize];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0) return;
    // The box is wider than any glyph of the font, so the text is never clipped.
    std::string_view text(buffer);
    int length = static_cast<int>(text.size());
    plat::drawText(x, y, x + 20 * length, y + 20, argb, text);
}
