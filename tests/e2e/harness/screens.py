"""What the game's screens look like to a capture, and the few ways through
them that many scenarios take: into play, a save and a quit from the pause
menu."""
import time

from . import keys
from .game import expect_clean_exit
from .pictures import count, dark, near, white
from .waits import file_replaced, stat_or_none, wait_for
from .watch import wait_for_screen
from .xsession import capture, focus

# The debug lines' fields, as pixel boxes of the 7-pixel-wide font: the line
# "Position: x, y, z" at (200, 550) and "xzRotCamera: a, yRotCamera: b" at (10, 510).
POSITION_X = (270, 550, 340, 564)
POSITION_Y_WHOLE = (354, 550, 389, 564)  # "102.0": the height to a tenth
POSITION_Z = (438, 550, 508, 564)
ANGLES = (10, 510, 340, 524)
# The nine hotbar cells with their frames and counts.
HOTBAR = (186, 476, 624, 516)
# The crafting panel: the candidates' column, the recipe's ingredients and text.
PANEL = (300, 180, 640, 420)
# The world around the crosshair, below the sky and above the hotbar.
VIEW = (200, 150, 600, 450)
# The rows the menus' selection arrow stands on, over all the menus.
ARROW_ROWS = (200, 220, 260, 280, 290, 300, 310, 320, 330, 340)


def panel_background_shown(picture):
    """The green edge atop the background picture of the menus, the progress
    screen and the inventory and chest screens."""
    edge = picture.region(300, 4, 500, 14)
    return sum(1 for c in edge if near(c, (55, 112, 38), 30)) >= len(edge) * 3 // 4


def status_strip_shown(picture):
    """The parchment strip along the top edge: the playing (or death) screen."""
    strip = picture.region(600, 18, 800, 30)
    return sum(1 for c in strip if near(c, (220, 208, 184), 30)) >= len(strip) * 3 // 4


def arrow_row(picture):
    """The row of the menus' selection arrow (white on black), or None."""
    best, row = 0, None
    for y in ARROW_ROWS:
        n = count(picture, (368, y, 384, y + 16), white)
        if n > best:
            best, row = n, y
    return row if best >= 20 else None


def menu_shown(picture, row=None):
    """A menu on its background, with the arrow at `row` if given."""
    if not panel_background_shown(picture):
        return False
    at = arrow_row(picture)
    return at is not None and (row is None or at == row)


def main_menu_shown(picture):
    """The arrow beside the first entry ("Gioca"/"Play") and its black text."""
    return menu_shown(picture, 280) and count(picture, (400, 280, 460, 300), dark) >= 20


def text_pixels(picture, box):
    """Where the white text lies within the box: what the text says, whatever
    is drawn behind it. Only pixels the glyphs cover fully count, pure white:
    a partly covered edge takes some of the world behind it, and the world,
    lit at its brightest, and the target's outline never reach pure white."""
    x0, y0, x1, y1 = box
    return frozenset((x, y) for y in range(y0, y1) for x in range(x0, x1)
                     if picture.pixel(x, y) == (255, 255, 255))


def sky_colour(luminance):
    """The clear colour of the sky at a brightness, as the game truncates it."""
    return (int(75 * luminance ** 2.35), int(125 * luminance ** 2.4), int(245 * luminance ** 2.25))


def hotbar_cell(shot, k):
    """The icon and count of hotbar cell k (0 to 8)."""
    return shot.region(190 + 48 * k, 480, 222 + 48 * k, 512)


def dig_until_cell_changes(window, k, timeout, what):
    """Digs until hotbar cell k shows something new: the dug block's yield.
    How long a dig takes the game measures in its frames, which a busy
    machine draws slowly; so the button is held until the yield shows, not
    for a time. Letting go a moment later does no harm where this is used:
    what the view reaches next cannot be dug with the tool in hand."""
    before = hotbar_cell(capture(window), k)
    keys.hold_until(window, "button1", lambda shot: hotbar_cell(shot, k) != before, what, timeout)


def wait_main_menu(window):
    """The main menu up and the keyboard on the window: where every run that
    plays begins."""
    wait_for_screen(window, main_menu_shown, 20, "the main menu")
    focus(window)
    # The game's clock started with the gate closed; it has run at least as
    # long as the menu has shown.
    keys.acted()


def play_slot_1(window):
    """Play, slot 1 (made anew when empty, else loaded), and wait for the
    playing screen. Returns the time just before the key that started the
    world went down."""
    wait_main_menu(window)
    keys.press(window, "Return")  # Play
    keys.ready()
    before = time.time()
    # Making or loading a world takes seconds in a sanitizer build; its end
    # fires the gate, which press_until waits out from when play shows.
    keys.press_until(window, "Return", status_strip_shown, "the playing screen",
                     timeout=60 * keys.SLOWDOWN)
    return before


def pause_menu_shown(picture):
    return menu_shown(picture) and arrow_row(picture) in (290, 310, 330)


def save_from_pause_menu(game, window):
    """Esc, Save, from play: returns the world file's path once the save has
    replaced it and the pause menu is back, left on Save."""
    world = game.file("Mondo1.data")
    before = stat_or_none(world)
    keys.press_until(window, "Escape", pause_menu_shown, "the pause menu")
    keys.press(window, "Down")
    keys.tap("Return")
    wait_for(file_replaced(world, before), 60 * keys.SLOWDOWN, "the save of " + world)
    # The save's end closes the gate; the menu's next key waits it out.
    wait_for_screen(window, lambda shot: pause_menu_shown(shot) and arrow_row(shot) == 310,
                    30 * keys.SLOWDOWN, "the pause menu back after the save")
    keys.acted()
    return world


def quit_from_pause_menu(game, window):
    """From the pause menu on Save: to the main menu, then Esc, Yes."""
    keys.press(window, "Down")
    keys.press_until(window, "Return", main_menu_shown, "the main menu")  # Quit without saving
    keys.press(window, "Escape")    # Do you want to quit? on No
    keys.press(window, "Up")
    keys.tap("Return")              # Yes
    expect_clean_exit(game)
