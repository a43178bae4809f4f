// Pieces every screen shares: starting the scene, the background picture, the
// frame counter and credit lines, the notice line and the sky colour.
#pragma once

#include <cstdint>

#include "ui/notice.h"
#include "world/options.h"
#include "world/settings.h"

inline constexpr int kBackgroundTexture = 43;
inline constexpr int kMenuArrowTexture = 44;

// Credit lines stand at the top-left corner, lower down over the world so
// that they clear the status strip.
inline constexpr int kCreditsTopMenus = 10;
inline constexpr int kCreditsTopWorld = 40;
inline constexpr bool kOverWorld = true;
inline constexpr bool kOnScreen = false;

// What every screen shows besides its own content: the frame counter, and the
// notice as it stands at the update's frame time (drawing never reads the
// clock itself).
struct Overlay {
    int fps = 0;
    int32_t now = 0;
    const Notice* notice = nullptr;
    Overlay(int fps_ = 0, int32_t now_ = 0, const Notice* notice_ = nullptr)
        : fps(fps_), now(now_), notice(notice_) {}
};

// Begins the scene and places what follows as the centred screen; on failure
// tells the player and returns < 0.
int beginSceneOrFail(const Options& options);
// The picture behind menus, the progress screen and item screens, with its
// earth carried on to the window's edges.
void drawBackground(const Options& options);
// "FPS: n" at the bottom right, then the two credit lines at the top left: on
// the screen's picture, or over the world at the window's corners.
void drawClosingTexts(const Options& options, const Settings& settings, int fps, bool overWorld);
// The overlay's notice, if one is showing, at (x, y).
void drawNoticeLine(const Settings& settings, const Overlay& overlay, int x, int y, uint32_t argb);
// The clear colour of the sky at the given brightness (0.5625 .. 1).
uint32_t skyColour(float luminance);
