"""Waiting for what a run can see, each wait with a deadline and a message
naming what never came."""
import glob
import os
import time

from .failure import Failure

# How often a condition is looked at again. Short enough that a step follows
# close on what it waited for, long enough that the captures leave the game
# its share of a busy machine.
POLL = 0.05


def wait_for(condition, timeout, what, every=POLL):
    """Returns the first true value of condition(); fails after `timeout` s.
    `every` spaces the looks further apart where a condition is costly and
    what it waits for slow."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Failure(f"waited {timeout:g} s for {what}, in vain")
        # The polling interval of every wait: the one place a run sleeps while
        # it waits for something.
        time.sleep(every)


def stat_or_none(path):
    try:
        return os.stat(path)
    except FileNotFoundError:
        return None


def saving(path):
    """A save of `path` is under way: a temporary of it stands beside it."""
    return bool(glob.glob(glob.escape(path) + ".tmp*"))


def file_replaced(path, before):
    """A condition: `path` stands, another file than `before` (an os.stat
    result, or None when there was none), and no save of it under way: a
    save renames its finished temporary over the old file."""
    def replaced():
        now = stat_or_none(path)
        if now is None or saving(path):
            return False
        return before is None or (now.st_ino, now.st_mtime_ns) != (before.st_ino,
                                                                   before.st_mtime_ns)
    return replaced


def spend(seconds, why):
    """A stretch of time a rule is measured over (seconds of play, a pause
    that must not count): a duration the game must live through, not a wait
    for something to show. `why` names it."""
    assert why
    # A duration of play, like a key held down, not a guess at how long
    # something takes.
    time.sleep(seconds)
