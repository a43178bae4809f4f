#include "game/input.h"

InputSnapshot inputSnapshot;

void readInputDevices() {
    plat::readKeyboard(inputSnapshot.keyboard);
    if (!plat::readMouse(inputSnapshot.mouse)) inputSnapshot.mouse = plat::MouseState{};
}

void resetInput() { inputSnapshot = InputSnapshot{}; }
