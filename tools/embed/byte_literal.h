// Byte arrays for the build-time tools that compile data into the game,
// written as string literals: compilers swallow a few megabytes of those in a
// blink, while brace lists of numbers that size take them seconds and
// gigabytes.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

// `alignas(16) const char NAME[] = "...";` holding `bytes` (and the literal's
// closing zero, which the readers do not count).
inline void writeByteLiteral(std::ostream& out, const std::string& name, std::string_view bytes) {
    out << "alignas(16) const char " << name << "[] =\n\"";
    int column = 1;
    for (unsigned char c : bytes) {
        char buf[8];
        // An octal escape always has its three digits, so a digit that follows
        // it cannot be taken as part of it.
        const int n = (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?')
                          ? std::snprintf(buf, sizeof buf, "%c", c)
                          : std::snprintf(buf, sizeof buf, "\\%03o", c);
        out.write(buf, n);
        column += n;
        if (column > 96) {
            out << "\"\n\"";
            column = 1;
        }
    }
    out << "\";\n";
}
