// Keyboard scan codes as the game reads them (DirectInput numbering), so that
// the bindings stay the same whatever the platform layer underneath.
#pragma once

#include <cstdint>

namespace key {

inline constexpr uint8_t Escape = 0x01;
inline constexpr uint8_t Digit1 = 0x02;  // Digit1 .. Digit9 are 0x02 .. 0x0A
inline constexpr uint8_t Digit9 = 0x0A;
inline constexpr uint8_t Digit0 = 0x0B;
inline constexpr uint8_t Q = 0x10;
inline constexpr uint8_t W = 0x11;
inline constexpr uint8_t E = 0x12;
inline constexpr uint8_t R = 0x13;
inline constexpr uint8_t I = 0x17;
inline constexpr uint8_t Return = 0x1C;
inline constexpr uint8_t A = 0x1E;
inline constexpr uint8_t S = 0x1F;
inline constexpr uint8_t D = 0x20;
inline constexpr uint8_t Space = 0x39;
inline constexpr uint8_t F3 = 0x3D;
inline constexpr uint8_t F4 = 0x3E;
inline constexpr uint8_t F5 = 0x3F;
inline constexpr uint8_t Up = 0xC8;
inline constexpr uint8_t Left = 0xCB;
inline constexpr uint8_t Right = 0xCD;
inline constexpr uint8_t Down = 0xD0;
inline constexpr uint8_t Delete = 0xD3;

inline constexpr uint8_t kHeld = 0x80;

}  // namespace key
