"""The private X server a run plays in, its windows, and captures of them."""
import contextlib
import ctypes
import ctypes.util
import os
import subprocess

from .failure import Failure, check
from .pictures import Picture
from .waits import wait_for

TITLE = "Velmora 1.1 Alpha"
SCREEN = (1024, 768)
# Where each window stands, as (x, y, width, height).
_placed = {}


def run(*args, timeout=20):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, check=False)


@contextlib.contextmanager
def private_x_server(screen=SCREEN, manager=None):
    """An X server of its own, of a known size, as DISPLAY for this process
    and everything it starts; with `manager`, that window manager runs in it
    (a desktop, where fullscreen is a request to the manager).

    The server picks a free display number itself and tells it through a pipe
    (-displayfd), so runs started at the same moment never share a server;
    choosing a number beforehand, as xvfb-run -a does, races with them.
    -noreset keeps it from resetting when a scenario's game closes, which
    refuses the next game's window for a moment."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{screen[0]}x{screen[1]}x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    saved = {name: os.environ.get(name) for name in ("DISPLAY", "XAUTHORITY")}
    managing = None
    try:
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number.isdigit():
            raise Failure("the X server did not start")
        os.environ["DISPLAY"] = f":{number}"
        os.environ.pop("XAUTHORITY", None)
        # The server may announce its display a moment before it takes
        # connections; a game started then would find no display at all.
        wait_for(lambda: run("xwininfo", "-root").returncode == 0, 10, "the X server")
        if manager:
            managing = subprocess.Popen([manager], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
            wait_for(lambda: "window id" in run("xprop", "-root",
                                                "_NET_SUPPORTING_WM_CHECK").stdout,
                     20, f"{manager} to manage the screen")
        yield number
    finally:
        if managing:
            managing.terminate()
            managing.wait(timeout=10)
        for name, value in saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


def play_in_x_server(play, **server):
    """Runs `play()` in a private X server (see private_x_server for
    `server`) and says how it went; the exit status: 0 passed, 1 failed."""
    try:
        with private_x_server(**server):
            play()
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    print("passed")
    return 0


def find_window(game, timeout=20.0, title=TITLE):
    def found():
        check(game.poll() is None, "the game ended before its window opened "
              f"(status {game.returncode}): {game.errors()}")
        ids = run("xdotool", "search", "--name", f"^{title}$").stdout.split()
        return int(ids[0]) if ids else None
    window = wait_for(found, timeout, "a window titled " + title)
    _placed.pop(window, None)  # an id an earlier game's window may have had
    return window


def window_geometry(window):
    out = run("xwininfo", "-id", str(window)).stdout
    values = {}
    for line in out.splitlines():
        line = line.strip()
        for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
            if line.startswith(key + ":"):
                values[key] = int(line.split(":")[1])
    check(len(values) == 4, f"xwininfo told nothing of window {window}: {out!r}")
    return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
            values["Width"], values["Height"])


def window_name(window):
    return run("xdotool", "getwindowname", str(window)).stdout.rstrip("\n")


def focus(window):
    run("xdotool", "windowfocus", "--sync", str(window))
    wait_for(lambda: run("xdotool", "getwindowfocus").stdout.strip() == str(window), 5,
             f"the keyboard focus on window {window}")


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def _xlib():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(_XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
    return x11


# One connection to each X server this process captures from.
_connections = {}


def capture(window, moving=False):
    """The window's client area as the screen shows it, read straight from
    the server: a capture costs milliseconds, not a program started and a
    whole screen sent through a pipe, so waits look often and cheaply. With
    no window manager a window stays where it was made: its place is asked
    once, unless the run resizes or moves it (`moving`)."""
    if moving or window not in _placed:
        _placed[window] = window_geometry(window)
    x, y, w, h = _placed[window]
    name = os.environ.get("DISPLAY", "")
    if name not in _connections:
        x11 = _xlib()
        display = x11.XOpenDisplay(name.encode())
        check(display, f"cannot open the X display {name}")
        _connections[name] = (x11, display, x11.XDefaultRootWindow(display))
    x11, display, root = _connections[name]
    image = x11.XGetImage(display, root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
    check(image, f"no image of window {window} at {(x, y, w, h)}")
    try:
        i = image.contents
        check(i.bits_per_pixel in (24, 32) and i.byte_order == 0
              and (i.red_mask, i.green_mask, i.blue_mask) == (0xFF0000, 0xFF00, 0xFF),
              f"unexpected image format: {i.bits_per_pixel} bits, order {i.byte_order}")
        data = ctypes.string_at(i.data, i.bytes_per_line * i.height)
        return Picture(data, w, h, 0, i.bytes_per_line, i.bits_per_pixel // 8)
    finally:
        x11.XDestroyImage(image)


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
