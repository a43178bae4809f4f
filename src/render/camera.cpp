#include "render/camera.h"

Camera camera;

void resetCamera() { camera = Camera{}; }
