// The browser's way of running the game: it calls the page for each frame
// and must get control back at the end of every one, so the game is three
// steps instead of one loop. Only the browser build has it.
#pragma once

namespace plat {

// Returns at once; the browser then calls `start` (< 0: failed, nothing more
// is called), `frame` once a frame until it returns false, then `finish`.
void runInBrowser(int (*start)(), bool (*frame)(), int (*finish)());

// Tells the page which screen is up (a short word: "menu", "worlds",
// "playing"...) and the last notice posted (in English, "" for none): the
// page shows its own controls by the screen, and a test of the page waits on
// both. Told after every frame; the page hears of a change only.
void tellPage(const char* screen, const char* notice);

}  // namespace plat
