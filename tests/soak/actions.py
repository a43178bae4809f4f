"""The soak's actions: random but seeded walking, looking, digging,
placing, crafting, the inventory and chests, and the display keys."""
from e2e.harness import keys
from e2e.harness.xsession import run

from .items import AXES, CHEST_ITEM, PICKAXES, PITCH_LIMIT, TOOLS
from .log import VERBOSE, log


def act(soak):
    kinds = [("walk", 24), ("look", 18), ("dig", 16), ("place", 12), ("craft", 7),
             ("inventory", 5), ("chest", 5), ("hotbar", 5), ("render_distance", 3),
             ("debug_lines", 3), ("display", 2)]
    kind = soak.rng.choices([k for k, _ in kinds], [w for _, w in kinds])[0]
    soak.actions[kind] = soak.actions.get(kind, 0) + 1
    soak.last_action = kind
    if VERBOSE:
        log(f"  {soak.clock():6.1f} s: {kind}")
    ACTIONS[kind](soak)


def do_walk(soak):
    held = [soak.rng.choice("wwwasd")]
    if soak.rng.random() < 0.3:
        held.append("q")
    if soak.rng.random() < 0.35:
        held.append("space")
    if soak.rng.random() < 0.2:
        held.append(soak.rng.choice("ad"))
    down = [a for k in held for a in ("keydown", k)]
    up = [a for k in held for a in ("keyup", k)]
    keys.hold_for(down, up, soak.rng.uniform(0.3, 2.0))


def look(soak, dx, dy, steps):
    """Turns in small steps in one xdotool run, as a hand would. The game
    puts the pointer back in the middle of the window only after a motion
    along both axes; a step along one alone could leave it at the edge of
    the screen, where the next steps are lost."""
    parts = []
    for _ in range(steps):
        sx, sy = dx // steps or 1, dy // steps or 1
        parts += ["mousemove_relative", "--", str(sx), str(sy), "sleep", "0.03"]
    run("xdotool", *parts)
    soak.pitch = max(-PITCH_LIMIT, min(PITCH_LIMIT, soak.pitch + dy))


def do_look(soak):
    # Mostly a little below the horizon, where there is something to dig
    # and place against; now and then straight up or down.
    target = soak.rng.choice([soak.rng.randint(-150, 450), soak.rng.randint(-1200, 1200)])
    look(soak, soak.rng.randint(-400, 400), target - soak.pitch, soak.rng.randint(2, 6))


def do_dig(soak):
    keys.tap(hotbar_key(soak, soak.rng.choice([PICKAXES, PICKAXES, AXES, None])))
    seconds = soak.rng.uniform(0.4, 4.0)
    down, up = ["mousedown", "1"], ["mouseup", "1"]
    if soak.rng.random() < 0.25:
        key = soak.rng.choice("wasd")
        down, up = down + ["keydown", key], up + ["keyup", key]
    keys.hold_for(down, up, seconds)


def do_place(soak):
    keys.tap(hotbar_key(soak, lambda t: t != 0 and t not in TOOLS))
    for _ in range(soak.rng.randint(1, 4)):
        # Shorter than the 150 ms repeat of the right button: one block a click.
        keys.tap("button3", 0.06)
        if soak.rng.random() < 0.4:
            look(soak, soak.rng.randint(-60, 60), soak.rng.randint(-40, 40), 2)
    leave_if_opened(soak, "place")


def leave_if_opened(soak, why):
    # A right click on a chest opens it: play with it a moment and leave.
    name, _ = soak.screen()
    if name == "items":
        count_screen(soak, "chest (by " + why + ")")
        shuffle_items(soak)
        keys.tap("Escape")


def do_craft(soak):
    # The panel's cursor and crafting wait out the 250 ms gate.
    keys.tap("r")
    for _ in range(soak.rng.randint(0, 10)):
        keys.tap(soak.rng.choice(["Down", "Down", "Up"]))
    for _ in range(soak.rng.randint(1, 3)):
        keys.tap("Return", 0.1)
    keys.tap("r")


def count_screen(soak, name):
    soak.screens_reached[name] = soak.screens_reached.get(name, 0) + 1


def shuffle_items(soak):
    """Cursor moves, picks and drops over the inventory (and chest)."""
    for _ in range(soak.rng.randint(2, 10)):
        if soak.rng.random() < 0.3:
            keys.tap("Return")
        else:
            keys.tap(soak.rng.choice(["Up", "Down", "Left", "Right", "w", "a", "s", "d"]))


def do_inventory(soak):
    keys.tap("i")
    if soak.screen_within(("items",), 1.0):
        count_screen(soak, "inventory")
        shuffle_items(soak)
        keys.tap(soak.rng.choice(["Escape", "i"]))


def hotbar_key(soak, wanted):
    """The key of a hotbar cell holding what is wanted (a set of types or
    a test), as far as the last save tells; any key when none does."""
    test = wanted if callable(wanted) else (lambda t: wanted is None or t in wanted)
    choices = [str(i + 1) for i, t in enumerate(soak.hotbar) if test(t)]
    return soak.rng.choice(choices or list("123456789"))


def do_chest(soak):
    """Puts a chest down on the ground two steps ahead and opens it; where
    something is in the way (the walls of a hole just dug, say) it tries
    the next quarter turn."""
    keys.tap(hotbar_key(soak, {CHEST_ITEM}))
    for turn in range(4):
        # Straight down, where the pitch stops, then up to about 35
        # degrees below the horizon: sure of the angle whatever came before.
        look(soak, PITCH_LIMIT if turn else soak.rng.randint(-600, 600), 2 * PITCH_LIMIT, 6)
        look(soak, soak.rng.randint(-30, 30), -soak.rng.randint(650, 750), 3)
        keys.tap("button3", 0.06)
        keys.tap("button3", 0.06)
        if soak.screen_within(("items",), 0.5 * keys.SLOWDOWN):
            count_screen(soak, "chest")
            shuffle_items(soak)
            keys.tap("Escape")
            # Away from it, so that the next dig does not take it back at once.
            look(soak, soak.rng.choice([-1, 1]) * soak.rng.randint(400, 900), -300, 3)
            return
    count_screen(soak, "chest missed")
    if VERBOSE:
        log("    missed the chest" + soak.keep_picture())


def do_hotbar(soak):
    keys.tap(soak.rng.choice("123456789"))


def do_render_distance(soak):
    keys.tap("F5")


def do_debug_lines(soak):
    keys.tap("F3")


def do_display(soak):
    # Hidden for a few seconds of walking and looking, then shown again.
    keys.tap("e")
    for _ in range(soak.rng.randint(1, 4)):
        soak.rng.choice([do_walk, do_look])(soak)
    keys.tap("e")


ACTIONS = {"walk": do_walk, "look": do_look, "dig": do_dig, "place": do_place, "craft": do_craft,
           "inventory": do_inventory, "chest": do_chest, "hotbar": do_hotbar,
           "render_distance": do_render_distance, "debug_lines": do_debug_lines,
           "display": do_display}
