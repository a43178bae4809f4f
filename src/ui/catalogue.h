// The item catalogue: what each block and item type is called and looks like.
#pragma once

#include <cstdint>

// Writes the type's name in the current language into buffer ("" for none).
void itemName(uint8_t type, char* buffer);
// The texture of the type's inventory icon; 13 (the dark square) for none.
uint8_t iconTexture(uint8_t type);
