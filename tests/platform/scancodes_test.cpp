// The keyboard translation: the game's bindings are DirectInput codes, so a
// wrong entry silently moves a control to another key.
#include <gtest/gtest.h>

#include <map>

#include "platform/keys.h"
#include "platform/sdl/scancodes.h"

using sdlplat::directInputCode;

TEST(ScanCodes, EveryKeyTheGameReadsComesFromItsKey) {
    EXPECT_EQ(directInputCode(SDL_SCANCODE_ESCAPE), key::Escape);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_1), key::Digit1);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_9), key::Digit9);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_0), key::Digit0);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_Q), key::Q);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_W), key::W);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_E), key::E);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_R), key::R);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_I), key::I);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_RETURN), key::Return);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_A), key::A);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_S), key::S);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_D), key::D);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_SPACE), key::Space);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_F3), key::F3);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_F4), key::F4);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_F5), key::F5);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_UP), key::Up);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_LEFT), key::Left);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_RIGHT), key::Right);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_DOWN), key::Down);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_DELETE), key::Delete);
}

TEST(ScanCodes, DigitsAndLetterRowsRunInKeyboardOrder) {
    // Digits 1..9 are consecutive codes; the hotbar depends on it.
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(directInputCode(SDL_Scancode(SDL_SCANCODE_1 + i)), key::Digit1 + i) << i;
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const uint8_t firsts[] = {0x10, 0x1E, 0x2C};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; rows[r][i]; ++i)
            EXPECT_EQ(directInputCode(SDL_Scancode(SDL_SCANCODE_A + (rows[r][i] - 'A'))),
                      firsts[r] + i)
                << rows[r][i];
    // F1..F10 are consecutive, F11 and F12 stand apart.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(directInputCode(SDL_Scancode(SDL_SCANCODE_F1 + i)), 0x3B + i) << "F" << i + 1;
    EXPECT_EQ(directInputCode(SDL_SCANCODE_F11), 0x57);
    EXPECT_EQ(directInputCode(SDL_SCANCODE_F12), 0x58);
}

TEST(ScanCodes, NoTwoKeysShareACodeAndUnknownKeysGiveNone) {
    std::map<uint8_t, int> seen;
    int mapped = 0;
    for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
        const uint8_t code = directInputCode(SDL_Scancode(s));
        if (code == 0) continue;
        ++mapped;
        auto [it, fresh] = seen.emplace(code, s);
        EXPECT_TRUE(fresh) << "code " << int(code) << " from scan codes " << it->second << " and "
                           << s;
    }
    EXPECT_GE(mapped, 100);  // the whole usual keyboard, keypad included
    EXPECT_EQ(directInputCode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(directInputCode(SDL_Scancode(-1)), 0);
    EXPECT_EQ(directInputCode(SDL_Scancode(SDL_NUM_SCANCODES)), 0);
}
