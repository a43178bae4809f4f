#include "game/frame.h"

InputSnapshot readInputDevices() {
    InputSnapshot s;
    plat::readKeyboard(s.keyboard);
    if (!plat::readMouse(s.mouse)) s.mouse = plat::MouseState{};
    return s;
}
