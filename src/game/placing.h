// Placing: a right click puts the hotbar cell's block into the grid beside
// the targeted face (turning furnaces, chests and torches to suit the face),
// or opens the targeted chest.
#pragma once

enum class PlaceResult : unsigned char {
    Nothing,      // refused, or nothing targeted
    Placed,       // a block went into the grid (it may have come straight back)
    OpenedChest,  // the chest screen is to open
};

// One accepted right click in the Playing update.
PlaceResult placeOrOpen();
