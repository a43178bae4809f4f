"""Waits on the game window: a capture that meets a condition, a box that
changes, a box that stops changing."""
import time

from .waits import wait_for
from .xsession import capture


def wait_for_screen(window, condition, timeout, what):
    """The first capture of the window that meets the condition."""
    def shown():
        shot = capture(window)
        return shot if condition(shot) else None
    return wait_for(shown, timeout, what)


def wait_for_change(window, before, box, timeout, what):
    """The first capture whose box differs from `before` (a capture)."""
    old = before.raw(box)
    return wait_for_screen(window, lambda shot: shot.raw(box) != old, timeout, what)


def wait_still(window, box, timeout, what, still_for=0.6):
    """The first capture after which the box has stayed the same for
    `still_for` seconds: a fall, a walk or a turn is over. A loaded machine
    may draw a frame every few tenths of a second, so a single pair of equal
    captures proves nothing; the box must hold over several."""
    state = {"raw": None, "since": 0.0}

    def settled():
        shot = capture(window)
        raw, now = shot.raw(box), time.monotonic()
        if raw != state["raw"]:
            state["raw"], state["since"] = raw, now
            return None
        return shot if now - state["since"] >= still_for else None
    return wait_for(settled, timeout, what)
