#!/usr/bin/env python3
"""End-to-end runs of the real game window under a virtual X server.

Each scenario copies the game into a fresh temporary folder (so that
Settings.data and any other file it writes land there, not beside the build),
starts it with software GL, drives it with xdotool, captures the screen with
xwd and checks the pixels, the exit status and the files left behind.

    e2e_driver.py --game build/velmora --scenario NAME

Exit status: 0 passed, 1 failed, 77 skipped (ctest's SKIP_RETURN_CODE).
"""
import argparse
import ctypes
import ctypes.util
import glob
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

TITLE = "Velmora 1.1 Alpha"
SCREEN = (1024, 768)
SKIP = 77
# A build that runs several times slower (the sanitizers') sets this above 1
# so that key presses are spaced further apart; how long each is held stays.
SLOWDOWN = float(os.environ.get("VELMORA_E2E_SLOWDOWN", "1"))
# The menus step at most once per 250 ms; keys are spaced wider than that.
STEP = 0.4 * SLOWDOWN


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*args, timeout=20):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, check=False)


# ---- the X side ------------------------------------------------------------

def find_window(game, timeout=20.0, title=TITLE):
    deadline = time.time() + timeout
    while time.time() < deadline:
        check(game.poll() is None, "the game ended before its window opened "
              f"(status {game.returncode}): {game.errors()}")
        r = run("xdotool", "search", "--name", f"^{title}$")
        ids = r.stdout.split()
        if ids:
            return int(ids[0])
        time.sleep(0.05)
    raise Failure("no window titled " + title)


def window_geometry(window):
    out = run("xwininfo", "-id", str(window)).stdout
    values = {}
    for line in out.splitlines():
        line = line.strip()
        for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
            if line.startswith(key + ":"):
                values[key] = int(line.split(":")[1])
    return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
            values["Width"], values["Height"])


def window_name(window):
    return run("xdotool", "getwindowname", str(window)).stdout.rstrip("\n")


def focus(window):
    run("xdotool", "windowfocus", "--sync", str(window))
    time.sleep(0.1)


def hold_for(down, up, seconds):
    """Presses, waits and lets go in one xdotool run: starting a second run to
    let go can take a busy machine a tenth of a second or more, and a key held
    past 150 ms fires the game's own repeat (R, E, F3, a right click) twice."""
    run("xdotool", *down, "sleep", f"{seconds:.3f}", *up, timeout=20 + seconds)


def press(key, hold=0.05):
    """Taps a key (the game sees a tap shorter than a frame once), then waits
    out the 250 ms gate of menus and screens."""
    hold_for(("keydown", key), ("keyup", key), hold)
    time.sleep(STEP)


def close_window(window):
    """What the close button does: a WM_DELETE_WINDOW message to the window."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_char * 96)]

    display = x11.XOpenDisplay(None)
    check(display, "cannot open the X display")
    event = ClientMessage()
    event.type = 33  # ClientMessage
    event.window = window
    event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.format = 32
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.data[1] = 0  # CurrentTime
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


class Picture:
    """A screen capture or a bitmap file: pixel(x, y) gives (r, g, b). Pixels
    are decoded only when read: a whole capture took a second or more to
    decode, and most checks look at a few small boxes. Both kinds of file
    hold blue, green and red in a pixel's first three bytes."""

    def __init__(self, data, width, height, origin, stride, size):
        self.data, self.width, self.height = data, width, height
        self.origin, self.stride, self.size = origin, stride, size

    def pixel(self, x, y):
        at = self.origin + y * self.stride + x * self.size
        return (self.data[at + 2], self.data[at + 1], self.data[at])

    def region(self, x0, y0, x1, y1):
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]

    def crop(self, x, y, w, h):
        return Picture(self.data, w, h, self.origin + y * self.stride + x * self.size,
                       self.stride, self.size)


def parse_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    (header_size, _version, pixmap_format, _depth, width, height, _xoffset, byte_order,
     _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, _visual, red_mask, green_mask,
     blue_mask, _bits_rgb, _entries, ncolors) = fields[:20]
    check(pixmap_format == 2 and bits_per_pixel in (24, 32) and byte_order == 0
          and (red_mask, green_mask, blue_mask) == (0xFF0000, 0xFF00, 0xFF),
          f"unexpected xwd format {fields[:20]}")
    return Picture(data, width, height, header_size + ncolors * 12, bytes_per_line,
                   bits_per_pixel // 8)


def capture(window):
    """The window's client area as the screen shows it."""
    x, y, w, h = window_geometry(window)
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, timeout=20,
                          check=True).stdout
    return parse_xwd(data).crop(x, y, w, h)


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    check(data[:2] == b"BM", f"{path} is not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bpp, = struct.unpack_from("<H", data, 28)
    check(bpp == 24, f"{path} is {bpp}-bit, not 24-bit")
    stride = (width * 3 + 3) & ~3
    if height > 0:  # stored bottom row first
        return Picture(data, width, height, offset + (height - 1) * stride, -stride, 3)
    return Picture(data, width, -height, offset, stride, 3)


# ---- the game ------------------------------------------------------------------

class Game:
    def __init__(self, binary, extra_env=None, args=(), base_env=None, setup=None, folder=None):
        # With `folder`, a later run in the folder an earlier one played in,
        # which stays that run's to remove.
        self.owns_folder = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix="velmora-e2e-")
        if setup:
            setup(self.folder)
        self.binary = os.path.join(self.folder, os.path.basename(binary))
        # A copy, not a link: the game finds its folder through /proc/self/exe,
        # which sees through links.
        shutil.copy2(binary, self.binary)
        env = dict(base_env if base_env is not None else os.environ, LIBGL_ALWAYS_SOFTWARE="1", VELMORA_NO_DIALOGS="1",
                   VELMORA_NO_VSYNC="1")
        env.update(extra_env or {})
        self.stderr = open(os.path.join(self.folder, "stderr.txt"), "w+")
        self.process = subprocess.Popen([self.binary, *args], cwd=self.folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)

    def poll(self):
        return self.process.poll()

    @property
    def returncode(self):
        return self.process.returncode

    def wait(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end within {timeout} s")

    def file(self, name):
        return os.path.join(self.folder, name)

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.cleanup()
        return False

    def cleanup(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.stderr.close()
        if self.owns_folder:
            shutil.rmtree(self.folder, ignore_errors=True)


def expect_clean_exit(game):
    status = game.wait()
    check(status == 0, f"exit status {status}, stderr: {game.errors()}")
    settings = game.file("Settings.data")
    check(os.path.exists(settings), "Settings.data was not written at exit")
    check(os.path.getsize(settings) == 2,
          f"Settings.data holds {os.path.getsize(settings)} bytes, not 2")


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def dark(colour):
    return sum(colour) < 120


def white(colour):
    return min(colour) > 200


# ---- scenarios ------------------------------------------------------------------

def window_opens(binary):
    with Game(binary) as game:
        window = find_window(game)
        check(window_name(window) == TITLE, f"title is {window_name(window)!r}")
        time.sleep(0.5)
        x, y, w, h = window_geometry(window)
        check((w, h) == (800, 600), f"window is {w} x {h}, not 800 x 600")
        expected = (SCREEN[0] // 2 - 400, SCREEN[1] // 2 - 300)
        check((x, y) == expected, f"window at {(x, y)}, not centred at {expected}")
        check(game.poll() is None, "the game ended on its own")
        picture = capture(window)
        check(picture.width == 800 and picture.height == 600, "capture size")
        close_window(window)
        expect_clean_exit(game)


def close_button_quits(binary):
    with Game(binary) as game:
        window = find_window(game)
        time.sleep(0.5)
        close_window(window)
        expect_clean_exit(game)


def quit_confirmation(binary):
    with Game(binary) as game:
        window = find_window(game)
        time.sleep(0.5)
        focus(window)
        # Esc opens the quit confirmation on "No": Enter there goes back.
        press("Escape")
        press("Return")
        time.sleep(0.5)
        check(game.poll() is None, "Enter on No ended the game")
        # Esc, Up to "Yes", Enter: the game ends normally and keeps its settings.
        press("Escape")
        press("Up")
        press("Return")
        expect_clean_exit(game)


def scene_problems(picture):
    """What the probe's test scene must show; a list of what it does not."""
    sky = (0x4B, 0x7D, 0xF5)
    expected = [
        ("clear colour", (20, 580), lambda c: near(c, sky, 2)),
        ("near green wall in front of the far red one", (300, 300),
         lambda c: near(c, (0, 255, 0), 2)),
        ("far red wall where nothing covers it", (180, 300), lambda c: near(c, (255, 0, 0), 2)),
        ("minimum blend over the sky", (560, 200), lambda c: near(c, (0x4B, 0x7D, 0x80), 2)),
        ("fogged wall takes the fog colour", (620, 450), lambda c: near(c, (255, 0, 255), 3)),
        ("half-transparent sprite over the sky", (40, 80),
         lambda c: near(c, (165, 190, 250), 3)),
        ("arrow sprite", (368 + 5, 280 + 8), white),
    ]
    problems = [f"{name}: pixel {xy} is {picture.pixel(*xy)}"
                for name, xy, test in expected if not test(picture.pixel(*xy))]
    if sum(1 for c in picture.region(400, 280, 460, 300) if dark(c)) < 20:
        problems.append("no black text at (400, 280)")
    return problems


def device_draws(probe):
    """The drawing device, through the probe's fixed test scene: the screenshot
    it writes and the window as the screen shows it must both be right."""
    with Game(probe, args=["--scene", "scene.bmp"]) as game:
        window = find_window(game, title="Velmora device probe")
        deadline = time.time() + 20
        while not os.path.exists(game.file("scene.bmp")) and time.time() < deadline:
            time.sleep(0.05)
        time.sleep(0.3)
        shot = read_bmp(game.file("scene.bmp"))
        check((shot.width, shot.height) == (800, 600), "screenshot size")
        problems = ["screenshot: " + p for p in scene_problems(shot)]
        problems += ["window: " + p for p in scene_problems(capture(window))]
        close_window(window)
        status = game.wait()
        check(status == 0, f"probe status {status}: {game.errors()}")
        check(not problems, "; ".join(problems))


def expect_setup_failure(game, text):
    status = game.wait()
    check(status == 255, f"exit status {status}, not -1 (255)")
    check(f"ERRORE: {text}" in game.errors(), f"no message {text!r}, stderr: {game.errors()}")
    check(not os.path.exists(game.file("Settings.data")),
          "settings written although the game never started")


def no_display_fails(binary):
    """Without any display the game stops at once with its message."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    with Game(binary, base_env=env) as game:
        expect_setup_failure(game, "Creazione della finestra fallita.")


def no_gl33_fails(binary):
    """A GL older than 3.3 core is the missing device of the message."""
    with Game(binary, extra_env={"MESA_GL_VERSION_OVERRIDE": "3.0"}) as game:
        expect_setup_failure(game, "Impossibile creare un Device Direct3D.")


SCENARIOS = {
    "no_display_fails": no_display_fails,
    "no_gl33_fails": no_gl33_fails,
    "window_opens": window_opens,
    "close_button_quits": close_button_quits,
    "quit_confirmation": quit_confirmation,
}


# ---- scenarios that need the menu screens ------------------------------------

def menus_main_arrow(binary):
    with Game(binary) as game:
        window = find_window(game)
        time.sleep(0.8)
        picture = capture(window)
        # The selection arrow (texture 44, white on black) beside "Gioca"/"Play".
        arrow = picture.region(368, 280, 384, 296)
        check(sum(1 for c in arrow if white(c)) >= 20,
              "no white arrow at (368, 280)")
        # Black text at (400, 280).
        text = picture.region(400, 280, 460, 300)
        check(sum(1 for c in text if dark(c)) >= 20, "no black text at (400, 280)")
        # Row 300 ("Opzioni"/"Options") has no arrow: its arrow cell differs
        # from the selected one (the background alone may be light there).
        other = picture.region(368, 300, 384, 316)
        check(sum(1 for a, b in zip(arrow, other) if a != b) >= 20,
              "the arrow cell of row 300 looks like the selected one")
        close_window(window)
        expect_clean_exit(game)


def menus_language_switch(binary):
    with Game(binary) as game:
        window = find_window(game)
        time.sleep(0.8)
        focus(window)
        press("Down")      # Options
        press("Return")    # the options screen, on Cancel
        press("Up")        # Language
        time.sleep(0.3)
        before = capture(window).region(400, 300, 600, 320)
        press("Return")    # switch language
        time.sleep(0.3)
        after = capture(window).region(400, 300, 600, 320)
        check(sum(1 for c in before if dark(c)) >= 20, "no language line at (400, 300)")
        changed = sum(1 for a, b in zip(before, after) if a != b)
        check(changed >= 20, "the language line did not change after Enter")
        close_window(window)
        expect_clean_exit(game)


def wait_for(condition, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise Failure("timed out waiting for " + what)


def saving(path):
    """A save of `path` is under way: one of its temporaries is there."""
    return bool(glob.glob(glob.escape(path) + ".tmp*"))


def play_save_and_reload(binary):
    """A new world in slot 1, saved from the pause menu, shows as taken and loads again."""
    with Game(binary) as game:
        window = find_window(game)
        time.sleep(0.8)
        focus(window)
        press("Return")    # Gioca
        press("Return")    # Mondo1: empty, so a world is made
        def playing():
            # The status strip stands along the top of the playing screen,
            # whatever the new world (made from the clock's seed) shows.
            return status_strip_shown(capture(window))
        wait_for(playing, 30, "the playing screen")
        time.sleep(STEP)   # the world's making fired the 250 ms gate just now
        press("Escape")    # pause
        press("Down")
        press("Return")    # Salva
        world = game.file("Mondo1.data")
        wait_for(lambda: os.path.exists(world), 30, "the world file")
        wait_for(lambda: not saving(world), 30, "the save to finish")
        check(os.path.getsize(world) == 400_000_084, f"world file of {os.path.getsize(world)} bytes")
        seed = open(game.file("SemeM1.data"), "rb").read()
        check(len(seed) == 10 and seed.isdigit(), f"seed file {seed!r}")
        time.sleep(0.5)
        press("Down")
        press("Return")    # Esci senza salvare: the main menu
        press("Return")    # Gioca: the slot now reads 400MB
        time.sleep(0.3)
        status = capture(window).region(550, 260, 600, 276)
        check(sum(1 for c in status if dark(c)) >= 20, "no slot status beside Mondo1")
        press("Return")    # Mondo1 again: loaded from its file
        wait_for(playing, 30, "the loaded world")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS.update({
    "menus_main_arrow": menus_main_arrow,
    "menus_language_switch": menus_language_switch,
    "play_save_and_reload": play_save_and_reload,
})


# ---- one writer per slot: the game and velmora-world take turns ---------------

def slot_held_while_playing(binary):
    """While the game plays slot 1, velmora-world give on it refuses and leaves
    the file as it was; the game's own save still works; back at the main menu
    the slot is free for the tool."""
    tool = world_tool(binary)
    with Game(binary) as game:
        window = find_window(game)
        wait_for(lambda: panel_background_shown(capture(window)), 20, "the main menu")
        focus(window)
        press("Return")    # Gioca
        press("Return")    # Mondo1: empty, so a world is made and the slot locked
        wait_for(lambda: status_strip_shown(capture(window)), 60, "the playing screen")
        time.sleep(STEP)   # the world's making fired the 250 ms gate just now
        press("Escape")    # pause
        press("Down")
        press("Return")    # Salva
        world = game.file("Mondo1.data")
        wait_for(lambda: os.path.exists(world) and not saving(world), 60, "the first save")
        time.sleep(STEP)   # the save's end closes the gate
        before = os.stat(world)
        slot = ["--slot", "1", "--dir", game.folder]
        r = run(tool, "give", *slot, "1", "5", "12", timeout=120)
        check(r.returncode == 1 and "slot 1 is open in the game" in r.stderr,
              f"give on the slot being played: {r.returncode} {r.stdout} {r.stderr}")
        check("given" not in r.stdout, f"a refused give said it was done: {r.stdout}")
        after = os.stat(world)
        check((after.st_ino, after.st_mtime_ns, after.st_size)
              == (before.st_ino, before.st_mtime_ns, before.st_size),
              "velmora-world wrote the slot the game holds")
        press("Return")    # Salva again, the pause menu still on it
        wait_for(lambda: os.stat(world).st_ino != before.st_ino and not saving(world), 60,
                 "the second save")
        time.sleep(STEP)
        press("Down")
        press("Return")    # Esci senza salvare: the main menu, the slot let go

        def given():
            r = run(tool, "give", *slot, "1", "5", "12", timeout=120)
            return r.returncode == 0 and "1 cells given" in r.stdout
        wait_for(given, 60, "velmora-world give to be let write the slot")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS.update({
    "slot_held_while_playing": slot_held_while_playing,
})


# ---- hands on the world: digging, crafting, placing and a chest ---------------

def world_tool(binary):
    """velmora-world, built beside the game."""
    tool = os.path.join(os.path.dirname(binary), "velmora-world")
    check(os.path.exists(tool), f"no world tool at {tool}")
    return tool


def world_tool_run(tool, *args):
    """Runs velmora-world, which must succeed; returns what it printed."""
    r = run(tool, *args, timeout=300)
    check(r.returncode == 0, f"velmora-world {' '.join(args)}: {r.returncode} {r.stderr}")
    return r.stdout


def prepare_hands_scene(tool, folder):
    """Slot 1 in `folder`: a generated world with, straight ahead of the spawn
    (eye at x = z = 500 looking along +z, standing on the ground at y 100, so
    the eye settles just above y 102), raw wood, dirt, stone and raw wood again
    at eye height, and 16 raw wood and an iron ingot in the inventory."""
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "496..504", "101..198", "496..510", "0",   # nothing above the ground around
                   "496..504", "100", "496..510", "7",        # a floor of stone
                   "500", "102", "502", "5",                  # raw wood to chop
                   "500", "102", "503", "2",                  # dirt and stone to dig
                   "500", "102", "504", "7",
                   "500", "102", "505", "5")                  # a backstop no pickaxe digs
    world_tool_run(tool, "give", *slot, "1", "5", "16", "2", "29", "1")


def inventory_and_chests(tool, world_file):
    text = world_tool_run(tool, "info", world_file)
    return text[text.index("inventory:"):text.index("blocks:")]


def mouse_hold(button, seconds):
    hold_for(("mousedown", str(button)), ("mouseup", str(button)), seconds)
    time.sleep(STEP)


def hands_on_the_world(binary):
    """Chop wood with the starting axe, craft a table and place it, craft
    planks, sticks, a wooden pickaxe and a chest, dig the table back, dig dirt
    and stone, place a block and the chest, move cobblestone into the chest,
    save; the saved file then holds exactly that inventory and chest."""
    tool = world_tool(binary)
    with Game(binary) as game:
        prepare_hands_scene(tool, game.folder)
        window = find_window(game)
        play_slot_1(window)
        time.sleep(1.5)    # the fall onto the floor

        mouse_hold(1, 2.5)          # chop the raw wood (1.2 s with the wooden axe)
        press("r")                  # the crafting panel
        press("Return", hold=0.1)   # hand: a crafting table (cell 3)
        press("4")
        mouse_hold(3, 0.12)         # place it where the wood was
        press("Down")               # table list: planks
        press("Return", hold=0.1)
        press("Return", hold=0.1)   # 6 planks
        press("Down")
        press("Down")               # sticks
        press("Return", hold=0.1)
        press("Return", hold=0.1)   # 2 sticks
        press("Down")               # the wooden pickaxe (cell 4)
        press("Return", hold=0.1)
        # The list shrinks past the cursor, which stops on its last recipe: the chest.
        press("Return", hold=0.1)   # a chest (cell 1)
        press("r")                  # panel closed
        press("1")
        mouse_hold(1, 2.5)          # the axe takes the table back (cell 2)
        press("5")
        mouse_hold(1, 3.5)          # the pickaxe digs the dirt (cell 5), then the stone (cobblestone, cell 6)
        press("6")
        mouse_hold(3, 0.12)         # the dirt goes back in front of the far raw wood
        press("2")
        mouse_hold(3, 0.12)         # the chest in front of the dirt
        time.sleep(0.3)
        mouse_hold(3, 0.12)         # open it: the cursor on cell 1
        wait_for(lambda: panel_background_shown(capture(window)), 10, "the chest screen")
        for _ in range(5):
            press("d")              # to the cobblestone in cell 6
        press("Return")
        for _ in range(4):
            press("w")              # up into the chest's first row, its cell 6
        press("Return")
        press("Escape")             # the chest keeps it
        wait_for(lambda: status_strip_shown(capture(window)), 10, "play after the chest")
        world = save_from_pause_menu(game, window)
        close_window(window)
        expect_clean_exit(game)

        expected = ("inventory:\n"
                    "  cell  0: 62 Wooden axe x1\n"
                    "  cell  2: 27 Crafting table x1\n"
                    "  cell  3: 10 Wooden planks x2\n"
                    "  cell  4: 55 Wooden pickaxe x1\n"
                    "chest 0:\n"
                    "  cell  6: 1 Cobblestone x1\n")
        found = inventory_and_chests(tool, world)
        check(found == expected, f"the saved world holds\n{found}\nnot\n{expected}")


SCENARIOS.update({
    "hands_on_the_world": hands_on_the_world,
})


# ---- a damaged world slot, emptied from the world selection ------------------

def damaged_slot_moved_aside(binary):
    """A damaged Mondo1.data refuses to load with a notice; Delete, Yes moves the
    slot's files aside as .bak1 and the question goes away."""
    with Game(binary) as game:
        with open(game.file("Mondo1.data"), "wb") as f:
            f.write(b"not a world")
        with open(game.file("SemeM1.data"), "wb") as f:
            f.write(b"1234567890")
        window = find_window(game)
        time.sleep(0.8)
        focus(window)
        press("Return")    # Gioca
        press("Return")    # Mondo1: damaged, so it stays in the world selection
        time.sleep(0.3)
        notice = capture(window).region(300, 400, 500, 416)
        check(sum(1 for r, g, b in notice if r > 100 and g < 60 and b < 60) >= 20,
              "no dark red notice at (300, 400)")
        check(os.path.exists(game.file("Mondo1.data")), "the damaged world went away on Enter")
        press("Delete")    # Cancellare Mondo1? on No
        time.sleep(0.3)
        question = capture(window).region(400, 180, 560, 196)
        check(sum(1 for c in question if dark(c)) >= 20, "no question at (400, 180)")
        press("Up")        # Si'
        press("Return")
        wait_for(lambda: os.path.exists(game.file("Mondo1.data.bak1")), 10, "Mondo1.data.bak1")
        check(os.path.exists(game.file("SemeM1.data.bak1")), "the seed file was not moved aside")
        check(not os.path.exists(game.file("Mondo1.data")), "Mondo1.data is still there")
        with open(game.file("Mondo1.data.bak1"), "rb") as f:
            check(f.read() == b"not a world", "the moved world file changed")
        time.sleep(0.3)
        question = capture(window).region(400, 180, 560, 196)
        check(sum(1 for c in question if dark(c)) < 5, "the question is still up")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS.update({
    "damaged_slot_moved_aside": damaged_slot_moved_aside,
})


# ---- scenarios of the player: walking, looking, jumping, the time of day ------

# The debug lines' fields, as pixel boxes of the 7-pixel-wide font: the line
# "Position: x, y, z" at (200, 550) and "xzRotCamera: a, yRotCamera: b" at (10, 510).
POSITION_X = (270, 550, 340, 564)
POSITION_Y_WHOLE = (354, 550, 389, 564)  # "102.0": the height to a tenth
POSITION_Z = (438, 550, 508, 564)
ANGLES = (10, 510, 340, 524)


def panel_background_shown(picture):
    """The green edge atop the background picture of the menus, the progress
    screen and the inventory and chest screens."""
    edge = picture.region(300, 4, 500, 14)
    return sum(1 for c in edge if near(c, (55, 112, 38), 30)) >= len(edge) * 3 // 4


def status_strip_shown(picture):
    """The parchment strip along the top edge: the playing (or death) screen."""
    strip = picture.region(600, 18, 800, 30)
    return sum(1 for c in strip if near(c, (220, 208, 184), 30)) >= len(strip) * 3 // 4


def text_pixels(picture, box):
    """Where the white text lies within the box: what the text says, whatever
    is drawn behind it. Only pixels the glyphs cover fully count, pure white:
    a partly covered edge takes some of the world behind it, and the world,
    lit at its brightest, and the target's outline never reach pure white."""
    x0, y0, x1, y1 = box
    return frozenset((x, y) for y in range(y0, y1) for x in range(x0, x1)
                     if picture.pixel(x, y) == (255, 255, 255))


def hold(key, seconds):
    hold_for(("keydown", key), ("keyup", key), seconds)


def play_slot_1(window):
    """Play, slot 1 (made anew when empty, else loaded), and wait for the
    playing screen. Returns the time just before the key that started the
    world went down."""
    time.sleep(0.8)
    focus(window)
    press("Return")  # Play
    before = time.time()
    press("Return")  # slot 1
    # Making or loading a world takes seconds in a sanitizer build.
    wait_for(lambda: status_strip_shown(capture(window)), 60, "the playing screen")
    # Its end fired the 250 ms gate just now: Esc or I would go unheard.
    time.sleep(STEP)
    return before


def save_from_pause_menu(game, window):
    """Esc, Save, from play: returns the world file's path once the save has
    replaced it, with the pause menu left on Save."""
    world = game.file("Mondo1.data")
    before = os.stat(world).st_mtime_ns
    press("Escape")
    wait_for(lambda: panel_background_shown(capture(window)), 10, "the pause menu")
    press("Down")
    press("Return")
    wait_for(lambda: os.stat(world).st_mtime_ns != before
             and not saving(world), 60, "the save")
    # The save's end closes the 250 ms gate: the menu's next key would go unheard.
    time.sleep(STEP)
    return world


def player_walks_looks_and_jumps(binary):
    """W, the mouse and Space move the player and the view, as the debug
    lines (F3) show."""
    with Game(binary) as game:
        window = find_window(game)
        play_slot_1(window)
        # F3 repeats every 150 ms while held: a press that a loaded machine
        # stretches past that toggles twice, so it is pressed until it shows.
        def debug_lines_shown():
            return len(text_pixels(capture(window), POSITION_Z)) >= 20
        for _ in range(4):
            hold("F3", 0.05)
            time.sleep(0.5)
            if debug_lines_shown():
                break
        wait_for(debug_lines_shown, 5, "the debug lines")
        time.sleep(1.0)  # the drop onto the centre column is over
        still = capture(window)

        hold("w", 0.8)
        time.sleep(0.4)
        walked = capture(window)
        check(text_pixels(walked, POSITION_Z) != text_pixels(still, POSITION_Z),
              "W did not move the player forward (z)")
        check(text_pixels(walked, POSITION_X) == text_pixels(still, POSITION_X),
              "W moved a player facing +z sideways (x)")

        run("xdotool", "mousemove_relative", "--", "150", "60")
        time.sleep(0.4)
        turned = capture(window)
        check(text_pixels(turned, ANGLES) != text_pixels(walked, ANGLES),
              "moving the mouse did not turn the camera")
        check(text_pixels(turned, POSITION_Z) == text_pixels(walked, POSITION_Z),
              "turning moved the player")

        # Held Space jumps again at every landing: captures taken meanwhile
        # find the eye a tenth of a block or more above the ground.
        run("xdotool", "keydown", "space")
        try:
            airborne = [capture(window) for _ in range(3)]
        finally:
            run("xdotool", "keyup", "space")
        time.sleep(1.0)
        landed = capture(window)
        ground = text_pixels(turned, POSITION_Y_WHOLE)
        check(any(text_pixels(p, POSITION_Y_WHOLE) != ground for p in airborne),
              "Space did not lift the player")
        check(text_pixels(landed, POSITION_Y_WHOLE) == ground,
              "the jump did not come back down to the ground")
        for box, axis in ((POSITION_X, "x"), (POSITION_Z, "z")):
            check(text_pixels(landed, box) == text_pixels(turned, box),
                  f"a jump in place moved the player along {axis}")
        close_window(window)
        expect_clean_exit(game)


def world_info(binary, path):
    values = {}
    for line in world_tool_run(world_tool(binary), "info", path).splitlines():
        name, _, value = line.partition(": ")
        if name in ("DayTime", "SubDayTime"):
            values[name] = int(value)
    return values


def day_time_advances(binary):
    """Seconds of play move the saved world's DayTime on by one step per
    3.75 s (240 SubDayTime steps each), whatever the frame rate; time in the
    pause menu does not count."""
    with Game(binary) as game:
        window = find_window(game)
        started_before = play_slot_1(window)
        started_after = time.time()
        time.sleep(11.0)
        left_before = time.time()
        hold("Escape", 0.12)  # the pause menu
        left_after = time.time()
        time.sleep(4.0)
        press("Down")
        press("Return")  # Save
        world = game.file("Mondo1.data")
        wait_for(lambda: os.path.exists(world), 30, "the world file")
        wait_for(lambda: not saving(world), 30, "the save to finish")
        values = world_info(binary, world)
        check(set(values) == {"DayTime", "SubDayTime"}, f"world info gave {values}")
        # A new world starts at DayTime 180, SubDayTime 0; 64 steps a second.
        steps = ((values["DayTime"] - 180) % 240) * 240 + values["SubDayTime"]
        least = (left_before - started_after) * 64
        most = (left_after - started_before) * 64
        check(least - 4 <= steps <= most + 4,
              f"DayTime {values['DayTime']}, SubDayTime {values['SubDayTime']}: {steps} steps "
              f"of 15.625 ms, not within {least:.0f} to {most:.0f} for the time played")
        close_window(window)
        expect_clean_exit(game)


SCENARIOS.update({
    "player_walks_looks_and_jumps": player_walks_looks_and_jumps,
    "day_time_advances": day_time_advances,
})


def run_in_private_x_server(script=None):
    """Starts this script (or `script`) over inside an X server of its own, of a known size.

    The server picks a free display number itself and tells it through a pipe
    (-displayfd), so runs started at the same moment never share a server;
    choosing a number beforehand, as xvfb-run -a does, races with them.
    -noreset keeps it from resetting when a scenario's game closes, which
    refuses the next game's window for a moment."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number.isdigit():
            print("the X server did not start")
            return 1
        env = dict(os.environ, VELMORA_E2E_DISPLAY="1", DISPLAY=f":{number}")
        env.pop("XAUTHORITY", None)
        command = [sys.executable, os.path.abspath(script or __file__), *sys.argv[1:]]
        return subprocess.run(command, env=env, check=False).returncode
    finally:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()



# ---- scenarios of the world drawing ------------------------------------------------

TOOLS = {}


def tool(name, *args, timeout=120):
    r = run(TOOLS[name], *args, timeout=timeout)
    check(r.returncode == 0, f"{name} {' '.join(args)} failed ({r.returncode}): {r.stdout} {r.stderr}")
    return r.stdout


def sky_colour(luminance):
    """The clear colour of the sky at a brightness, as the game truncates it."""
    return (int(75 * luminance ** 2.35), int(125 * luminance ** 2.4), int(245 * luminance ** 2.25))


def first_frame(binary, setup, settings=None):
    """Loads slot 1 (made by `setup`) with F4 held from the start: the first
    screenshot is the first frame of play. Returns (picture, folder files)."""
    def prepare(folder):
        setup(folder)
        if settings is not None:
            with open(os.path.join(folder, "Settings.data"), "wb") as f:
                f.write(bytes(settings))
    game = Game(binary, setup=prepare)
    try:
        window = find_window(game)
        time.sleep(0.8)
        focus(window)
        run("xdotool", "keydown", "F4")
        press("Return")    # Gioca
        press("Return")    # Mondo1 is taken: load it
        shot = game.file(os.path.join("Screenshots", "Screenshot0.bmp"))
        wait_for(lambda: os.path.exists(shot), 60, "the first frame's screenshot")
        time.sleep(0.3)
        run("xdotool", "keyup", "F4")
        picture = read_bmp(shot)
        close_window(window)
        expect_clean_exit(game)
        return picture
    finally:
        run("xdotool", "keyup", "F4")
        game.cleanup()


def seed_world(folder):
    tool("scene", "seed", "1234567890", folder)


def differing(a, b, x0, y0, x1, y1):
    return sum(1 for p, q in zip(a.region(x0, y0, x1, y1), b.region(x0, y0, x1, y1)) if p != q)


# Parts of the frame the heads-up display leaves alone.
WORLD_ONLY = [(0, 90, 800, 270), (0, 290, 390, 450), (410, 290, 800, 450), (0, 530, 180, 600)]


def world_first_frame(binary):
    """The first frame of play shows the world as the literal drawer draws it:
    sky at the top in the colour of the world's time of day, a tree in front,
    ground below."""
    picture = first_frame(binary, seed_world)
    folder = tempfile.mkdtemp(prefix="velmora-e2e-ref-")
    try:
        seed_world(folder)
        out = os.path.join(folder, "reference.bmp")
        tool("frames", "shot", os.path.join(folder, "Mondo1.data"), os.path.join(folder, "SemeM1.data"), out)
        reference = read_bmp(out)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    diff = sum(differing(picture, reference, *box) for box in WORLD_ONLY)
    check(diff == 0, f"{diff} pixels differ from the reference drawer's picture")
    sky = sky_colour((7 * 0.5 + 9) / 16)  # DayTime 180
    check(near(picture.pixel(400, 100), sky, 1), f"sky at the top is {picture.pixel(400, 100)}, not {sky}")
    leaves = sum(1 for c in picture.region(250, 300, 550, 450) if c[1] > c[0] + 10 and c[1] > c[2] + 10)
    check(leaves > 20000, f"no tree in front: {leaves} leafy pixels")
    ground = sum(1 for c in picture.region(0, 560, 180, 600) if c[1] > c[2])
    check(ground > 3000, f"no ground below: {ground} green pixels")


def world_render_distance(binary):
    """A longer render distance reaches further: distant hills replace sky."""
    sky = sky_colour((7 * 0.5 + 9) / 16)
    counts = []
    for distance in (0, 4):
        picture = first_frame(binary, seed_world, settings=[distance + 1, 2])
        counts.append(sum(1 for c in picture.region(0, 90, 800, 450) if near(c, sky, 0)))
    check(counts[1] < counts[0] - 2000, f"sky pixels: {counts[0]} at distance 0, {counts[1]} at 4")


def world_torch_lights_hole(binary):
    """A torch in a dark room makes it brighter, seen through the tunnel."""
    means = []
    for torch in (False, True):
        setup = lambda folder, torch=torch: tool("scene", "hole", folder, *(["torch"] if torch else []))
        picture = first_frame(binary, setup, settings=[5, 2])
        box = picture.region(420, 300, 460, 340)
        means.append(sum(sum(c) for c in box) / (3 * len(box)))
    check(means[1] > 2 * means[0] and means[1] > 40, f"room brightness {means[0]:.1f} dark, {means[1]:.1f} lit")


def world_pictures_match(binary):
    """The renderer and the literal drawer give the same pixels at several
    viewpoints of a generated world."""
    folder = tempfile.mkdtemp(prefix="velmora-e2e-compare-")
    try:
        r = run(TOOLS["frames"], "compare", folder, timeout=300)
        print(r.stdout)
        check(r.returncode == 0 and "differing pixels in all views: 0" in r.stdout,
              f"pictures differ ({r.returncode}): {r.stdout} {r.stderr}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


SCENARIOS.update({
    "world_first_frame": world_first_frame,
    "world_render_distance": world_render_distance,
    "world_torch_lights_hole": world_torch_lights_hole,
    "world_pictures_match": world_pictures_match,
})


# ---- the first hour in three minutes ---------------------------------------------
#
# A new player's first hour, played through the window as a person would, from
# a prepared world: watch the night fall and pass, walk to a tree and chop it,
# craft a table and tools, dig down into the dark and light it with a torch,
# build a glass wall, keep things in a chest, fall out of the bottom of the
# world and come back, save, quit, start again and load. The saved world must
# then hold what was left in it. With VELMORA_GUIDE=DIR set, the run also
# writes the pictures of the players' guide in the README into DIR.

def palette_of(rows, size=256):
    """At most `size` colours standing for the picture's: median cut, box by
    box, the box of the widest spread times pixels split at the weighted
    median of its widest channel. Returns the palette and the rows as indices
    into it."""
    counts = {}
    for row in rows:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1

    def box(colours):
        spreads = [max(c[i] for c in colours) - min(c[i] for c in colours) for i in range(3)]
        channel = max(range(3), key=spreads.__getitem__)
        weight = spreads[channel] * sum(counts[c] for c in colours) if len(colours) > 1 else -1
        return weight, channel, colours

    boxes = [box(list(counts))]
    while len(boxes) < size:
        at = max(range(len(boxes)), key=lambda i: boxes[i][0])
        weight, channel, colours = boxes[at]
        if weight < 0:
            break
        colours.sort(key=lambda c: c[channel])
        half, seen = sum(counts[c] for c in colours) / 2, 0
        for cut, colour in enumerate(colours, 1):
            seen += counts[colour]
            if seen >= half:
                break
        cut = min(cut, len(colours) - 1)
        boxes[at:at + 1] = [box(colours[:cut]), box(colours[cut:])]
    palette, index = [], {}
    for i, (_, _, colours) in enumerate(boxes):
        total = sum(counts[c] for c in colours)
        palette.append(tuple((sum(c[j] * counts[c] for c in colours) + total // 2) // total
                             for j in range(3)))
        for colour in colours:
            index[colour] = i
    return palette, [[index[c] for c in row] for row in rows]


def write_png(path, rows):
    """A PNG of 256 colours at most, written with zlib alone: small enough for
    the README's pictures of the game."""
    palette, indices = palette_of(rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 3, 0, 0, 0)
    image = b"".join(b"\x00" + bytes(row) for row in indices)
    with open(path + ".tmp", "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"PLTE", bytes(v for colour in palette for v in colour))
                + chunk(b"IDAT", zlib.compress(image, 9)) + chunk(b"IEND", b""))
    os.replace(path + ".tmp", path)


class Guide:
    """The pictures of the players' guide: each a moment of the window at half
    its size (400 x 300, every pixel the mean of four), written only when
    VELMORA_GUIDE names a folder."""

    def __init__(self):
        self.folder = os.environ.get("VELMORA_GUIDE")

    def picture(self, name, shot):
        if not self.folder:
            return
        os.makedirs(self.folder, exist_ok=True)
        rows = []
        for y in range(0, shot.height - 1, 2):
            row = []
            for x in range(0, shot.width - 1, 2):
                four = (shot.pixel(x, y), shot.pixel(x + 1, y), shot.pixel(x, y + 1),
                        shot.pixel(x + 1, y + 1))
                row.append(tuple((sum(p[i] for p in four) + 2) // 4 for i in range(3)))
            rows.append(row)
        write_png(os.path.join(self.folder, name + ".png"), rows)


class View:
    """How far up or down the player looks, along +z. Mouse motion turns the
    view by exactly 1/750 radian a pixel, and the pitch stops at straight up
    and straight down; a game started anew and a respawn look level. So the
    view is known at every moment from the motion sent since."""

    PIXELS_PER_RADIAN = 750

    def __init__(self):
        self.level()

    def level(self):
        """What the game has just set: level."""
        self.pitch_stop, self.pitch = 0.0, 0

    def look(self, pitch):
        """Turns to `pitch`, radians, up positive; ±π/2 is straight up or down."""
        if abs(pitch) >= math.pi / 2:
            # Far past the stop, whatever the pitch was.
            dy = -2000 if pitch > 0 else 2000
            self.pitch_stop, self.pitch = math.copysign(math.pi / 2, pitch), 0
        else:
            target = round((pitch - self.pitch_stop) * self.PIXELS_PER_RADIAN)
            dy = self.pitch - target  # the mouse moves down to look down
            self.pitch = target
        if dy:
            run("xdotool", "mousemove_relative", "--", "0", str(dy))
        # The update that takes the motion, and the drawing that picks the
        # block under the new view for the next update.
        time.sleep(STEP)

    def look_at(self, ahead, rise):
        """Looks along +z at the point `ahead` cells in front of the eye and
        `rise` above it. The view runs along (h sin a, sin b, h cos a) with
        h = 1.002 - |sin b|, not cos b: its slope is sin b / h."""
        self.look(math.asin(1.002 * rise / (ahead + abs(rise))))


DOWN = -math.pi / 2


def wait_for_screen(window, condition, timeout, what):
    """The first capture of the window that meets the condition."""
    found = []

    def shown():
        shot = capture(window)
        if condition(shot):
            found.append(shot)
        return bool(found)
    wait_for(shown, timeout, what)
    return found[0]


def dig_until(window, condition, timeout, what):
    """Holds the left button until a capture meets the condition, and returns
    that capture. Letting go a moment later does no harm where this is used:
    what the view reaches next cannot be dug with the tool in hand."""
    run("xdotool", "mousedown", "1")
    try:
        return wait_for_screen(window, condition, timeout, what)
    finally:
        run("xdotool", "mouseup", "1")
        time.sleep(STEP)


def hotbar_cell(shot, k):
    """The icon and count of hotbar cell k (0 to 8)."""
    return shot.region(190 + 48 * k, 480, 222 + 48 * k, 512)


def dig_until_cell_changes(window, k, timeout, what):
    """Digs until hotbar cell k shows something new: the dug block's yield."""
    before = hotbar_cell(capture(window), k)
    dig_until(window, lambda shot: hotbar_cell(shot, k) != before, timeout, what)


def brightness(shot, box):
    pixels = shot.region(*box)
    return sum(sum(c) for c in pixels) / (3 * len(pixels))


def seen_through(before, after, box):
    """How the brightness of `after` follows that of `before` over a box: the
    slope and the correlation of the straight line that fits it best."""
    xs = [sum(c) for c in before.region(*box)]
    ys = [sum(c) for c in after.region(*box)]
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    sxx = sum((x - mx) ** 2 for x in xs)
    syy = sum((y - my) ** 2 for y in ys)
    return sxy / sxx, sxy / math.sqrt(sxx * syy)


def sky_steps_from_midnight(shot):
    """|DayTime - 120| read from the sky's colour (the clear colour, one of
    its own for every step of brightness), or None when it is not sky: the
    most common colour of open sky at the top right, right of the tree ahead
    of the spawn."""
    samples = shot.region(640, 40, 790, 130)[::7]
    colour = max(set(samples), key=samples.count)
    for steps in range(121):
        if sky_colour((7 * steps / 120 + 9) / 16) == colour:
            return steps
    return None


def dead_screen(shot):
    """The death screen: "You died. ..." in white, and no world, only the
    clear colour, above it."""
    words = shot.region(250, 450, 520, 464)
    sky = shot.region(0, 100, 800, 260)[::13]
    return sum(1 for c in words if c == (255, 255, 255)) >= 40 and len(set(sky)) == 1


def world_cell(path, x, y, z):
    """(type, aux) of a cell of a world file: cells stand x, then y, then z,
    each byte one above its value."""
    with open(path, "rb") as f:
        f.seek(((x * 200 + y) * 1000 + z) * 2)
        stored = f.read(2)
    return ((stored[0] - 1) % 256, (stored[1] - 1) % 256)


def block_counts(tool, path):
    """How many cells of each block type the world holds."""
    text = world_tool_run(tool, "info", path)
    counts = {}
    for line in text[text.index("blocks:"):].splitlines()[1:]:
        fields = line.split()
        counts[int(fields[0])] = int(fields[-1])
    return counts


def same_but_time_of_day(first, second):
    """Whether two world files are byte for byte the same, but for their last
    two bytes: DayTime and SubDayTime."""
    if os.path.getsize(first) != os.path.getsize(second):
        return False
    size = os.path.getsize(first)
    with open(first, "rb") as a, open(second, "rb") as b:
        done = 0
        while done < size - 2:
            n = min(1 << 24, size - 2 - done)
            if a.read(n) != b.read(n):
                return False
            done += n
    return True


# The world of seed 1234567890 where the player starts, eye at x = z = 500
# looking along +z: ten cells ahead, a tree with its trunk at (500, 101..104,
# 510), on dirt (y 98..100) over stone. Prepared below the cell in front of
# the trunk, where the player will stand (z 509): under the dirt, sand (93..97),
# stone (90..92) and a coal seam (89), then an old mine: a tunnel two cells
# high (87..88) running on along +z to a wall at z 515, with a furnace in its
# wall, and under the player a plank floor over a shaft down through the bottom
# of the world. The player carries what the hour would have gathered besides:
# raw wood and an iron ingot. Midnight is three steps of the day away: the
# night is watched first, whatever the speed of the rest.
FIRST_HOUR_DAY_TIME = 117
FIRST_HOUR_SETTINGS = bytes([1, 1])  # the nearest view, English


def prepare_first_hour(tool, folder):
    slot = ["--slot", "1", "--dir", folder]
    world_tool_run(tool, "generate", "--seed", "1234567890", *slot)
    world_tool_run(tool, "set", *slot,
                   "500", "93..97", "509", "6",        # sand
                   "500", "89", "509", "21",           # coal ore
                   "500", "87..88", "509..514", "0",   # the tunnel
                   "499", "87", "511", "26",           # a furnace in its wall
                   "500", "86", "509", "10",           # planks over
                   "500", "0..85", "509", "0")         # the old shaft
    world_tool_run(tool, "give", *slot, "1", "5", "15", "2", "29", "1")
    world_tool_run(tool, "time", *slot, str(FIRST_HOUR_DAY_TIME))
    with open(os.path.join(folder, "Settings.data"), "wb") as f:
        f.write(FIRST_HOUR_SETTINGS)


def quit_from_pause_menu(game):
    """From the pause menu on Save: to the main menu, then Esc, Yes."""
    press("Down")
    press("Return")                 # Quit without saving: the main menu
    press("Escape")                 # Do you want to quit? on No
    press("Up")
    press("Return")                 # Yes
    expect_clean_exit(game)


def first_hour(binary):
    """The first hour of a new player in about three minutes."""
    tool = world_tool(binary)
    guide = Guide()
    view = View()
    started = time.time()

    def log(step):
        print(f"{time.time() - started:5.1f} s: {step}", flush=True)

    with Game(binary, setup=lambda folder: prepare_first_hour(tool, folder)) as game:
        prepared = game.file("Prepared.data")
        os.link(game.file("Mondo1.data"), prepared)  # a save replaces the slot's file, not this
        window = find_window(game)
        play_slot_1(window)
        time.sleep(1.0)             # the fall onto the ground
        log("loaded")

        # Night falls and passes: step by step the sky darkens to midnight
        # (DayTime 120), then lightens again.
        seen = []
        deadline = time.time() + 3.75 * (120 - FIRST_HOUR_DAY_TIME + 2) + 30
        while not (0 in seen and seen[-1] >= 2):
            check(time.time() < deadline, f"the sky went {seen} steps from midnight, no further")
            shot = capture(window)
            steps = sky_steps_from_midnight(shot)
            check(steps is not None, "no sky at the top right")
            if not seen or steps != seen[-1]:
                seen.append(steps)
                if steps == 0:
                    guide.picture("1-night", shot)
            time.sleep(0.2)
        midnight = seen.index(0)
        check(seen[0] <= 120 - FIRST_HOUR_DAY_TIME
              and seen[:midnight + 1] == sorted(seen[:midnight + 1], reverse=True)
              and seen[midnight:] == sorted(seen[midnight:]),
              f"the sky went {seen} steps from midnight")
        log(f"the night fell and passed: {seen} steps from midnight")

        # Walk to the tree: W until its trunk stops the player, 9 cells on.
        hold("w", 3.0)
        time.sleep(STEP)
        # Chop the trunk with the axe in cell 0: the block at eye height, then
        # the one below it. Raw wood, 15 to start with, goes to cell 1.
        dig_until_cell_changes(window, 1, 20, "the first raw wood")
        view.look_at(0.9, -1.0)     # the middle of the trunk's next block down
        dig_until_cell_changes(window, 1, 20, "the second raw wood")
        log("the tree chopped")

        # Craft. The hands make a crafting table (cell 3) from 4 raw wood.
        press("r")
        press("Return")
        press("4")
        mouse_hold(3, 0.05)         # onto the ground where the trunk stood
        view.look(0.0)
        # By the table: planks, sticks, a wooden pickaxe and a chest.
        press("Down")               # table, *planks*, sword, chest
        press("Return")
        press("Return")             # 6 planks (cell 3)
        press("Down")
        press("Down")               # table, planks, sword, *stick*, chest
        press("Return")
        press("Return")
        guide.picture("2-crafting", capture(window))
        press("Return")             # 3 sticks (cell 4); the planks are used up
        # table, planks, sword, *pickaxe*, axe, chest
        press("Return")             # the wooden pickaxe (cell 3)
        # The list shrinks past the cursor, which stops on its last: the chest.
        press("Return")             # the chest (cell 1): no raw wood left
        press("r")
        log("a table, planks, sticks, a pickaxe and a chest crafted")

        # Dig down with the pickaxe: dirt (to cell 2), sand (cell 5), stone
        # (cobblestone, cell 6), coal (cell 7), and down into the old mine,
        # onto planks, which a pickaxe cannot dig.
        press("4")
        view.look(DOWN)
        dig_until_cell_changes(window, 7, 60, "coal from the seam")
        time.sleep(1.0)             # the fall into the mine
        # Torches: a stick and the coal make 5 (cell 4).
        press("r")
        press("Return")             # *torch*, silica
        press("r")
        view.look(0.0)
        around = (300, 200, 500, 400)
        dark = capture(window)
        press("5")
        mouse_hold(3, 0.05)         # a torch on the tunnel's end wall
        lit = wait_for_screen(window, lambda shot: brightness(shot, around)
                              > 1.5 * brightness(dark, around), 10, "the torch's light")
        guide.picture("3-torch", lit)
        log(f"down in the mine, a torch lit: brightness {brightness(dark, around):.1f}, "
            f"then {brightness(lit, around):.1f}")

        # Glass from the sand at the furnace: 2 silica (cell 5), 3 glass
        # (cell 7) from one of them. Two make a wall across the tunnel.
        press("r")
        press("Return")             # silica
        press("Return")             # glass
        press("r")
        press("8")
        view.look_at(2.9, -1.5)     # the top of the floor three cells ahead (z 512)
        mouse_hold(3, 0.05)
        view.look_at(2.9, -0.5)     # the top of that glass
        mouse_hold(3, 0.05)
        view.look(0.0)
        # The lit tunnel shows through the wall, some of the light taken by
        # the glass's own colour: each pixel follows the one without the
        # wall, scaled down.
        wall = (260, 160, 540, 455)

        def through(shot):
            slope, correlation = seen_through(lit, shot, wall)
            return 0.4 < slope < 0.9 and correlation > 0.6
        walled = wait_for_screen(window, through, 10, "the tunnel through the glass wall")
        guide.picture("4-glass", walled)
        log("a glass wall built: slope {:.2f}, correlation {:.2f}".format(
            *seen_through(lit, walled, wall)))

        # The chest, on the floor just ahead; items into it.
        press("2")
        view.look_at(0.9, -1.5)     # the top of the floor in front (z 510)
        mouse_hold(3, 0.05)         # placed
        mouse_hold(3, 0.05)         # opened: the cursor on cell 1
        wait_for(lambda: panel_background_shown(capture(window)), 10, "the chest screen")
        press("Right")              # cell 2: dirt
        press("Return")
        for _ in range(4):
            press("Up")             # up into the chest, its cell 2
        press("Return")
        for _ in range(4):
            press("Down")
        for _ in range(4):
            press("Right")          # cell 6: cobblestone
        press("Return")
        for _ in range(4):
            press("Up")
        press("Return")             # into the chest's cell 6
        guide.picture("5-chest", capture(window))
        press("Escape")
        wait_for(lambda: status_strip_shown(capture(window)), 10, "play after the chest")
        log("dirt and cobblestone in a chest")

        # Through the planks with the axe, down the old shaft, out of the world.
        press("1")
        view.look(DOWN)
        guide.picture("6-fallen", dig_until(window, dead_screen, 30, "the death screen"))
        press("Return")             # back at the start of the world, looking along +z
        view.level()
        wait_for_screen(window, lambda shot: status_strip_shown(shot) and not dead_screen(shot),
                        10, "the respawn")
        log("fallen out of the world, and back")

        world = save_from_pause_menu(game, window)
        quit_from_pause_menu(game)
        saved = game.file("Saved.data")
        os.link(world, saved)
        log("saved and quit")

        # Start again, load, and save what was loaded: the same world.
        with Game(binary, folder=game.folder) as again:
            window = find_window(again)
            play_slot_1(window)
            save_from_pause_menu(again, window)
            quit_from_pause_menu(again)
        check(same_but_time_of_day(saved, world),
              "the world saved after loading differs from the one saved before")
        log("loaded again and saved the same")

        # Everything as it was left.
        expected = ("inventory:\n"
                    "  cell  0: 62 Wooden axe x1\n"
                    "  cell  1: 10 Wooden planks x1\n"
                    "  cell  3: 55 Wooden pickaxe x1\n"
                    "  cell  4: 24 Torch x4\n"
                    "  cell  5: 72 Silica x1\n"
                    "  cell  7: 73 Glass x1\n"
                    "chest 0:\n"
                    "  cell  2: 2 Dirt x3\n"
                    "  cell  6: 1 Cobblestone x3\n")
        found = inventory_and_chests(tool, world)
        check(found == expected, f"the saved world holds\n{found}\nnot\n{expected}")
        before, after = block_counts(tool, prepared), block_counts(tool, world)
        for turned in (68, 69, 70):
            after[67] = after.get(67, 0) + after.pop(turned, 0)
        changes = {t: after.get(t, 0) - before.get(t, 0) for t in set(before) | set(after)}
        changes = {t: n for t, n in changes.items() if n}
        expected_changes = {0: 10, 2: -3, 5: -2, 6: -5, 7: -3, 10: -1, 21: -1,  # dug
                            24: 1, 27: 1, 67: 1, 73: 2}                          # placed
        check(changes == expected_changes,
              f"block counts changed by {changes}, not {expected_changes}")
        placed = {(500, 101, 510): (27, 0),   # the table, where the trunk stood
                  (500, 88, 514): (24, 1),    # the torch, fixed to the wall at z + 1
                  (500, 87, 512): (73, 0),
                  (500, 88, 512): (73, 0),
                  (500, 87, 510): (67, 0),    # the chest: chest 0, facing -z
                  (500, 86, 509): (0, 0)}     # the planks, gone
        for (x, y, z), content in placed.items():
            check(world_cell(world, x, y, z) == content,
                  f"cell ({x}, {y}, {z}) holds {world_cell(world, x, y, z)}, not {content}")
        first, last = world_info(binary, saved)["DayTime"], world_info(binary, world)["DayTime"]
        check(122 <= first <= last < 240,
              f"DayTime {first} when saved after the night, {last} when saved again")
        r = run(tool, "check", world, timeout=300)
        check(r.returncode == 0 and "no findings" in r.stdout,
              f"velmora-world check: {r.returncode} {r.stdout} {r.stderr}")
    log("everything as it was left")


SCENARIOS.update({
    "first_hour": first_hour,
})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--probe")
    parser.add_argument("--frames")
    parser.add_argument("--scene-world")
    parser.add_argument("--scenario", required=True)
    options = parser.parse_args()
    TOOLS["frames"] = options.frames and os.path.abspath(options.frames)
    TOOLS["scene"] = options.scene_world and os.path.abspath(options.scene_world)
    if options.scenario not in SCENARIOS and options.scenario != "device_draws":
        print("unknown scenario", options.scenario)
        return 2
    if "VELMORA_E2E_DISPLAY" not in os.environ:
        return run_in_private_x_server()
    try:
        # The server may announce its display a moment before it takes
        # connections; a game started then would find no display at all.
        wait_for(lambda: run("xwininfo", "-root").returncode == 0, 10, "the X server")
        if options.scenario == "device_draws":
            device_draws(os.path.abspath(options.probe))
        else:
            SCENARIOS[options.scenario](os.path.abspath(options.game))
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
