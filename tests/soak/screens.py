"""What the window shows, told from a capture: the soak looks before nearly
every action and finds its way back to play from wherever it is."""
from e2e.harness.pictures import count, dark
from e2e.harness.screens import arrow_row, panel_background_shown, status_strip_shown


def has_dark_text(picture, box, least=8):
    return count(picture, box, dark) >= least


def death_text_shown(picture):
    # The start of "You died ..." (white, which nothing in the world reaches)
    # left of where the free cell line begins.
    return count(picture, (250, 450, 336, 460), lambda c: c == (255, 255, 255)) >= 20


def classify(picture):
    """What the window shows, as (name, the arrow's row or None): playing,
    playing_bare (the display hidden with E), dead, pause, main, options,
    quit, slots, delete (the question of the world selection), items (the
    inventory or a chest) or busy (loading or saving)."""
    if panel_background_shown(picture):
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
    if status_strip_shown(picture):
        return "playing", None
    return "playing_bare", None


# ---- the run ----------------------------------------------------------------
