#include "render/polygons.h"

#include "render/render_state.h"

int32_t polygons(const RenderState& renderer) {
    return renderer.polygons;
}
void addPolygons(RenderState& renderer, int32_t triangles) {
    renderer.polygons += triangles;
}
void resetPolygons(RenderState& renderer) {
    renderer.polygons = 0;
}
