#include "world/progress_pump.h"

#include "platform/platform.h"

void restartPump(ProgressPump& pump) { pump.timer = plat::clockMs(); }

PumpResult pumpDraw(ProgressPump& pump) {
    if (plat::clockMs() < pump.timer + kPumpIntervalMs) return PumpResult::Continue;
    if (pump.drawFrame && pump.drawFrame() < 0) return PumpResult::Failed;
    pump.timer = plat::clockMs();
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
    if (plat::clockMs() < pump.timer + kPumpIntervalMs) return PumpResult::Continue;
    if (pump.drawFrame && pump.drawFrame() < 0) return PumpResult::Failed;
    pump.timer = plat::clockMs();
    return pumpMessages(pump);
}
