#include "platform/background.h"

namespace plat {

std::future<void> runInBackground(std::function<void()> work) {
#ifdef __EMSCRIPTEN__
    // A page is one thread, and its storage flushes later on its own.
    std::promise<void> done;
    work();
    done.set_value();
    return done.get_future();
#else
    return std::async(std::launch::async, std::move(work));
#endif
}

}  // namespace plat
