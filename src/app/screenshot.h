// Screenshots: the back buffer saved as the next free
// "Screenshots/ScreenshotN.bmp" beside the executable.
#pragma once

#include <string>

// The path written, or an empty string when nothing could be saved (the
// game goes on either way).
std::string takeScreenshot();
