#include "render/polygons.h"

namespace {
int32_t count = 0;
}

int32_t polygons() {
    return count;
}
void addPolygons(int32_t triangles) {
    count += triangles;
}
void resetPolygons() {
    count = 0;
}
