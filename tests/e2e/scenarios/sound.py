"""The game's sound, heard through SDL's disk audio driver, which writes what
the mixer puts out to a file as it goes: standing still in a quiet place is
near silence; digging and walking raise the level while they go on."""
import array
import os
import sys

from e2e.harness import keys
from e2e.harness.failure import check
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
    hotbar cell, and the ambience turned off so that standing is silent."""
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "488..512", "101..198", "484..512", "0",
                   "488..512", "100", "484..512", "7",
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

        dig = record(audio, lambda: keys.hold("button1", 1.6))
        check(peak(dig) > LOUD, f"digging made no sound: peak {peak(dig)}")
        hits = bursts(dig)
        print(f"digging: peak {peak(dig)}, {hits} separate sounds")
        # A hit every 250 ms (fewer when frames are slower than that).
        check(hits >= 3, f"1.6 s of digging gave {hits} separate sounds")

        still = standing(audio)
        check(peak(still) < QUIET, f"the level stayed up after digging: peak {peak(still)}")

        walk = record(audio, lambda: keys.hold("s", 1.5))
        steps = bursts(walk)
        print(f"walking: peak {peak(walk)}, {steps} separate sounds")
        print("".join("#" if f else "." for f in loud_windows(walk)))
        check(peak(walk) > LOUD, f"walking made no sound: peak {peak(walk)}")
        check(2 <= steps <= 8, f"1.5 s of walking gave {steps} separate sounds")

        close_window(window)
        expect_clean_exit(game)


SCENARIOS = {"sound_follows_play": sound_follows_play}
