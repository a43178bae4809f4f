#include "world/progress_pump.h"

#include "platform/platform.h"

namespace {

bool frameDue(const ProgressPump& pump) {
    return pump.readClock && pump.readClock() >= pump.timer + kPumpIntervalMs;
}

}  // namespace

void restartPump(ProgressPump& pump) {
    if (pump.readClock) pump.timer = pump.readClock();
}

PumpResult pumpDraw(ProgressPump& pump) {
    if (!frameDue(pump)) return PumpResult::Continue;
    if (pump.drawFrame && pump.drawFrame() < 0) return PumpResult::Failed;
    pump.timer = pump.readClock();
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
    pump.timer = pump.readClock();
    return pumpMessages(pump);
}
