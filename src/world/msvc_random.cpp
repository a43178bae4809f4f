#include "world/msvc_random.h"

MsvcRandom worldRandom;
