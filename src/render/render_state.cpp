#include "render/render_state.h"

RenderState renderer;

void resetRenderer() {
    resetSections();
    renderer.camera = Camera{};
    renderer.view = ViewState{};
    renderer.polygons = 0;
}
