// The player's options between the menu, the window and Options.txt: read
// once at the start and handed to the window, then after every update the
// window and the file brought up to any change, whoever made it (the Options
// menu, F5 leaving a far view, F11 switching the window itself).
#pragma once

// Before the window opens: reads the file, tells the window its part.
void startOptions();
// After an update: F11's switch taken into the options, any change applied
// to the window and written to the file (a notice when it could not be).
void syncOptions();
