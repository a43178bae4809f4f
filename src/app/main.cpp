#include "app/frame_loop.h"

int main() { return runGame(); }
