"""Waits on the game window: a capture that meets a condition, a box that
changes, a box that stops changing."""
import os
import tempfile
import time

from .failure import Failure
from .pictures import differs
from .png import write_png
from .waits import wait_for
from .xsession import capture


def wait_for_screen(window, condition, timeout, what, moving=False):
    """The first capture of the window that meets the condition; when none
    does, the last one is kept for whoever reads the failure. `moving`: the
    window may change its place or size meanwhile."""
    last = []

    def shown():
        shot = capture(window, moving)
        last[:] = [shot]
        return shot if condition(shot) else None
    try:
        return wait_for(shown, timeout, what)
    except Failure as failure:
        if not last:
            raise
        kept = keep_for_failure(what, last, None)
        raise Failure(f"{failure}; the last capture is in {kept}") from None


def wait_for_change(window, before, box, timeout, what):
    """The first capture whose box shows something else than `before` (a
    capture) did, more than the drift of the day's light."""
    return wait_for_screen(window, lambda shot: differs(before, shot, box), timeout, what)


def keep_for_failure(what, pictures, box):
    """Writes the box of each capture beside the others of this run, so that a
    wait that failed on a machine nobody watched shows what it saw; returns
    the folder."""
    folder = os.environ.get("VELMORA_E2E_FAILURES") or os.path.join(
        tempfile.gettempdir(), "velmora-e2e-failures")
    folder = os.path.join(folder, f"{os.getpid()}-{int(time.time())}")
    os.makedirs(folder, exist_ok=True)
    x0, y0, x1, y1 = box or (0, 0, pictures[0].width, pictures[0].height)
    for i, picture in enumerate(pictures):
        write_png(os.path.join(folder, f"{i}.png"),
                  [[picture.pixel(x, y) for x in range(x0, x1)] for y in range(y0, y1)])
    with open(os.path.join(folder, "what.txt"), "w", encoding="utf-8") as f:
        f.write(f"{what}\nbox {box}\n")
    return folder


def wait_still(window, box, timeout, what, still_for=0.6, reading=None):
    """The first capture after which the box has stayed the same for
    `still_for` seconds: a fall, a walk or a turn is over. A loaded machine
    may draw a frame every few tenths of a second, so a single pair of equal
    captures proves nothing; the box must hold over several. With `reading`
    (a capture to a value, such as the text a box shows), the box holds while
    that value does, whatever else changes in it.

    Without a reading, a box holds while fewer than one in a hundred of its
    colour values move: a player standing on the ground wavers by up to a
    thousandth of a block from frame to frame, as each frame's length
    decides, which flips a few texel edges of a nearby wall or tree; a fall,
    a step or a turn moves far more."""
    state = {"seen": None, "since": 0.0, "before": None}
    x0, y0, x1, y1 = box
    least = max(12, (x1 - x0) * (y1 - y0) * 3 // 100)

    def changed(a, b):
        return reading(a) != reading(b) if reading else differs(a, b, box, least)

    def settled():
        shot, now = capture(window), time.monotonic()
        if state["seen"] is None or changed(state["seen"], shot):
            state["before"], state["seen"], state["since"] = state["seen"], shot, now
            return None
        return shot if now - state["since"] >= still_for else None
    try:
        return wait_for(settled, timeout, what)
    except Failure as failure:
        seen = [p for p in (state["before"], state["seen"]) if p is not None]
        if not seen:
            raise
        kept = keep_for_failure(what, seen, box)
        raise Failure(f"{failure}; the last two different captures of the box are in {kept}") \
            from None
