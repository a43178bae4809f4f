#include "world/progress_pump.h"

#include "platform/platform.h"

PumpHooks pumpHooks;

PumpResult pumpDraw(int32_t& timer) {
    int32_t now = plat::clockMs();
    if (now < timer + kPumpIntervalMs) return PumpResult::Continue;
    if (pumpHooks.drawFrame && pumpHooks.drawFrame() < 0) return PumpResult::Failed;
    timer = plat::clockMs();
    return PumpResult::Continue;
}

PumpResult pumpMessages() {
    if (pumpHooks.frameUpdate) pumpHooks.frameUpdate();
    if (plat::takeMessage() == plat::Message::Quit) {
        // Posted again so that the frame loop ends too once the operation returns.
        plat::postQuit();
        return PumpResult::Quit;
    }
    return PumpResult::Continue;
}

PumpResult progressPump(int32_t& timer) {
    int32_t now = plat::clockMs();
    if (now < timer + kPumpIntervalMs) return PumpResult::Continue;
    if (pumpHooks.drawFrame && pumpHooks.drawFrame() < 0) return PumpResult::Failed;
    timer = plat::clockMs();
    return pumpMessages();
}
