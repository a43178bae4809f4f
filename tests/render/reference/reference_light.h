// The light map computed the literal way, in full, every frame: the sky pass
// down every column of the box and the torch pass over the torches it found.
// For tests and benchmarks only: it judges the cached light of the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace reference {

struct TorchEntry {
    int16_t o, y, u;  // x offset from the player's cell, row, z offset
};

struct LightMap {
    // [column along x][row][column along z], columns 0..2R of the box.
    std::vector<uint8_t> levels = std::vector<uint8_t>(size_t(154) * 200 * 154, 0);
    std::vector<TorchEntry> torchList;
    int radius = 20, cx = 0, cy = 0, cz = 0, yTop = 0, yBottom = 0;
    uint8_t start = 0;  // the sky's level at the top

    uint8_t& at(int xi, int y, int zi) {
        return levels[size_t(xi) * 30800 + size_t(y) * 154 + size_t(zi)];
    }
};

const LightMap& lightMap();
void computeLightMap();
// The level a face reads for light cell (xi, y, zi) of the box. Cells the
// passes do not compute this frame (a column just outside the box, a row above
// its top or below its bottom) read the sky level continued as if the box
// reached them, raised by the torches that shine this frame.
uint8_t lightAt(int xi, int y, int zi);
void resetLightMap();

}  // namespace reference
