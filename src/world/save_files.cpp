#include "world/save_files.h"

#include <cstdio>

#include "platform/platform.h"

std::string worldFilePath(int slot) {
    return plat::exeFolder() + "Mondo" + char('0' + slot) + ".data";
}
std::string seedFilePath(int slot) {
    return plat::exeFolder() + "SemeM" + char('0' + slot) + ".data";
}

bool slotOccupied(int slot) {
    std::FILE* f = std::fopen(worldFilePath(slot).c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// Placeholders until the slot files land.
int saveWorld() { return 0; }
int loadWorld() { return 0; }
