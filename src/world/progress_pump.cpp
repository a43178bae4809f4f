#include "world/progress_pump.h"

#include "platform/platform.h"

namespace {

bool frameDue(const ProgressPump& pump) {
    return pump.clock && pump.clock() >= pump.timer + kPumpIntervalMs;
}

}  // namespace

void restartPump(ProgressPump& pump) {
    if (pump.clock) pump.timer = pump.clock();
}

PumpResult pumpDraw(ProgressPump& pump) {
    if (!frameDue(pump)) return PumpResult::Continue;
    if (pump.drawFrame && pump.drawFrame() < 0) return PumpResult::Failed;
    pump.timer = pump.clock();
    return PumpResult::Continue;
}

PumpResult pumpMessages(ProgressPump& pump) {
    if (pump.frameUpdate) pump.frameUpdate();
    if (plat::takeMessage() == plat::Message::Quit) {
        // Posted again so that the frame loop ends too once the operation returns.
        plat::postQuit();
        return PumpResult::Quit;
    }
    return PumpResult::Continue;
}

PumpResult progressPump(ProgressPump& pump) {
    if (!frameDue(pump)) return PumpResult::Continue;
    if (pump.drawFrame && pump.drawFrame() < 0) return PumpResult::Failed;
    pump.timer = pump.clock();
    return pumpMessages(pump);
}
