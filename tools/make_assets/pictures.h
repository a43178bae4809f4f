// The picture families: each painter draws one kind of picture into an image
// already sized and cleared to transparent, chosen by a small variant number.
#pragma once

#include "image.h"

namespace art {

// ---- terrain and natural blocks (terrain.cpp) ----------------------------------
enum class Ground { Dirt, GrassTop, GrassSide, Sand, Gravel, Leaves };
enum class Rock { Stone, Cobblestone, MossyCobblestone, StoneBricks, Cementite };
enum class Wood { LogEnd, Bark, Planks };
// Ores share one stone ground; the variant picks the fleck style and colour.
enum class Ore {
    Scheelite,
    Hematite,
    Quartz,
    Argentite,
    Gold,
    Sperrylite,
    Saphire,
    Ruby,
    Emerald,
    Diamond,
    Coal,
    Petroleum,
    Cuprite
};
void paintGround(Image& img, Ground kind);
void paintRock(Image& img, Rock kind);
void paintWood(Image& img, Wood kind);
void paintOre(Image& img, Ore kind);
void paintGlass(Image& img);
// The face of any block without a picture of its own; its black rim is also
// the colour of the wireframe outline drawn around the targeted block.
void paintPlainBlock(Image& img);

// ---- crafting stations and chests (stations.cpp) ---------------------------------
enum class Station {
    FurnaceFront,
    FurnaceSide,
    TableTop,
    TableSide,
    AnvilTop,
    AnvilSide,
    AnvilBottom,
    ChestFront,
    ChestSide,
    ChestTop
};
void paintStation(Image& img, Station kind);

// ---- carried items (items.cpp) ---------------------------------------------------------
enum class Metal { Wood, Copper, Iron, Steel, Silver, Gold, Platinum, Diamond, Tungsten, Silicon };
enum class Tool { Sword, Pickaxe, Axe };
enum class Gem { Saphire, Ruby, Emerald, Diamond };
enum class Thing { Stick, Coal, Petroleum, Silica, CopperSnippet, TungstenSnippet, Torch };
enum class TorchPart { Side, Cap };
void paintTool(Image& img, Tool tool, Metal metal);
void paintIngot(Image& img, Metal metal);
void paintGem(Image& img, Gem gem);
void paintThing(Image& img, Thing thing);
void paintTorchPart(Image& img, TorchPart part);

// ---- interface pictures (interface.cpp) ---------------------------------------------
// Crack stage 0..7: white with ever more dark cracks, drawn with a minimum blend.
void paintCracks(Image& img, int stage);
enum class Badge { Heart, Flower, RoundBadge, StarMedal, Star, Coin, Cross };
void paintBadge(Image& img, Badge badge);
enum class Widget { Dot, DarkSquare, MarkFrame, CursorFrame, Arrow, StatusStrip };
void paintWidget(Image& img, Widget widget);
void paintMenuBackground(Image& img);

}  // namespace art
