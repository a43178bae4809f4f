// The screens that are not menus and not the world: the progress screen with
// its pulsing word, the death screen, and the inventory and chest screens.
#pragma once

#include <cstdint>

#include "game/play.h"
#include "ui/screen_common.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

struct RenderState;  // render_state.h

// The progress word fades between 83 and 251 alpha, 8 steps per frame.
struct Pulse {
    int alpha = 251;
    bool falling = true;
};
// The pulse one frame on; its alpha is what the frame draws with.
Pulse nextPulse(Pulse pulse);

// Each begins and ends its own scene; < 0 when the scene could not begin.
// The progress screen reads "Saving" while a save runs, else "Loading", its
// word at the pulse's alpha.
int drawBusyScreen(const Options& options, const Settings& settings, bool saving, int alpha,
                   const Overlay& overlay);
int drawDeadScreen(const RenderState& renderer, const World& world, const Options& options,
                   const Settings& settings, const Play& play, const Overlay& overlay);
// The inventory screen, or the chest screen when `chest` is set.
int drawItemScreen(const World& world, const Options& options, const Settings& settings,
                   const ItemScreen& screen, bool chest, const Overlay& overlay);

// Where notices stand on these screens, clear of their own texts.
inline constexpr int kNoticeX = 300;
inline constexpr int kNoticeYMenus = 400;
inline constexpr int kNoticeYWorld = 420;
inline constexpr int kNoticeYItems = 560;
inline constexpr uint32_t kNoticeOnPanel = 0xFF990000;  // dark red on the light panel
inline constexpr uint32_t kNoticeOnWorld = 0xFFFFD040;  // amber over sky and ground
