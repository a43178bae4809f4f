"""The world on screen: the first frame of play against the literal drawer,
the render distance, a torch's light, and the pictures of both drawers."""
import os
import shutil
import tempfile

from e2e.harness import keys
from e2e.harness.failure import check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.pictures import bmp_complete, differing, near, read_bmp
from e2e.harness.screens import sky_colour, wait_main_menu
from e2e.harness.waits import wait_for
from e2e.harness.xsession import close_window, find_window, run

# Parts of the frame the heads-up display leaves alone.
WORLD_ONLY = [(0, 90, 800, 270), (0, 290, 390, 450), (410, 290, 800, 450), (0, 530, 180, 600)]


def tool(path, *args, timeout=120):
    r = run(path, *args, timeout=timeout)
    check(r.returncode == 0,
          f"{os.path.basename(path)} {' '.join(args)} failed ({r.returncode}): {r.stdout} {r.stderr}")
    return r.stdout


def first_frame(programs, setup, settings=None):
    """Loads slot 1 (made by `setup`) with F4 held from the start: the first
    screenshot is the first frame of play."""
    def prepare(folder):
        setup(folder)
        if settings is not None:
            with open(os.path.join(folder, "Settings.data"), "wb") as f:
                f.write(bytes(settings))
    game = Game(programs.game, setup=prepare)
    try:
        window = find_window(game)
        wait_main_menu(window)
        keys.key_down("F4")
        keys.press(window, "Return")    # Gioca
        keys.tap("Return")              # Mondo1 is taken: load it
        shot = game.file(os.path.join("Screenshots", "Screenshot0.bmp"))
        wait_for(lambda: bmp_complete(shot), 60 * keys.SLOWDOWN, "the first frame's screenshot")
        keys.key_up("F4")
        picture = read_bmp(shot)
        close_window(window)
        expect_clean_exit(game)
        return picture
    finally:
        keys.key_up("F4")
        game.cleanup()


def seed_world(programs):
    return lambda folder: tool(programs.scene, "seed", "1234567890", folder)


def world_first_frame(programs):
    """The first frame of play shows the world as the literal drawer draws it:
    sky at the top in the colour of the world's time of day, a tree in front,
    ground below."""
    picture = first_frame(programs, seed_world(programs))
    folder = tempfile.mkdtemp(prefix="velmora-e2e-ref-")
    try:
        seed_world(programs)(folder)
        out = os.path.join(folder, "reference.bmp")
        tool(programs.frames, "shot", os.path.join(folder, "Mondo1.data"),
             os.path.join(folder, "SemeM1.data"), out)
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


def world_render_distance(programs):
    """A longer render distance reaches further: distant hills replace sky."""
    sky = sky_colour((7 * 0.5 + 9) / 16)
    counts = []
    for distance in (0, 4):
        picture = first_frame(programs, seed_world(programs), settings=[distance + 1, 2])
        counts.append(sum(1 for c in picture.region(0, 90, 800, 450) if near(c, sky, 0)))
    check(counts[1] < counts[0] - 2000, f"sky pixels: {counts[0]} at distance 0, {counts[1]} at 4")


def world_torch_lights_hole(programs):
    """A torch in a dark room makes it brighter, seen through the tunnel."""
    means = []
    for torch in (False, True):
        def setup(folder, torch=torch):
            tool(programs.scene, "hole", folder, *(["torch"] if torch else []))
        picture = first_frame(programs, setup, settings=[5, 2])
        box = picture.region(420, 300, 460, 340)
        means.append(sum(sum(c) for c in box) / (3 * len(box)))
    check(means[1] > 2 * means[0] and means[1] > 40, f"room brightness {means[0]:.1f} dark, {means[1]:.1f} lit")


def world_pictures_match(programs):
    """The renderer and the literal drawer give the same pixels at several
    viewpoints of a generated world."""
    folder = tempfile.mkdtemp(prefix="velmora-e2e-compare-")
    try:
        r = run(programs.frames, "compare", folder, timeout=300)
        print(r.stdout)
        check(r.returncode == 0 and "differing pixels in all views: 0" in r.stdout,
              f"pictures differ ({r.returncode}): {r.stdout} {r.stderr}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


SCENARIOS = {
    "world_first_frame": world_first_frame,
    "world_render_distance": world_render_distance,
    "world_torch_lights_hole": world_torch_lights_hole,
    "world_pictures_match": world_pictures_match,
}
