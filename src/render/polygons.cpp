#include "render/polygons.h"

#include "render/render_state.h"

int32_t polygons() {
    return renderer.polygons;
}
void addPolygons(int32_t triangles) {
    renderer.polygons += triangles;
}
void resetPolygons() {
    renderer.polygons = 0;
}
