#include "render/camera.h"

Camera camera;

void resetCamera() { camera = Camera{}; }
void markProjectionDirty() { camera.projectionDirty = 1; }
