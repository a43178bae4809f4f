"""The game's sound, heard through SDL's disk audio driver, which writes what
the mixer puts out to a file as it goes: standing still in a quiet place is
near silence; digging and walking raise the level while they go on.

The game's frames and SDL's audio thread both slow down on a busy machine, so
a dig or a walk goes on until the sounds it should make were heard (within a
generous deadline) rather than for a fixed time."""
import array
import os
import sys

from e2e.harness import keys
from e2e.harness.failure import Failure, check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.screens import play_slot_1
from e2e.harness.waits import wait_for
from e2e.harness.world_files import world_tool, world_tool_run
from e2e.harness.xsession import close_window, find_window

# The device the game opens: 48 kHz, mono, 16-bit.
RATE = 48000
BYTES_PER_SECOND = RATE * 2
WINDOW = RATE // 20  # 50 ms, in samples
QUIET = 300          # the loudest sample of near silence
LOUD = 1000          # ... of a step or a hit at the default volumes


def prepare(tool, folder):
    """Slot 1: a flat stone floor at y 100 with nothing above it for a good
    way round the spawn (eye at x = z = 500 looking along +z), dirt at eye
    height two ahead with stone behind it, a wooden pickaxe in the first
    hotbar cell, and the ambience turned off so that standing is silent. The
    floor reaches far enough behind the spawn for the longest walk."""
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "488..512", "101..198", "464..512", "0",
                   "488..512", "100", "464..512", "7",
                   "500", "102", "502", "2",
                   "500", "102", "503..505", "7")
    world_tool_run(tool, "give", *slot, "0", "55", "1")
    with open(os.path.join(folder, "Options.txt"), "w") as f:
        f.write("ambience_volume = 0\n")


def size(path):
    try:
        return os.path.getsize(path)
    except OSError:
        return 0


def samples(path, start, end):
    """The samples the mixer wrote between two sizes of its file."""
    start -= start % 2
    end -= end % 2
    with open(path, "rb") as f:
        f.seek(start)
        data = f.read(end - start)
    values = array.array("h")
    values.frombytes(data[:len(data) - len(data) % 2])
    if sys.byteorder != "little":
        values.byteswap()
    return values


def loud_windows(values):
    """For each 50 ms of sound, whether it rises above near silence."""
    return [max((abs(v) for v in values[i:i + WINDOW]), default=0) > LOUD
            for i in range(0, len(values), WINDOW)]


def bursts(values):
    """How many separate loud stretches there are."""
    flags = loud_windows(values)
    return sum(1 for i, loud in enumerate(flags) if loud and (i == 0 or not flags[i - 1]))


def peak(values):
    return max((abs(v) for v in values), default=0)


def record(audio, action, after=0.3):
    """What the mixer wrote from just before `action` until `after` seconds of
    output past its end (the mixer works a buffer ahead of the file)."""
    start = size(audio)
    action()
    end = size(audio) + int(after * BYTES_PER_SECOND)
    wait_for(lambda: size(audio) >= end, 10, f"{after} s more of the game's sound output")
    return samples(audio, start, end)


def standing(audio, seconds=1.0):
    return record(audio, lambda: None, after=seconds)


def settled(audio, seconds=3):
    """The first second of output that is near silence, within `seconds` of
    output; else the last one heard. A sound the game started just as a key
    came up (a slow frame reads the release late) may still be ringing."""
    for _ in range(seconds):
        still = standing(audio)
        if peak(still) < QUIET:
            break
    return still


def hold_until_sounds(audio, key, least, timeout):
    """Holds a key or button until the mixer has written `least` separate
    sounds since it went down, or `timeout` s pass; returns what it wrote from
    the press until 0.3 s of output past the release."""
    keys.ready()
    start = size(audio)
    keys.key_down(key)
    try:
        wait_for(lambda: bursts(samples(audio, start, size(audio))) >= least, timeout,
                 f"{least} separate sounds with {key} held", every=0.1)
    except Failure:
        pass  # the caller's check says what was heard instead
    finally:
        keys.key_up(key)
        keys.acted()
    end = size(audio) + int(0.3 * BYTES_PER_SECOND)
    wait_for(lambda: size(audio) >= end, 10, "0.3 s more of the game's sound output")
    return samples(audio, start, end)


def sound_follows_play(programs):
    tool = world_tool(programs.game)
    audio_name = "audio.raw"
    # The game runs in its own folder, where the driver's file lands.
    env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": audio_name}
    with Game(programs.game, extra_env=env, setup=lambda folder: prepare(tool, folder)) as game:
        audio = game.file(audio_name)
        window = find_window(game)
        play_slot_1(window)
        wait_for(lambda: size(audio) > BYTES_PER_SECOND // 2, 20,
                 "the game's sound output (SDL's disk driver) to begin")

        # The player drops from above the floor as the world starts, and lands.
        standing(audio, 1.5)
        still = standing(audio)
        print(f"standing: peak {peak(still)}")
        check(peak(still) < QUIET, f"standing still is not near silence: peak {peak(still)}")

        # A hit every 250 ms while the button is held: fewer within the
        # deadline are hits lost, or run together into one sound.
        dig = hold_until_sounds(audio, "button1", 3, 6)
        check(peak(dig) > LOUD, f"digging made no sound: peak {peak(dig)}")
        hits = bursts(dig)
        print(f"digging: peak {peak(dig)}, {hits} separate sounds")
        check(hits >= 3, f"digging for up to 6 s gave {hits} separate sounds")

        still = settled(audio)
        check(peak(still) < QUIET, f"the level stayed up after digging: peak {peak(still)}")

        # A step every 1.6 blocks walked, 365 ms apart; 6 s backwards stays
        # on the floor.
        walk = hold_until_sounds(audio, "s", 3, 6)
        steps = bursts(walk)
        print(f"walking: peak {peak(walk)}, {steps} separate sounds")
        print("".join("#" if f else "." for f in loud_windows(walk)))
        check(peak(walk) > LOUD, f"walking made no sound: peak {peak(walk)}")
        check(steps >= 3, f"walking for up to 6 s gave {steps} separate sounds")

        close_window(window)
        expect_clean_exit(game)


SCENARIOS = {"sound_follows_play": sound_follows_play}
