"""Keys and the mouse, given to the game as a hand would, in its rhythm.

The game reads held keys once a frame. Menus, screens, crafting and placing
share one gate: after one of them acts, none acts again for 250 ms, and a key
that comes and goes within that time is lost. Keys with clocks of their own
(R, E, F3, F5, the right button) fire again after 150 ms held. So a tap is a
press and its release sent together in one xdotool run: the game keeps a press
it has not read yet, so a tap no frame saw held still reaches it, once, and a
busy machine cannot stretch it past a key's repeat by holding up the release.
The next key waits out the gate: from
the moment the game was seen to act on the last one where a scenario looks
(`press`), else from the end of the last tap with room for a slow frame."""
import os
import subprocess
import time

from .failure import Failure
from .watch import wait_for_change, wait_for_screen
from .xsession import capture

# A build that runs several times slower (the sanitizers') sets this above 1
# so that keys whose effect is not looked for are spaced further apart; how
# long each is held stays.
SLOWDOWN = float(os.environ.get("VELMORA_E2E_SLOWDOWN", "1"))
# The gate, with a little room: the game stamps its clock at the start of the
# update that reads a key, after the key came; the capture that saw the last
# effect began after the update that made it.
AFTER_SEEN = 0.27
# After a key whose effect nobody looked for: the gate and the frame or two
# a busy machine may take to act on it.
AFTER_BLIND = 0.4 * SLOWDOWN
# How long the effect of a key may take to show.
EFFECT_TIMEOUT = 10 * SLOWDOWN
TAP = 0.0
# The whole window: the menus and item screens stand still around a key's effect.
WHOLE = None

_next_input = 0.0


def _pace():
    wait = _next_input - time.monotonic()
    if wait > 0:
        # Keys spaced to the game's gate: a rhythm of the input the game
        # demands, not a wait for something to show.
        time.sleep(wait)


def _blind_after():
    global _next_input
    _next_input = time.monotonic() + AFTER_BLIND


def acted():
    """The game has just been seen to act (a screen came, a save ended): it
    may have closed the gate no later than now."""
    global _next_input
    _next_input = time.monotonic() + AFTER_SEEN


def ready():
    """Returns once the next input may go (the gate waited out)."""
    _pace()


def _down_up(key):
    if key.startswith("button"):
        return ["mousedown", key[6:]], ["mouseup", key[6:]]
    return ["keydown", key], ["keyup", key]


def hold_for(down, up, seconds):
    """Presses, holds and lets go in one xdotool run: starting a second run to
    let go can take a busy machine a tenth of a second or more, and a key held
    past 150 ms fires the game's own repeat (R, E, F3, a right click) twice."""
    _pace()
    held = ["sleep", f"{seconds:.3f}"] if seconds > 0 else []
    subprocess.run(["xdotool", *down, *held, *up], capture_output=True,
                   timeout=20 + seconds, check=False)
    _blind_after()


def hold(key, seconds):
    """A key or a mouse button ("button1", "button3") held for a while:
    walking, digging for a time, a press a frame must see."""
    hold_for(*_down_up(key), seconds)


def tap(key, hold=TAP):
    """A key or button tapped; the next input waits out the gate blind."""
    hold_for(*_down_up(key), hold)


def press(window, key, box=WHOLE, hold=TAP):
    """Taps a key and waits until the box of the window changes; returns that
    capture. Looking for the change rather than sleeping keeps the keys as
    close as the gate allows, and a key the game did not hear fails here,
    where it was lost."""
    before = capture(window)  # while the gate may still be closed
    tap(key, hold)
    shot = wait_for_change(window, before, box, EFFECT_TIMEOUT,
                           f"{key} to change the window" + (f" in {box}" if box else ""))
    acted()
    return shot


def press_until(window, key, condition, what, hold=TAP, timeout=None, tries=1):
    """Taps a key and waits for a capture that meets the condition; with
    `tries`, taps again when nothing came, for a key that a gate closed by an
    action a busy machine drew late may have shut out."""
    for attempt in range(tries):
        tap(key, hold)
        try:
            shot = wait_for_screen(window, condition, timeout or EFFECT_TIMEOUT, what)
            break
        except Failure:
            if attempt == tries - 1:
                raise
    acted()
    return shot


def key_down(key):
    subprocess.run(["xdotool", *_down_up(key)[0]], capture_output=True, timeout=20, check=False)


def key_up(key):
    subprocess.run(["xdotool", *_down_up(key)[1]], capture_output=True, timeout=20, check=False)


def move_mouse(dx, dy):
    subprocess.run(["xdotool", "mousemove_relative", "--", str(dx), str(dy)],
                   capture_output=True, timeout=20, check=False)


def hold_until(window, key, condition, what, timeout):
    """Holds a key or button down until a capture meets the condition (a dig
    until the block gives), and returns that capture."""
    _pace()
    key_down(key)
    try:
        shot = wait_for_screen(window, condition, timeout, what)
    finally:
        key_up(key)
    acted()
    return shot
