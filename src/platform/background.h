// Work that waits on the disk, handed to a thread of its own so that the
// frame loop never waits with it: a save's flush and commit.
#pragma once

#include <functional>
#include <future>

namespace plat {

// Runs `work` on a thread of its own and returns at once; the future is ready
// once the work has ended, and dropping it waits for that. Where the system
// has no threads (a page served without them), the work runs here and then.
std::future<void> runInBackground(std::function<void()> work);

}  // namespace plat
