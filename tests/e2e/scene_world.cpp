// Writes world slot files for the end-to-end tests of the world drawing.
//
//   velmora_scene_world seed SEED DIR
//       The world the game makes from SEED, as slot 1 in DIR.
//   velmora_scene_world hole DIR [torch]
//       At night, flat stone ground, and in front of where the player stands
//       (looking along +z) a block of stone with a dark room inside, open
//       towards the player through a short tunnel; with `torch`, a torch
//       stands in the room.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/playing.h"
#include "platform/headless/headless.h"
#include "world/generation.h"
#include "world/save_files.h"
#include "world/world.h"

namespace {

void fill(World& world, int x0, int y0, int z0, int x1, int y1, int z1, Cell c) {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y)
            for (int z = z0; z <= z1; ++z) cell(world, x, y, z) = c;
}

int save(const World& world, const std::string& dir) {
    return saveWorldTo(world, dir + "/Mondo1.data", dir + "/SemeM1.data") ==
                   WorldResult::Done
               ? 0
               : 1;
}

}  // namespace

int main(int argc, char** argv) {
    headless::reset();
    World world;
    // Nothing is drawn while a scene is made.
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "seed" && argc == 4) {
        if (generateWorldFromSeed(world, int32_t(std::atol(argv[2]))) != WorldResult::Done)
            return 1;
        return save(world, argv[3]);
    }
    if (what == "hole" && argc >= 3) {
        if (allocateWorldStorage(world) != WorldResult::Done) return 1;
        resetWorldValues(world);
        world.Seed = 7;
        world.DayTime = 120;  // midnight: the sky gives little
        const Cell stone{7, 0}, air{0, 0};
        fill(world, 480, 90, 480, 520, 100, 540, stone);
        fill(world, 494, 101, 505, 506, 116, 518, stone);  // the block, roof 6 thick
        fill(world, 496, 101, 507, 504, 110, 516, air);    // the room
        fill(world, 499, 103, 505, 501, 106, 506, air);    // the tunnel towards the player
        if (argc > 3 && std::string(argv[3]) == "torch") cell(world, 500, 104, 514) = Cell{24, 0};
        return save(world, argv[2]);
    }
    std::fprintf(stderr, "usage: velmora_scene_world seed SEED DIR | hole DIR [torch]\n");
    return 2;
}
