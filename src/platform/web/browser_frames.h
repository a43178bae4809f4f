// The browser's way of running the game: it calls the page for each frame
// and must get control back at the end of every one, so the game is three
// steps instead of one loop. Only the browser build has it.
#pragma once

namespace plat {

// Returns at once; the browser then calls `start` (< 0: failed, nothing more
// is called), `frame` once a frame until it returns false, then `finish`.
void runInBrowser(int (*start)(), bool (*frame)(), int (*finish)());

}  // namespace plat
