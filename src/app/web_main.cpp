// The browser's entry: the game as three steps the page calls (the desktop's
// entry, main.cpp, runs them as one loop).
#include "app/frame_loop.h"
#include "platform/web/browser_frames.h"

int main() {
    plat::runInBrowser(startGame, gameFrame, finishGame);
    return 0;
}
