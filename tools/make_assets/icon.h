// The desktop icon of the installed game, drawn from one of its block pictures.
#pragma once

#include <algorithm>

#include "image.h"

namespace art {

// The sizes desktops look for in the icon theme's folders.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

Image iconImage(int size);

}  // namespace art
