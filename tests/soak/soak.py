#!/usr/bin/env python3
"""A long run of the real game with random but seeded input.

Walks, looks, digs, places, crafts, opens the inventory and chests, changes the
render distance, the display and the debug lines, and saves from the pause
menu every minute, for ten minutes by default. It fails when the game ends
before it is told to, when a sanitizer reports anything, when memory keeps
growing after the first minute or when a save does not come back byte for
byte: each save is loaded and saved again with velmora-world, and every few
minutes the game itself loads its last save and saves it again.

    soak.py --game build-asan/velmora

VELMORA_SOAK_SEED chooses the input (a fresh seed otherwise, printed either
way), VELMORA_SOAK_SECONDS the time played (600). Meant for the sanitizer
build: `ctest --preset soak`.

Exit status: 0 passed, 1 failed.
"""
import argparse
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2e_driver as e2e  # noqa: E402
from e2e_driver import Failure, check, press, hold_for, run  # noqa: E402

WORLD_BYTES = 400_000_084
CHEST_RECORD_BYTES = 54
# Seconds between samples of the game's resident memory.
RSS_PERIOD = 5.0
# Growth allowed past the resident size of the first minute after warming up
# (see judge_memory), and how far above that minute's peaks a later one may go.
# With where the player is and how far the view reaches, the median of one
# minute wanders up to 60 MB above the level of a ten-minute run, the median
# of five minutes some 20 MB.
RSS_MARGIN_MB = 48
RSS_MARGIN_SHARE = 0.05
RSS_PEAK_SHARE = 0.15
# How far back from the end the memory of the run is judged.
RSS_LATE_WINDOW = 300.0

# How far the mouse moves the view from level to straight up or down: the game
# turns 1/750 radian a pixel and stops at a right angle.
PITCH_LIMIT = 1178

# Item types by what the soak does with them; tools dig, and anything else in
# the hand is tried as a block to place.
PICKAXES = set(range(49, 56)) | {71}
AXES = set(range(56, 63))
TOOLS = PICKAXES | AXES | set(range(42, 49))
CHEST_ITEM = 67
# The hotbar is full but for its last cell, where the chests crafted first go.
INVENTORY = [
    (0, 71, 1),     # diamond pickaxe
    (1, 61, 1),     # platinum axe
    (2, 2, 250),    # dirt
    (3, 24, 250),   # torches
    (4, 73, 250),   # glass
    (5, 10, 250),   # planks
    (6, 27, 40),    # crafting tables
    (7, 1, 250),    # cobblestone
    (9, 5, 250),    # raw wood
    (10, 29, 250),  # iron ingots
    (11, 38, 250),  # coal
    (12, 23, 250),  # sticks
    (13, 12, 200),  # hematite
    (14, 26, 8),    # furnaces
    (15, 13, 100),  # quartz
    (16, 6, 100),   # sand
]
# With the inventory above and a crafting table in reach the list reads: table,
# torch (by hand), then furnace, planks, wooden sword, stick, wooden pickaxe,
# wooden axe and the chest.
CHEST_RECIPE_INDEX = 8


VERBOSE = bool(os.environ.get("VELMORA_SOAK_VERBOSE"))


def log(*args):
    print(*args, flush=True)


def tap(key, gap=0.35):
    """A key while playing: the hotbar, F3, F5, E and R act within a frame or
    two and need not wait out the menus' 250 ms gate."""
    hold_for(("keydown", key), ("keyup", key), 0.05)
    time.sleep(gap)


# ---- screens ---------------------------------------------------------------

class Screen:
    """One capture of the game window, decoded only where it is looked at:
    decoding a whole xwd picture in Python takes longer than a second, and the
    soak looks at the screen before nearly every action."""

    def __init__(self, data, origin, size):
        fields = struct.unpack(">25I", data[:100])
        header_size, pixmap_format, byte_order = fields[0], fields[2], fields[7]
        bits_per_pixel, bytes_per_line = fields[11], fields[12]
        masks, ncolors = fields[14:17], fields[19]
        check(pixmap_format == 2 and bits_per_pixel in (24, 32),
              f"unexpected xwd format {pixmap_format}, {bits_per_pixel} bits per pixel")
        self.data = data
        self.offset = header_size + ncolors * 12
        self.size = bits_per_pixel // 8
        self.order = "little" if byte_order == 0 else "big"
        self.pitch = bytes_per_line
        self.masks = masks
        self.shifts = [(m & -m).bit_length() - 1 for m in masks]
        self.x0, self.y0 = origin
        self.width, self.height = size

    def pixel(self, x, y):
        at = self.offset + (self.y0 + y) * self.pitch + (self.x0 + x) * self.size
        v = int.from_bytes(self.data[at:at + self.size], self.order)
        return tuple((v & m) >> s for m, s in zip(self.masks, self.shifts))

    def region(self, x0, y0, x1, y1):
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


class Window:
    def __init__(self, window):
        self.id = window
        x, y, w, h = e2e.window_geometry(window)
        self.origin, self.size = (x, y), (w, h)

    def capture(self):
        data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, timeout=30,
                              check=True).stdout
        return Screen(data, self.origin, self.size)


def count(picture, box, test):
    return sum(1 for c in picture.region(*box) if test(c))


def has_dark_text(picture, box, least=8):
    return count(picture, box, e2e.dark) >= least


ARROW_ROWS = (200, 220, 260, 280, 290, 300, 310, 320, 330, 340)


def arrow_row(picture):
    """The row of the menus' selection arrow, or None."""
    best, row = 0, None
    for y in ARROW_ROWS:
        n = count(picture, (368, y, 384, y + 16), e2e.white)
        if n > best:
            best, row = n, y
    return row if best >= 20 else None


def death_text_shown(picture):
    # The start of "You died ..." (white, which nothing in the world reaches)
    # left of where the free cell line begins.
    return count(picture, (250, 450, 336, 460), lambda c: c == (255, 255, 255)) >= 20


def classify(picture):
    """What the window shows, as (name, the arrow's row or None): playing,
    playing_bare (the display hidden with E), dead, pause, main, options,
    quit, slots, delete (the question of the world selection), items (the
    inventory or a chest) or busy (loading or saving)."""
    if e2e.panel_background_shown(picture):
        row = arrow_row(picture)
        if row is None:
            # The inventory and chest screens title themselves at (400, 285);
            # the progress screen writes only at (350, 450).
            return ("items" if has_dark_text(picture, (400, 285, 440, 299)) else "busy"), None
        if row in (290, 310, 330):
            return "pause", row
        if row in (260, 340):
            return "slots", row
        if row in (200, 220):
            return "delete", row
        # Rows 280, 300 and 320 are shared by the main menu, the options and
        # the quit question: the options name a language at (480, 300), the
        # main menu's second row is a word of seven letters, "Yes" or "Si'"
        # is not.
        if has_dark_text(picture, (480, 300, 530, 316)):
            return "options", row
        if has_dark_text(picture, (425, 300, 447, 316)):
            return "main", row
        return "quit", row
    if death_text_shown(picture):
        return "dead", None
    if e2e.status_strip_shown(picture):
        return "playing", None
    return "playing_bare", None


# ---- the run ----------------------------------------------------------------

class Soak:
    def __init__(self, binary, seconds, seed):
        self.binary = binary
        self.tool = e2e.world_tool(binary)
        self.seconds = seconds
        self.seed = seed
        self.rng = random.Random(seed)
        self.keep = tempfile.mkdtemp(prefix="velmora-soak-saves-")
        self.rss = []            # (time.time(), kB)
        self.rss_stop = threading.Event()
        self.checks = []         # background checks of kept saves, in order
        self.check_lock = threading.Lock()
        self.check_queue = []
        self.check_wake = threading.Condition(self.check_lock)
        self.check_done = False
        self.check_problems = []
        self.saves = 0
        self.reloads = 0
        self.actions = {}
        self.screens_reached = {}
        self.recoveries = {}
        self.pitch = 0           # the mouse's vertical travel, in pixels (down positive)
        # What the hotbar holds, as of the last save: cell types, 0 for empty.
        self.hotbar = [t for _, t, _ in sorted(INVENTORY)[:8]] + [CHEST_ITEM]
        self.play_began = None
        self.last_action = "the start"

    # -- the game and its screens

    def alive(self):
        if self.game.poll() is not None:
            raise Failure(f"the game ended on its own (status {self.game.returncode}); "
                          f"stderr:\n{self.game.errors()[-6000:]}")

    def screen(self):
        self.alive()
        picture = self.window.capture()
        self.last_picture = picture
        return classify(picture)

    def wait_screen(self, names, timeout):
        deadline = time.time() + timeout
        seen = None
        while time.time() < deadline:
            seen = self.screen()
            if seen[0] in names:
                return seen
            time.sleep(0.3)
        raise Failure(f"waited {timeout} s for {'/'.join(names)}, the window shows {seen}"
                      + self.keep_picture())

    def to_play(self, why):
        """Back to playing from whatever the window shows. The main menu and
        the world selection load the last save again."""
        deadline = time.time() + 240
        while time.time() < deadline:
            name, row = self.screen()
            if name in ("playing", "playing_bare"):
                return
            self.recoveries[name] = self.recoveries.get(name, 0) + 1
            log(f"  {self.clock():6.1f} s: {why}: on the {name} screen, getting back to play")
            if name == "busy":
                time.sleep(1.0)
            elif name == "dead":
                press("Return")
            elif name in ("pause", "items", "options", "quit", "delete"):
                press("Escape")
            elif name == "main":
                if row != 280:
                    press("Up")
                else:
                    press("Return")
            elif name == "slots":
                if row != 260:
                    press("Up")
                else:
                    press("Return")
                    self.wait_loaded()
        raise Failure(f"could not get back to play ({why})")

    def open_pause(self, why):
        """Esc from play until the pause menu shows. A busy machine can hold
        a key past the menus' 250 ms gate, so that a press acts twice: here
        it would pause and go straight back to play."""
        for _ in range(5):
            self.to_play(why)
            press("Escape")
            try:
                return self.wait_screen(("pause",), 10)
            except Failure:
                continue
        raise Failure(f"Esc did not pause the game ({why})" + self.keep_picture())

    def choose(self, menu, row):
        """Up or Down until the arrow of `menu` stands at `row`."""
        for _ in range(12):
            name, at = self.screen()
            check(name == menu, f"looking for row {row} of the {menu} menu, the window shows "
                  f"{name}" + self.keep_picture())
            if at == row:
                return
            press("Down" if at < row else "Up")
        raise Failure(f"the arrow of the {menu} menu never reached row {row}")

    def wait_loaded(self):
        """After Enter on a world slot: the loading screen, then play."""
        deadline = time.time() + 180
        while time.time() < deadline:
            name, _ = self.screen()
            if name in ("playing", "playing_bare"):
                time.sleep(e2e.STEP)  # the load fired the 250 ms gate just now
                return
            time.sleep(0.5)
        raise Failure("the world did not load within 180 s")

    def keep_picture(self):
        """The last capture, as a picture file in VELMORA_SOAK_PICTURES if set."""
        folder = os.environ.get("VELMORA_SOAK_PICTURES")
        picture = getattr(self, "last_picture", None)
        if not folder or picture is None:
            return ""
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, f"soak-{self.seed}-{self.clock():.0f}s.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (picture.width, picture.height))
            f.write(bytes(v for c in picture.region(0, 0, picture.width, picture.height)
                          for v in c))
        return f" (picture: {path})"

    def clock(self):
        return time.time() - self.play_began if self.play_began else 0.0

    # -- memory

    def sample_rss(self):
        path = f"/proc/{self.game.process.pid}/status"
        while not self.rss_stop.wait(RSS_PERIOD):
            try:
                with open(path) as f:
                    for line in f:
                        if line.startswith("VmRSS:"):
                            self.rss.append((time.time(), int(line.split()[1])))
            except OSError:
                return

    # -- saves

    def world_path(self):
        return self.game.file("Mondo1.data")

    def save_from_pause(self):
        """Esc, Down to Save, Enter; waits for the new file and the pause menu."""
        self.open_pause("before saving")
        self.choose("pause", 310)
        world = self.world_path()
        before = os.stat(world).st_ino if os.path.exists(world) else None
        started = time.time()
        press("Return")
        e2e.wait_for(lambda: os.path.exists(world) and os.stat(world).st_ino != before
                     and not e2e.saving(world), 180, "the save")
        self.wait_screen(("pause",), 60)
        self.saves += 1
        log(f"  {self.clock():6.1f} s: save {self.saves} written in {time.time() - started:.1f} s")
        self.hotbar = read_hotbar(world)
        self.keep_save()

    def keep_save(self):
        """A link to the save just written (the next save replaces the name,
        not the file) and a copy of its seed, for the checks."""
        folder = os.path.join(self.keep, f"save{self.saves:02d}")
        os.mkdir(folder)
        os.link(self.world_path(), os.path.join(folder, "written.data"))
        shutil.copy2(self.game.file("SemeM1.data"), os.path.join(folder, "SemeM1.data"))
        with self.check_lock:
            self.check_queue.append(folder)
            self.check_wake.notify()

    def reload_and_save_again(self):
        """From the pause menu just after a save: leave without saving, load
        the slot again, pause at once and save. Only the time of day may
        differ: it runs on in the moments played between the load and the
        pause."""
        loaded = os.path.join(self.keep, "loaded.data")
        os.link(self.world_path(), loaded)
        try:
            self.choose("pause", 330)  # Quit without saving
            press("Return")
            # The main menu, or the world selection already if Enter acted twice.
            self.wait_screen(("main", "slots", "busy"), 15)
            self.to_play("loading the save again")
            self.reloads += 1
            self.save_from_pause()
            difference = first_difference(loaded, self.world_path(), ignore_tail=2)
        finally:
            os.remove(loaded)
        check(difference is None, f"save {self.saves} (the world loaded from save "
              f"{self.saves - 1} and saved again) differs from it: {difference}")
        log(f"  {self.clock():6.1f} s: the game loaded save {self.saves - 1} and saved it "
            "again: the same bytes but for the time of day")

    def checker(self):
        """Loads each kept save in velmora-world and saves it back unchanged
        (setting the time of day it already has), then checks it. Runs beside
        the game at the lowest priority."""
        while True:
            with self.check_lock:
                while not self.check_queue and not self.check_done:
                    self.check_wake.wait()
                if not self.check_queue:
                    return
                folder = self.check_queue.pop(0)
            try:
                self.checks.append(self.check_save(folder))
            except Exception as problem:  # noqa: BLE001 - reported at the end
                self.check_problems.append(f"{os.path.basename(folder)}: {problem}")
            finally:
                shutil.rmtree(folder, ignore_errors=True)

    def tool_run(self, *args):
        r = subprocess.run(["nice", "-n", "19", self.tool, *args], capture_output=True,
                           text=True, timeout=900, check=False)
        return r.returncode, r.stdout + r.stderr

    def check_save(self, folder):
        name = os.path.basename(folder)
        written = os.path.join(folder, "written.data")
        size = os.path.getsize(written)
        check(size >= WORLD_BYTES and (size - WORLD_BYTES) % CHEST_RECORD_BYTES == 0,
              f"{size} bytes is no world file")
        status, out = self.tool_run("check", written)
        check(status == 0 and out.rstrip().endswith("no findings"),
              f"velmora-world check ({status}):\n{out}")
        with open(written, "rb") as f:
            f.seek(size - 2)
            day, sub = ((b - 1) % 256 for b in f.read(2))
        # velmora-world writes a new file and renames it over the old name: the
        # link to the game's file stays as it was.
        os.link(written, os.path.join(folder, "Mondo1.data"))
        status, out = self.tool_run("time", "--slot", "1", "--dir", folder, str(day), str(sub))
        check(status == 0, f"velmora-world time ({status}): {out}")
        difference = first_difference(written, os.path.join(folder, "Mondo1.data"))
        check(difference is None, f"loaded and saved again by velmora-world, it differs: "
              f"{difference}")
        chests = (size - WORLD_BYTES) // CHEST_RECORD_BYTES
        carried = sum(n for t, n in read_inventory(written) if t == CHEST_ITEM)
        if VERBOSE:
            status, out = self.tool_run("info", written)
            log(f"{name}:\n" + out[out.find("inventory:"):out.find("blocks:")])
        return f"{name}: {chests} chest(s) placed, {carried} carried, DayTime {day}, " \
               f"SubDayTime {sub}: no findings, saves again to the same bytes"

    # -- actions

    def act(self):
        kinds = [("walk", 24), ("look", 18), ("dig", 16), ("place", 12), ("craft", 7),
                 ("inventory", 5), ("chest", 5), ("hotbar", 5), ("render_distance", 3),
                 ("debug_lines", 3), ("display", 2)]
        kind = self.rng.choices([k for k, _ in kinds], [w for _, w in kinds])[0]
        self.actions[kind] = self.actions.get(kind, 0) + 1
        self.last_action = kind
        if VERBOSE:
            log(f"  {self.clock():6.1f} s: {kind}")
        getattr(self, "do_" + kind)()

    def do_walk(self):
        keys = [self.rng.choice("wwwasd")]
        if self.rng.random() < 0.3:
            keys.append("q")
        if self.rng.random() < 0.35:
            keys.append("space")
        if self.rng.random() < 0.2:
            keys.append(self.rng.choice("ad"))
        down = [a for k in keys for a in ("keydown", k)]
        up = [a for k in keys for a in ("keyup", k)]
        hold_for(down, up, self.rng.uniform(0.3, 2.0))

    def look(self, dx, dy, steps):
        """Turns in small steps in one xdotool run, as a hand would. The game
        puts the pointer back in the middle of the window only after a motion
        along both axes; a step along one alone could leave it at the edge of
        the screen, where the next steps are lost."""
        parts = []
        for _ in range(steps):
            sx, sy = dx // steps or 1, dy // steps or 1
            parts += ["mousemove_relative", "--", str(sx), str(sy), "sleep", "0.03"]
        run("xdotool", *parts)
        self.pitch = max(-PITCH_LIMIT, min(PITCH_LIMIT, self.pitch + dy))

    def do_look(self):
        # Mostly a little below the horizon, where there is something to dig
        # and place against; now and then straight up or down.
        target = self.rng.choice([self.rng.randint(-150, 450), self.rng.randint(-1200, 1200)])
        self.look(self.rng.randint(-400, 400), target - self.pitch, self.rng.randint(2, 6))

    def do_dig(self):
        tap(self.hotbar_key(self.rng.choice([PICKAXES, PICKAXES, AXES, None])))
        seconds = self.rng.uniform(0.4, 4.0)
        down, up = ["mousedown", "1"], ["mouseup", "1"]
        if self.rng.random() < 0.25:
            key = self.rng.choice("wasd")
            down, up = down + ["keydown", key], up + ["keyup", key]
        hold_for(down, up, seconds)
        time.sleep(0.2)

    def do_place(self):
        tap(self.hotbar_key(lambda t: t != 0 and t not in TOOLS))
        for _ in range(self.rng.randint(1, 4)):
            # Shorter than the 150 ms repeat of the right button: one block a click.
            hold_for(["mousedown", "3"], ["mouseup", "3"], 0.06)
            time.sleep(self.rng.uniform(0.2, 0.6))
            if self.rng.random() < 0.4:
                self.look(self.rng.randint(-60, 60), self.rng.randint(-40, 40), 2)
        self.leave_if_opened("place")

    def leave_if_opened(self, why):
        # A right click on a chest opens it: play with it a moment and leave.
        name, _ = self.screen()
        if name == "items":
            self.count_screen("chest (by " + why + ")")
            self.shuffle_items()
            press("Escape")

    def do_craft(self):
        # The panel's cursor and crafting wait out the 250 ms gate.
        tap("r")
        for _ in range(self.rng.randint(0, 10)):
            tap(self.rng.choice(["Down", "Down", "Up"]), 0.4)
        for _ in range(self.rng.randint(1, 3)):
            hold_for(("keydown", "Return"), ("keyup", "Return"), 0.1)
            time.sleep(0.4)
        tap("r")

    def count_screen(self, name):
        self.screens_reached[name] = self.screens_reached.get(name, 0) + 1

    def shuffle_items(self):
        """Cursor moves, picks and drops over the inventory (and chest)."""
        for _ in range(self.rng.randint(2, 10)):
            if self.rng.random() < 0.3:
                tap("Return", 0.4)
            else:
                tap(self.rng.choice(["Up", "Down", "Left", "Right", "w", "a", "s", "d"]), 0.4)

    def do_inventory(self):
        press("i")
        name, _ = self.screen()
        if name != "items":
            time.sleep(1.0)
            name, _ = self.screen()
        if name == "items":
            self.count_screen("inventory")
            self.shuffle_items()
            press(self.rng.choice(["Escape", "i"]))

    def hotbar_key(self, wanted):
        """The key of a hotbar cell holding what is wanted (a set of types or
        a test), as far as the last save tells; any key when none does."""
        test = wanted if callable(wanted) else (lambda t: wanted is None or t in wanted)
        keys = [str(i + 1) for i, t in enumerate(self.hotbar) if test(t)]
        return self.rng.choice(keys or list("123456789"))

    def do_chest(self):
        """Puts a chest down on the ground two steps ahead and opens it; where
        something is in the way (the walls of a hole just dug, say) it tries
        the next quarter turn."""
        tap(self.hotbar_key({CHEST_ITEM}))
        for turn in range(4):
            # Straight down, where the pitch stops, then up to about 35
            # degrees below the horizon: sure of the angle whatever came before.
            self.look(PITCH_LIMIT if turn else self.rng.randint(-600, 600), 2 * PITCH_LIMIT, 6)
            self.look(self.rng.randint(-30, 30), -self.rng.randint(650, 750), 3)
            hold_for(["mousedown", "3"], ["mouseup", "3"], 0.06)
            time.sleep(0.5)
            hold_for(["mousedown", "3"], ["mouseup", "3"], 0.06)
            time.sleep(0.5 * e2e.SLOWDOWN)
            if self.screen()[0] == "items":
                self.count_screen("chest")
                self.shuffle_items()
                press("Escape")
                # Away from it, so that the next dig does not take it back at once.
                self.look(self.rng.choice([-1, 1]) * self.rng.randint(400, 900), -300, 3)
                return
        self.count_screen("chest missed")
        if VERBOSE:
            log("    missed the chest" + self.keep_picture())

    def do_hotbar(self):
        tap(self.rng.choice("123456789"))

    def do_render_distance(self):
        tap("F5")

    def do_debug_lines(self):
        tap("F3")

    def do_display(self):
        # Hidden for a few seconds of walking and looking, then shown again.
        tap("e")
        for _ in range(self.rng.randint(1, 4)):
            self.rng.choice([self.do_walk, self.do_look])()
        tap("e")

    # -- the whole run

    def prelude(self):
        """Chests for the chest screens, crafted at the table beside the spawn
        before anything dug can take the ninth cell."""
        press("r")
        for _ in range(CHEST_RECIPE_INDEX):
            press("Down")
        hold_for(["keydown", "Return"], ["keyup", "Return"], 3.0)
        time.sleep(e2e.STEP)
        press("r")

    def prepare(self, folder):
        slot = ["--slot", "1", "--dir", folder]
        world_seed = str(1_000_000_000 + self.rng.randrange(1_000_000_000))
        for args in (["generate", "--seed", world_seed, *slot],
                     # A clearing at the spawn with the three stations behind
                     # it, and a shaft out of the bottom of the world beside
                     # it for a walk to end in the death screen now and then.
                     ["set", *slot, "494..506", "101..198", "494..506", "0",
                      "494..506", "100", "494..506", "7",
                      "498", "101", "497", "27", "500", "101", "497", "26", "502", "101", "497",
                      "41", "503..504", "0..100", "503..504", "0"],
                     ["give", *slot, *[str(v) for cell in INVENTORY for v in cell]]):
            r = run(self.tool, *args, timeout=600)
            check(r.returncode == 0, f"velmora-world {' '.join(args)}: {r.returncode} "
                  f"{r.stdout} {r.stderr}")
        log(f"world seed {world_seed}")

    def run(self):
        log(f"soak seed {self.seed} (VELMORA_SOAK_SEED), {self.seconds:.0f} s of play "
            "(VELMORA_SOAK_SECONDS)")
        checker = threading.Thread(target=self.checker, daemon=True)
        checker.start()
        finished = False
        try:
            with e2e.Game(self.binary, setup=self.prepare) as game:
                self.game = game
                self.window = Window(e2e.find_window(game))
                sampler = threading.Thread(target=self.sample_rss, daemon=True)
                sampler.start()
                time.sleep(0.8)
                e2e.focus(self.window.id)
                press("Return")  # Play
                press("Return")  # slot 1, prepared
                self.wait_loaded()
                self.play_began = time.time()
                self.prelude()
                self.play(game)
                self.quit(game)
                self.rss_stop.set()
                sampler.join()
                e2e.expect_clean_exit(game)
                self.check_sanitizers(game)
            finished = True
        except Failure:
            self.report(judge=False)  # what the run did up to the failure
            raise
        finally:
            self.rss_stop.set()
            with self.check_lock:
                if not finished:
                    self.check_queue.clear()  # a failed run needs no more checks
                self.check_done = True
                self.check_wake.notify()
            checker.join()
            shutil.rmtree(self.keep, ignore_errors=True)
        self.report()

    def tour_distances(self, seconds):
        """Every render distance in turn for a while, from the nearest of a new
        settings file to the farthest: what is cached at each is in memory
        before memory is first judged."""
        for step in range(5):
            if step:
                self.do_render_distance()
            until = time.time() + seconds / 5
            while time.time() < until:
                self.rng.choice([self.do_walk, self.do_look, self.do_dig])()

    def play(self, game):
        first_save = min(60.0, self.seconds / 4)
        self.tour_distances(first_save / 2)
        next_save = first_save
        self.rss_warm = first_save
        while self.clock() < self.seconds:
            if self.clock() >= next_save:
                self.save_from_pause()
                # Every third save the game loads it again itself.
                if self.saves % 3 == 2:
                    self.reload_and_save_again()
                press("Escape")
                next_save += 60.0
                continue
            name, _ = self.screen()
            if name not in ("playing", "playing_bare"):
                self.to_play("after " + self.last_action)
            self.act()
        self.save_from_pause()
        self.reload_and_save_again()

    def quit(self, game):
        """Pause, leave without saving, Esc, Yes: the game ends by itself."""
        if self.screen()[0] != "pause":
            self.open_pause("before quitting")
        self.choose("pause", 330)
        press("Return")
        for _ in range(5):
            name, _ = self.wait_screen(("main", "quit"), 15)
            if name == "quit":
                break
            press("Escape")
        self.choose("quit", 300)
        press("Return")

    def check_sanitizers(self, game):
        errors = game.errors()
        for mark in ("AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer",
                     "runtime error:"):
            check(mark not in errors, f"a sanitizer spoke ({mark}):\n{errors[-6000:]}")

    def report(self, judge=True):
        log(f"saves: {self.saves}, of them loaded again by the game: {self.reloads}")
        for line in self.checks:
            log("  " + line)
        log("actions: " + ", ".join(f"{k} {v}" for k, v in sorted(self.actions.items())))
        log("screens reached: " + ", ".join(f"{k} {v}" for k, v in
                                            sorted(self.screens_reached.items())))
        log("got back to play from: " + (", ".join(f"{k} {v}" for k, v in
                                                 sorted(self.recoveries.items())) or "nothing"))
        samples = [(t - self.play_began, kb) for t, kb in self.rss
                   if self.play_began and t >= self.play_began]
        if not judge:
            log_memory(samples, self.seconds)
            return
        judge_memory(samples, self.rss_warm, self.seconds)
        check(not self.check_problems, "saves that failed their check:\n" +
              "\n".join(self.check_problems))
        check(len(self.checks) == self.saves, f"{len(self.checks)} of {self.saves} saves checked")


def read_inventory(path):
    """The (type, count) of the 36 inventory cells of a world file."""
    with open(path, "rb") as f:
        f.seek(WORLD_BYTES - 75)
        data = [(b - 1) % 256 for b in f.read(72)]
    return list(zip(data[0::2], data[1::2]))


def read_hotbar(path):
    """The types in the first nine inventory cells of a world file."""
    return [t for t, _ in read_inventory(path)[:9]]


def first_difference(a, b, ignore_tail=0):
    """None when the files hold the same bytes (but for the last
    `ignore_tail`), else where they first differ."""
    size_a, size_b = os.path.getsize(a), os.path.getsize(b)
    if size_a != size_b:
        return f"{size_a} bytes against {size_b}"
    end = size_a - ignore_tail
    chunk = 1 << 24
    with open(a, "rb") as fa, open(b, "rb") as fb:
        at = 0
        while at < end:
            x, y = fa.read(min(chunk, end - at)), fb.read(min(chunk, end - at))
            if x != y:
                i = next(i for i in range(len(x)) if x[i] != y[i])
                return describe_offset(at + i, size_a) + f": {x[i]:#04x} against {y[i]:#04x}"
            at += len(x)
    return None


def describe_offset(offset, size):
    if offset < 400_000_000:
        c = offset // 2
        x, rest = divmod(c, 200 * 1000)
        y, z = divmod(rest, 1000)
        return f"byte {offset}: the {'type' if offset % 2 == 0 else 'aux'} of cell {x} {y} {z}"
    t = offset - 400_000_000
    if t < 9:
        return f"byte {offset}: status value {t}"
    if t < 81:
        return f"byte {offset}: inventory cell {(t - 9) // 2}"
    if offset >= size - 2:
        return f"byte {offset}: {'DayTime' if offset == size - 2 else 'SubDayTime'}"
    if t == 81:
        return f"byte {offset}: the chest count"
    return f"byte {offset}: chest record {(t - 82) // 54}, cell {(t - 82) % 54 // 2}"


def mb(kb):
    return kb / 1024


def log_memory(samples, seconds):
    """Every sample, then the median and the highest of each minute played."""
    log("resident memory (MB) every %.0f s: " % RSS_PERIOD +
        " ".join(f"{t:.0f}:{mb(kb):.0f}" for t, kb in samples))
    start = 0.0
    while start < seconds:
        stretch = [kb for t, kb in samples if start <= t < min(start + 60.0, seconds)]
        if stretch:
            log(f"  {start:4.0f} to {min(start + 60.0, seconds):4.0f} s: median "
                f"{mb(statistics.median(stretch)):.0f} MB, highest {mb(max(stretch)):.0f} MB")
        start += 60.0


def judge_memory(samples, warm, seconds):
    """The resident size must stop growing once the first save has passed and
    a minute more: warm is when the first save was due, by which time every
    render distance has been seen and the save buffer is in memory.

    The level of a stretch of samples is its median. A sample may catch a
    passing peak (sections rebuilt after digging, the driver's buffers while a
    frame is drawn) some percent over the level; a leak raises the median as
    surely as the peak, a passing peak does not. So the level of the last
    five minutes may lie only a margin above the level of the minute after
    warming up (a leak of 8 MB a minute goes past it), and no late peak far
    above the early ones."""
    check(samples, "no memory samples")
    log_memory(samples, seconds)
    minute = 60.0
    late_from = max(warm + minute, seconds - RSS_LATE_WINDOW)
    early = [kb for t, kb in samples if warm <= t < warm + minute]
    late = [kb for t, kb in samples if late_from <= t < seconds]
    if not early or not late:
        log(f"memory not judged: {seconds:.0f} s of play leave no stretch after {warm + minute:.0f} s")
        return
    level = statistics.median(early)
    allowed = level + max(RSS_MARGIN_MB * 1024, level * RSS_MARGIN_SHARE)
    peak_allowed = max(early) * (1 + RSS_PEAK_SHARE)
    log(f"resident memory: median {mb(level):.0f} MB from {warm:.0f} to {warm + minute:.0f} s; "
        f"from {late_from:.0f} s on median {mb(statistics.median(late)):.0f} MB "
        f"(allowed {mb(allowed):.0f} MB); "
        f"highest {mb(max(early)):.0f} MB early, {mb(max(late)):.0f} MB late "
        f"(allowed {mb(peak_allowed):.0f} MB)")
    check(statistics.median(late) <= allowed, "memory kept growing after the first minute")
    check(max(late) <= peak_allowed, "memory peaked far higher late in the run than early")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    options = parser.parse_args()
    if "VELMORA_E2E_DISPLAY" not in os.environ:
        return e2e.run_in_private_x_server(script=__file__)
    seed = os.environ.get("VELMORA_SOAK_SEED") or str(random.SystemRandom().randrange(1 << 31))
    seconds = float(os.environ.get("VELMORA_SOAK_SECONDS", "600"))
    started = time.time()
    try:
        e2e.wait_for(lambda: run("xwininfo", "-root").returncode == 0, 10, "the X server")
        Soak(os.path.abspath(options.game), seconds, int(seed)).run()
    except Failure as failure:
        print(f"FAILED (seed {seed}, after {time.time() - started:.0f} s):", failure)
        return 1
    print(f"passed (seed {seed}, {time.time() - started:.0f} s in all)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
