#include "platform/web/browser_frames.h"

#include <emscripten.h>

namespace plat {
namespace {

// Module.velmoraScreen and Module.velmoraNotice, and a "velmora-screen" event
// on the window when the screen changes.
EM_JS(void, velmora_tell_page, (const char* screen, const char* notice), {
    Module.velmoraNotice = UTF8ToString(notice);
    const word = UTF8ToString(screen);
    if (Module.velmoraScreen === word) return;
    Module.velmoraScreen = word;
    window.dispatchEvent(new CustomEvent("velmora-screen", { detail: word }));
});

struct Steps {
    int (*start)() = nullptr;
    bool (*frame)() = nullptr;
    int (*finish)() = nullptr;
    bool started = false;
};

Steps& steps() {
    static Steps s;
    return s;
}

// The window is made in the first frame the browser calls, not in main, so
// that the page has drawn itself (and the loading message gone) by then.
void oneFrame() {
    Steps& s = steps();
    if (!s.started) {
        s.started = true;
        if (s.start() < 0) emscripten_cancel_main_loop();
        return;
    }
    if (s.frame()) return;
    emscripten_cancel_main_loop();
    s.finish();
}

}  // namespace

void tellPage(const char* screen, const char* notice) { velmora_tell_page(screen, notice); }

void runInBrowser(int (*start)(), bool (*frame)(), int (*finish)()) {
    steps() = Steps{start, frame, finish};
    // The display's refresh paces the frames; main returns and the page lives on.
    emscripten_set_main_loop(oneFrame, 0, false);
}

}  // namespace plat
