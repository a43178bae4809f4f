#include "render/camera.h"

Camera camera;
