#include "ui/layout.h"

#include <algorithm>

#include "world/options.h"

namespace {

// Which edge each part keeps its distance from, in halves of the spare room:
// 0 the left or top edge, 1 the centre, 2 the right or bottom edge.
struct Anchor {
    uint8_t x, y;
};
constexpr Anchor kAnchors[int(UiPart::Count)] = {
    /* Screen */ {1, 1},
    /* StatusStrip */ {0, 0},
    /* Credits */ {0, 0},
    /* DebugLeft */ {0, 2},
    /* DebugRight */ {2, 2},
    /* Hotbar */ {1, 2},
    /* Fps */ {2, 2},
    /* Crosshair */ {1, 1},
    /* Crafting */ {1, 1},
    /* Notice */ {1, 2},
};

int floorDiv(long long a, long long b) {
    return int(a >= 0 ? a / b : -((-a + b - 1) / b));
}

}  // namespace

int largestFittingQuarters(int width, int height) {
    const int fits = std::min(4 * width / kLayoutWidth, 4 * height / kLayoutHeight);
    return std::clamp(fits, plat::kMinInterfaceQuarters, plat::kMaxInterfaceQuarters);
}

int interfaceQuarters(int width, int height, int wanted) {
    const int fits = largestFittingQuarters(width, height);
    return wanted >= plat::kMinInterfaceQuarters ? std::min(wanted, fits) : fits;
}

plat::Placement placementFor(UiPart part, int width, int height, int quarters) {
    const Anchor a = kAnchors[std::clamp(int(part), 0, int(UiPart::Count) - 1)];
    // The room left beside the enlarged layout, in quarter pixels; an odd
    // pixel left over goes to the right or the bottom.
    const long long spareX = 4LL * width - (long long)kLayoutWidth * quarters;
    const long long spareY = 4LL * height - (long long)kLayoutHeight * quarters;
    return {floorDiv(a.x * spareX, 8), floorDiv(a.y * spareY, 8), quarters};
}

plat::LayoutRect visibleLayout(const plat::Placement& p, int width, int height) {
    const int q = std::max(1, p.quarters);
    const int left = floorDiv(-4LL * p.x, q), top = floorDiv(-4LL * p.y, q);
    const int right = -floorDiv(-4LL * (width - p.x), q);
    const int bottom = -floorDiv(-4LL * (height - p.y), q);
    return {left, top, right - left, bottom - top};
}

plat::Placement place(const Options& options, UiPart part) {
    const plat::ViewSize view = plat::viewSize();
    const int q = interfaceQuarters(view.width, view.height, options.uiScale);
    const plat::Placement p = placementFor(part, view.width, view.height, q);
    plat::setPlacement(p);
    return p;
}
