// `map`: a top-down picture of a whole world. Every column takes the colour
// of its highest block, lighter the higher it stands above the ground level
// of a new world and darker below it; chests, crafting stations and the
// spawn column are marked on top. The cells are streamed: the picture and a
// byte per column for the marks are all that is kept.

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <stb/stb_image_write.h>

#include "commands.h"
#include "platform/files.h"
#include "progress.h"
#include "world/block_types.h"
#include "world_stream.h"

namespace {

constexpr int kMaxScale = 4;  // 4000 x 4000 pixels, 48 MB while it is made
constexpr int kGroundLevel = 100;
constexpr int kSpawnX = 500, kSpawnZ = 500;

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kEmptyColumn{20, 20, 28};
constexpr Rgb kGrass{96, 164, 60};
// Whatever the game never puts into the grid (items, unnamed types).
constexpr Rgb kStrange{255, 0, 255};
constexpr Rgb kOutline{0, 0, 0};
constexpr Rgb kChestMark{230, 40, 30};
constexpr Rgb kStationMark{40, 110, 255};
constexpr Rgb kSpawnMark{255, 255, 255};

enum Mark : uint8_t { kNoMark = 0, kChest = 1, kStation = 2 };

struct Paint {
    uint8_t type;
    Rgb colour;
    Mark mark = kNoMark;
};

// clang-format off
constexpr Paint kPaints[] = {
    {block::Cobblestone, {105, 105, 105}},
    {block::Dirt, {134, 96, 67}},  // grassy dirt is kGrass
    {block::Gravel, {140, 130, 125}},
    {block::Leaves, {42, 112, 38}},
    {block::RawWood, {110, 84, 50}},
    {block::Sand, {220, 206, 150}},
    {block::Stone, {128, 128, 128}},
    {block::WoodenPlanks, {176, 140, 86}},
    {block::Scheelite, {200, 170, 110}},
    {block::Hematite, {150, 60, 50}},
    {block::Quartz, {235, 232, 225}},
    {block::Argentite, {170, 175, 190}},
    {block::GoldOre, {235, 190, 40}},
    {block::Sperrylite, {205, 210, 220}},
    {block::SaphireOre, {40, 70, 200}},
    {block::RubyOre, {200, 20, 60}},
    {block::EmeraldOre, {30, 190, 90}},
    {block::DiamondOre, {90, 225, 225}},
    {block::CoalOre, {45, 45, 45}},
    {block::PetroleumOre, {25, 20, 35}},
    {block::Torch, {255, 220, 90}},
    {block::Cuprite, {190, 95, 50}},
    {block::Furnace, {90, 90, 90}, kStation},
    {block::CraftingTable, {150, 105, 60}, kStation},
    {block::Anvil, {60, 60, 70}, kStation},
    {block::Cementite, {150, 150, 165}},
    {65, {200, 110, 60}},   // copper snippet
    {66, {110, 110, 120}},  // tungsten snippet
    {block::ChestFacingMinusZ, {160, 110, 40}, kChest},
    {block::ChestFacingMinusX, {160, 110, 40}, kChest},
    {block::ChestFacingPlusX, {160, 110, 40}, kChest},
    {block::ChestFacingPlusZ, {160, 110, 40}, kChest},
    {block::Glass, {190, 225, 235}},
};
// clang-format on

struct Palette {
    Rgb colour[256];
    Mark mark[256];
};

constexpr Palette makePalette() {
    Palette p{};
    for (int t = 0; t < 256; ++t) p.colour[t] = kStrange, p.mark[t] = kNoMark;
    for (const Paint& paint : kPaints) {
        p.colour[paint.type] = paint.colour;
        p.mark[paint.type] = paint.mark;
    }
    return p;
}
constexpr Palette kPalette = makePalette();

// Up to 60 cells above the ground a column fades toward white, below it
// toward black, 1/80 of the way per cell: hills and pits read at a glance.
Rgb shade(Rgb c, int y) {
    const int d = y - kGroundLevel;
    const int k = d > 60 ? 60 : d < -60 ? -60 : d;
    auto channel = [k](int v) { return uint8_t(k >= 0 ? v + (255 - v) * k / 80 : v + v * k / 80); };
    return Rgb{channel(c.r), channel(c.g), channel(c.b)};
}

// The highest block of a column, as the stream finds it.
struct ColumnTop {
    Cell cell;
    uint8_t y;
};

Rgb columnColour(const ColumnTop& top) {
    if (top.cell.type == block::Air) return kEmptyColumn;
    const Rgb base =
        top.cell.type == block::Dirt && top.cell.aux == 1 ? kGrass : kPalette.colour[top.cell.type];
    return shade(base, top.y);
}

// RGB, column x to the right and z downward, `scale` pixels a column.
struct Picture {
    int scale = 1;
    int side = 0;
    std::vector<uint8_t> rgb;

    explicit Picture(int s) : scale(s), side(kWorldSizeX * s), rgb(size_t(side) * side * 3) {}
    void paintColumn(int x, int z, Rgb c) {
        if (unsigned(x) >= unsigned(kWorldSizeX) || unsigned(z) >= unsigned(kWorldSizeZ)) return;
        for (int dz = 0; dz < scale; ++dz) {
            uint8_t* p = &rgb[(size_t(z * scale + dz) * side + size_t(x * scale)) * 3];
            for (int dx = 0; dx < scale; ++dx, p += 3) p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    }
    void paintSquare(int x, int z, int radius, Rgb c) {
        for (int i = -radius; i <= radius; ++i)
            for (int j = -radius; j <= radius; ++j) paintColumn(x + i, z + j, c);
    }
};

// Colours one x-row of cells into the picture and notes its marked columns.
void paintRow(const Cell* row, int x, Picture& picture, uint8_t* marks) {
    ColumnTop top[kWorldSizeZ] = {};
    uint8_t* rowMarks = marks + size_t(x) * kWorldSizeZ;
    for (int y = 0; y < kWorldSizeY; ++y) {
        const Cell* layer = row + size_t(y) * kWorldSizeZ;
        for (int z = 0; z < kWorldSizeZ; ++z) {
            const Cell c = layer[z];
            if (c.type == block::Air) continue;
            top[z] = ColumnTop{c, uint8_t(y)};
            rowMarks[z] |= kPalette.mark[c.type];
        }
    }
    for (int z = 0; z < kWorldSizeZ; ++z) picture.paintColumn(x, z, columnColour(top[z]));
}

// Marks go over the terrain: first every outline, so that one mark's
// outline never covers a neighbour's middle, then stations, then chests
// (a column holding both shows the chest), then the spawn cross.
void paintMarks(const uint8_t* marks, Picture& picture) {
    for (int x = 0; x < kWorldSizeX; ++x)
        for (int z = 0; z < kWorldSizeZ; ++z)
            if (marks[size_t(x) * kWorldSizeZ + z]) picture.paintSquare(x, z, 2, kOutline);
    for (Mark kind : {kStation, kChest})
        for (int x = 0; x < kWorldSizeX; ++x)
            for (int z = 0; z < kWorldSizeZ; ++z)
                if (marks[size_t(x) * kWorldSizeZ + z] & kind)
                    picture.paintSquare(x, z, 1, kind == kChest ? kChestMark : kStationMark);
    for (int i = -5; i <= 5; ++i) {
        for (int w = -1; w <= 1; ++w) {
            picture.paintColumn(kSpawnX + i, kSpawnZ + w, kOutline);
            picture.paintColumn(kSpawnX + w, kSpawnZ + i, kOutline);
        }
    }
    for (int i = -4; i <= 4; ++i) {
        picture.paintColumn(kSpawnX + i, kSpawnZ, kSpawnMark);
        picture.paintColumn(kSpawnX, kSpawnZ + i, kSpawnMark);
    }
}

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

// The picture as PNG bytes; empty when it could not be made.
std::vector<uint8_t> encodePng(const Picture& picture) {
    std::vector<uint8_t> png;
    png.reserve(picture.rgb.size() / 8);
    // The fastest level: the map's long runs of one colour pack well at any.
    stbi_write_png_compression_level = 1;
    if (!stbi_write_png_to_func(appendBytes, &png, picture.side, picture.side, 3,
                                picture.rgb.data(), picture.side * 3))
        png.clear();
    return png;
}

// What stands at a slot's names: world and seed files, their backups,
// temporaries and lock ("Mondo2.data", "SemeM2.data.bak1", ...).
bool slotFileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const bool stem = name.compare(0, 5, "Mondo") == 0 || name.compare(0, 5, "SemeM") == 0;
    return stem && name.size() >= 11 && name[5] >= '1' && name[5] <= '4' &&
           name.compare(6, 5, ".data") == 0 && (name.size() == 11 || name[11] == '.');
}

// A seed file by content: a few digits, maybe after a minus, and nothing else.
bool seedLike(const char* path) {
    char bytes[kSeedFileBytes + 1];
    const long n = plat::readSmallFile(path, bytes, sizeof bytes);
    if (n < 1 || n > long(kSeedFileBytes)) return false;
    for (long i = 0; i < n; ++i)
        if ((bytes[i] < '0' || bytes[i] > '9') && !(i == 0 && bytes[i] == '-' && n > 1))
            return false;
    return true;
}

// Why `out` may not take the picture (nullptr when it may): a world is never
// lost to a typo in --out, and anything else that exists only with --force.
const char* refusedOutput(const char* out, bool force) {
    if (slotFileName(out)) return "is named as a world slot's file";
    const plat::PathKind kind = plat::pathKind(out);
    if (kind == plat::PathKind::Missing) return nullptr;  // nothing there yet
    auto trailer = std::make_unique<WorldTrailer>();
    if (readWorldTrailer(out, *trailer) == WorldFileCheck::Good) return "is a world file";
    if (seedLike(out)) return "looks like a seed file";
    if (kind == plat::PathKind::Folder) return "is a folder";
    if (kind == plat::PathKind::Other) return "is not a regular file";
    if (!force) return "exists (--force replaces it)";
    return nullptr;
}

int usageError(const char* what, const char* arg) {
    std::fprintf(stderr, "velmora-world map: %s '%s'\n", what, arg);
    printUsage();
    return kExitUsage;
}

}  // namespace

void printMapHelp() {
    std::printf(
        "usage: velmora-world map FILE --out PICTURE.png [--scale N] [--force]\n"
        "\n"
        "Draws world file FILE from above as a PNG picture: column (x, z) is the pixel\n"
        "x to the right and z down, coloured by its highest block (grass, dirt,\n"
        "sand, stone, leaves, wood, glass, ores, ...; magenta for blocks the game\n"
        "never places), lighter the higher it stands above the ground level 100\n"
        "and darker below it. Black-edged red squares mark columns holding a chest,\n"
        "blue ones a crafting table, furnace or anvil (at any height), and a white\n"
        "cross the spawn column (500, 500).\n"
        "\n"
        "  --scale N  N x N pixels per column, 1 to %d (default 1: 1000 x 1000)\n"
        "  --force    replace PICTURE.png when it exists already\n"
        "\n"
        "The picture is written only once the whole file has been read, and\n"
        "replaces PICTURE.png atomically. Without --force an existing PICTURE.png is\n"
        "refused; even with it, so is any world, seed, backup or other file of a\n"
        "slot (by its name or its content), a folder or a FIFO. Exit status 1 when\n"
        "FILE is missing, damaged or unreadable, or the picture cannot be written;\n"
        "nothing is written then. Exit status 2 for bad arguments and a refused\n"
        "PICTURE.png. Progress goes to standard error on a terminal.\n",
        kMaxScale);
}

int runMap(int argc, char** argv) {
    const char* path = nullptr;
    const char* out = nullptr;
    int scale = 1;
    bool force = false, scaleGiven = false;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            printMapHelp();
            return 0;
        }
        if (!std::strcmp(arg, "--force")) {
            if (force) return usageError("given twice:", arg);
            force = true;
            continue;
        }
        if (!std::strcmp(arg, "--out") || !std::strcmp(arg, "--scale")) {
            if (i + 1 >= argc) return usageError("missing value for", arg);
            if (!std::strcmp(arg, "--out") ? out != nullptr : scaleGiven)
                return usageError("given twice:", arg);
            const char* value = argv[++i];
            if (!std::strcmp(arg, "--out")) {
                out = value;
                continue;
            }
            long n = 0;
            if (!parseInt(value, 1, kMaxScale, n)) {
                std::fprintf(stderr, "velmora-world map: scale must be 1 to %d, not '%s'\n",
                             kMaxScale, value);
                return kExitUsage;
            }
            scale = int(n);
            scaleGiven = true;
        } else if (arg[0] == '-' || path) {
            return usageError("unknown argument", arg);
        } else {
            path = arg;
        }
    }
    if (!path || !out || !*out) {
        std::fprintf(stderr, "velmora-world map: a world file and --out PICTURE are needed\n");
        printUsage();
        return kExitUsage;
    }
    if (plat::sameFile(path, out)) {
        std::fprintf(stderr, "velmora-world map: the picture would replace the world file\n");
        return kExitUsage;
    }
    if (const char* why = refusedOutput(out, force)) {
        std::fprintf(stderr, "velmora-world map: %s %s; no picture written\n", out, why);
        return kExitUsage;
    }

    auto trailer = std::make_unique<WorldTrailer>();
    plat::InFile file;
    if (int status = openWorldFile(path, *trailer, file)) return status;

    Picture picture(scale);
    std::vector<uint8_t> marks(size_t(kWorldSizeX) * kWorldSizeZ, kNoMark);
    const bool read =
        streamCells(path, file, "mapping", [&](const Cell* cells, int firstX, int rows) {
            for (int r = 0; r < rows; ++r)
                paintRow(cells + size_t(r) * kRowCells, firstX + r, picture, marks.data());
        });
    if (!read) return kExitFailed;
    paintMarks(marks.data(), picture);

    const std::vector<uint8_t> png = encodePng(picture);
    if (png.empty()) {
        std::fprintf(stderr, "velmora-world map: the picture could not be made\n");
        return kExitFailed;
    }
    plat::WriteError error = plat::WriteError::None;
    if (!plat::replaceFile(out, png.data(), png.size(), &error)) {
        std::fprintf(stderr, "velmora-world map: could not write %s: %s\n", out,
                     plat::describe(error));
        return kExitFailed;
    }
    std::printf("%s: map of %d x %d pixels written to %s\n", path, picture.side, picture.side, out);
    return 0;
}
