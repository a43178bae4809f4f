#include "render/render_stats.h"

RenderStats renderStats;

void addPolygons(int32_t triangles) { renderStats.Polygons += triangles; }
void resetPolygons() { renderStats.Polygons = 0; }
