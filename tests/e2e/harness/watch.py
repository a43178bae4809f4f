"""Waits on the game window: a capture that meets a condition, a box that
changes, a box that stops changing."""
import time

from .pictures import differs
from .waits import wait_for
from .xsession import capture


def wait_for_screen(window, condition, timeout, what):
    """The first capture of the window that meets the condition."""
    def shown():
        shot = capture(window)
        return shot if condition(shot) else None
    return wait_for(shown, timeout, what)


def wait_for_change(window, before, box, timeout, what):
    """The first capture whose box shows something else than `before` (a
    capture) did, more than the drift of the day's light."""
    return wait_for_screen(window, lambda shot: differs(before, shot, box), timeout, what)


def wait_still(window, box, timeout, what, still_for=0.6):
    """The first capture after which the box has stayed the same for
    `still_for` seconds: a fall, a walk or a turn is over. A loaded machine
    may draw a frame every few tenths of a second, so a single pair of equal
    captures proves nothing; the box must hold over several."""
    state = {"seen": None, "since": 0.0}

    def settled():
        shot, now = capture(window), time.monotonic()
        if state["seen"] is None or differs(state["seen"], shot, box):
            state["seen"], state["since"] = shot, now
            return None
        return shot if now - state["since"] >= still_for else None
    return wait_for(settled, timeout, what)
