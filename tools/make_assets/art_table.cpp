#include "art_table.h"

#include <cstdio>
#include <stdexcept>

#include "pictures.h"

namespace art {

namespace {

constexpr Kind F = Kind::Face, I = Kind::Icon;

// One row per texture number, in order. The painters are small lambdas so
// that the table reads as the list of pictures.
const Picture kPictures[kTextureCount] = {
    {0, 32, 32, F, "cobblestone", [](Image& m) { paintRock(m, Rock::Cobblestone); }},
    {1, 32, 32, F, "dirt", [](Image& m) { paintGround(m, Ground::Dirt); }},
    {2, 32, 32, F, "grass-topped dirt, side", [](Image& m) { paintGround(m, Ground::GrassSide); }},
    {3, 32, 32, F, "grass, top", [](Image& m) { paintGround(m, Ground::GrassTop); }},
    {4, 32, 32, F, "gravel", [](Image& m) { paintGround(m, Ground::Gravel); }},
    {5, 32, 32, F, "leaves", [](Image& m) { paintGround(m, Ground::Leaves); }},
    {6, 32, 32, F, "raw wood, log end with rings", [](Image& m) { paintWood(m, Wood::LogEnd); }},
    {7, 32, 32, F, "raw wood, bark", [](Image& m) { paintWood(m, Wood::Bark); }},
    {8, 32, 32, F, "sand", [](Image& m) { paintGround(m, Ground::Sand); }},
    {9, 32, 32, F, "stone", [](Image& m) { paintRock(m, Rock::Stone); }},
    {10, 32, 32, F, "mossy cobblestone (spare)",
     [](Image& m) { paintRock(m, Rock::MossyCobblestone); }},
    {11, 32, 32, F, "stone bricks (spare)", [](Image& m) { paintRock(m, Rock::StoneBricks); }},
    {12, 2, 2, Kind::Screen, "crosshair dot, white", [](Image& m) { paintWidget(m, Widget::Dot); }},
    {13, 32, 32, Kind::Screen, "empty cell, dark square",
     [](Image& m) { paintWidget(m, Widget::DarkSquare); }},
    {14, 36, 36, Kind::Frame, "mark frame, amber",
     [](Image& m) { paintWidget(m, Widget::MarkFrame); }},
    {15, 32, 32, F, "wooden planks", [](Image& m) { paintWood(m, Wood::Planks); }},
    {16, 32, 32, F, "scheelite ore", [](Image& m) { paintOre(m, Ore::Scheelite); }},
    {17, 32, 32, F, "hematite ore", [](Image& m) { paintOre(m, Ore::Hematite); }},
    {18, 32, 32, F, "quartz ore", [](Image& m) { paintOre(m, Ore::Quartz); }},
    {19, 32, 32, F, "argentite ore", [](Image& m) { paintOre(m, Ore::Argentite); }},
    {20, 32, 32, F, "gold ore", [](Image& m) { paintOre(m, Ore::Gold); }},
    {21, 32, 32, F, "sperrylite ore", [](Image& m) { paintOre(m, Ore::Sperrylite); }},
    {22, 32, 32, F, "saphire ore", [](Image& m) { paintOre(m, Ore::Saphire); }},
    {23, 32, 32, F, "ruby ore", [](Image& m) { paintOre(m, Ore::Ruby); }},
    {24, 32, 32, F, "emerald ore", [](Image& m) { paintOre(m, Ore::Emerald); }},
    {25, 32, 32, F, "diamond ore", [](Image& m) { paintOre(m, Ore::Diamond); }},
    {26, 32, 32, F, "coal ore", [](Image& m) { paintOre(m, Ore::Coal); }},
    {27, 32, 32, F, "petroleum ore", [](Image& m) { paintOre(m, Ore::Petroleum); }},
    {28, 32, 32, I, "stick", [](Image& m) { paintThing(m, Thing::Stick); }},
    {29, 32, 32, I, "torch", [](Image& m) { paintThing(m, Thing::Torch); }},
    {30, 32, 32, Kind::Overlay, "cracks, stage 0", [](Image& m) { paintCracks(m, 0); }},
    {31, 32, 32, Kind::Overlay, "cracks, stage 1", [](Image& m) { paintCracks(m, 1); }},
    {32, 32, 32, Kind::Overlay, "cracks, stage 2", [](Image& m) { paintCracks(m, 2); }},
    {33, 32, 32, Kind::Overlay, "cracks, stage 3", [](Image& m) { paintCracks(m, 3); }},
    {34, 32, 32, Kind::Overlay, "cracks, stage 4", [](Image& m) { paintCracks(m, 4); }},
    {35, 32, 32, Kind::Overlay, "cracks, stage 5", [](Image& m) { paintCracks(m, 5); }},
    {36, 32, 32, Kind::Overlay, "cracks, stage 6", [](Image& m) { paintCracks(m, 6); }},
    {37, 32, 32, Kind::Overlay, "cracks, stage 7", [](Image& m) { paintCracks(m, 7); }},
    {38, 32, 32, I, "status: round badge", [](Image& m) { paintBadge(m, Badge::RoundBadge); }},
    {39, 32, 32, I, "status: green star medal", [](Image& m) { paintBadge(m, Badge::StarMedal); }},
    {40, 32, 32, I, "status: star", [](Image& m) { paintBadge(m, Badge::Star); }},
    {41, 32, 32, I, "status: coin", [](Image& m) { paintBadge(m, Badge::Coin); }},
    {42, 32, 32, I, "status: small cross", [](Image& m) { paintBadge(m, Badge::Cross); }},
    {43, 1024, 1024, Kind::Screen, "menu background: earth, turf on top, light panel",
     [](Image& m) { paintMenuBackground(m); }},
    {44, 16, 16, Kind::Screen, "menu arrow: white triangle on black",
     [](Image& m) { paintWidget(m, Widget::Arrow); }},
    {45, 36, 36, Kind::Frame, "cursor frame, white",
     [](Image& m) { paintWidget(m, Widget::CursorFrame); }},
    {46, 32, 32, F, "furnace, front", [](Image& m) { paintStation(m, Station::FurnaceFront); }},
    {47, 32, 32, F, "furnace, sides", [](Image& m) { paintStation(m, Station::FurnaceSide); }},
    {48, 32, 32, F, "crafting table, top", [](Image& m) { paintStation(m, Station::TableTop); }},
    {49, 32, 32, F, "crafting table, sides", [](Image& m) { paintStation(m, Station::TableSide); }},
    {50, 32, 32, I, "tungsten ingot", [](Image& m) { paintIngot(m, Metal::Tungsten); }},
    {51, 32, 32, I, "iron ingot", [](Image& m) { paintIngot(m, Metal::Iron); }},
    {52, 32, 32, I, "silicon ingot", [](Image& m) { paintIngot(m, Metal::Silicon); }},
    {53, 32, 32, I, "silver ingot", [](Image& m) { paintIngot(m, Metal::Silver); }},
    {54, 32, 32, I, "gold ingot", [](Image& m) { paintIngot(m, Metal::Gold); }},
    {55, 32, 32, I, "platinum ingot", [](Image& m) { paintIngot(m, Metal::Platinum); }},
    {56, 32, 32, I, "saphire", [](Image& m) { paintGem(m, Gem::Saphire); }},
    {57, 32, 32, I, "ruby", [](Image& m) { paintGem(m, Gem::Ruby); }},
    {58, 32, 32, I, "emerald", [](Image& m) { paintGem(m, Gem::Emerald); }},
    {59, 32, 32, I, "diamond", [](Image& m) { paintGem(m, Gem::Diamond); }},
    {60, 32, 32, I, "coal", [](Image& m) { paintThing(m, Thing::Coal); }},
    {61, 32, 32, I, "petroleum", [](Image& m) { paintThing(m, Thing::Petroleum); }},
    {62, 32, 32, I, "copper ingot", [](Image& m) { paintIngot(m, Metal::Copper); }},
    {63, 32, 32, F, "anvil, top", [](Image& m) { paintStation(m, Station::AnvilTop); }},
    {64, 32, 32, F, "anvil, sides", [](Image& m) { paintStation(m, Station::AnvilSide); }},
    {65, 32, 32, F, "anvil, bottom", [](Image& m) { paintStation(m, Station::AnvilBottom); }},
    {66, 32, 32, I, "copper sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Copper); }},
    {67, 32, 32, I, "iron sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Iron); }},
    {68, 32, 32, I, "silver sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Silver); }},
    {69, 32, 32, I, "golden sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Gold); }},
    {70, 32, 32, I, "platinum sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Platinum); }},
    {71, 32, 32, I, "wooden sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Wood); }},
    {72, 32, 32, I, "copper pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Copper); }},
    {73, 32, 32, I, "iron pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Iron); }},
    {74, 32, 32, I, "silver pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Silver); }},
    {75, 32, 32, I, "golden pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Gold); }},
    {76, 32, 32, I, "platinum pickaxe",
     [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Platinum); }},
    {77, 32, 32, I, "wooden pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Wood); }},
    {78, 32, 32, I, "copper axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Copper); }},
    {79, 32, 32, I, "iron axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Iron); }},
    {80, 32, 32, I, "silver axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Silver); }},
    {81, 32, 32, I, "golden axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Gold); }},
    {82, 32, 32, I, "platinum axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Platinum); }},
    {83, 32, 32, I, "wooden axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Wood); }},
    {84, 32, 32, I, "steel sword", [](Image& m) { paintTool(m, Tool::Sword, Metal::Steel); }},
    {85, 32, 32, I, "steel pickaxe", [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Steel); }},
    {86, 32, 32, I, "steel axe", [](Image& m) { paintTool(m, Tool::Axe, Metal::Steel); }},
    {87, 32, 32, I, "steel ingot", [](Image& m) { paintIngot(m, Metal::Steel); }},
    {88, 32, 32, F, "cementite", [](Image& m) { paintRock(m, Rock::Cementite); }},
    {89, 32, 32, F, "cuprite", [](Image& m) { paintOre(m, Ore::Cuprite); }},
    {90, 800, 32, Kind::Screen, "status strip",
     [](Image& m) { paintWidget(m, Widget::StatusStrip); }},
    {91, 32, 32, I, "status: heart", [](Image& m) { paintBadge(m, Badge::Heart); }},
    {92, 32, 32, I, "status: flower", [](Image& m) { paintBadge(m, Badge::Flower); }},
    {93, 32, 32, I, "copper snippet", [](Image& m) { paintThing(m, Thing::CopperSnippet); }},
    {94, 32, 32, I, "tungsten snippet", [](Image& m) { paintThing(m, Thing::TungstenSnippet); }},
    {95, 32, 32, F, "chest, front", [](Image& m) { paintStation(m, Station::ChestFront); }},
    {96, 32, 32, F, "chest, sides", [](Image& m) { paintStation(m, Station::ChestSide); }},
    {97, 32, 32, F, "chest, top and bottom", [](Image& m) { paintStation(m, Station::ChestTop); }},
    {98, 32, 32, I, "diamond pickaxe",
     [](Image& m) { paintTool(m, Tool::Pickaxe, Metal::Diamond); }},
    {99, 32, 32, I, "silica", [](Image& m) { paintThing(m, Thing::Silica); }},
    {100, 32, 32, F, "glass: pale pane, light frame", [](Image& m) { paintGlass(m); }},
    {101, 32, 32, F, "torch stick side, glowing end on top",
     [](Image& m) { paintTorchPart(m, TorchPart::Side); }},
    {102, 32, 32, F, "torch stick top, ember", [](Image& m) { paintTorchPart(m, TorchPart::Cap); }},
    {103, 48, 48, F, "plain block with black rim (any other block; target outline colour)",
     [](Image& m) { paintPlainBlock(m); }},
};

}  // namespace

int resourceOfTexture(int texture) {
    return texture == kTextureCount - 1 ? 0 : texture + 1;
}

int textureOfResource(int resource) {
    return resource == 0 ? kTextureCount - 1 : resource - 1;
}

const Picture& picture(int texture) {
    if (texture < 0 || texture >= kTextureCount) throw std::out_of_range("no such texture");
    return kPictures[texture];
}

Image paintTexture(int texture) {
    const Picture& p = picture(texture);
    Image img(p.w, p.h, kClear);
    p.paint(img);
    return img;
}

std::vector<uint8_t> resourceBmp(int resource) {
    return encodeBmp(paintTexture(textureOfResource(resource)));
}

std::string resourceFileName(int resource) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.bmp", resource);
    return name;
}

std::string readmeText() {
    std::string text =
        "# Images\n\n"
        "`images/NNN.bmp` is bitmap resource NNN, painted by `tools/make_assets` (build the\n"
        "`make_assets` target and run `make_assets assets` from the source folder to repaint\n"
        "them; never edit them by hand, a test compares them with the painter's output).\n"
        "Texture number n comes from resource n + 1; texture 103 from resource 0.\n\n"
        "All are 24-bit uncompressed BMP, stored bottom-up. Pure magenta (255, 0, 255) marks\n"
        "transparent texels. The top row of a picture is v = 0; on side faces it is the top.\n\n"
        "| Resource | Texture | Size | Picture |\n|---|---|---|---|\n";
    for (int resource = 0; resource < kTextureCount; ++resource) {
        const Picture& p = picture(textureOfResource(resource));
        char row[200];
        std::snprintf(row, sizeof row, "| %03d | %d | %d x %d | %s |\n", resource, p.texture, p.w,
                      p.h, p.what);
        text += row;
    }
    return text;
}

}  // namespace art
