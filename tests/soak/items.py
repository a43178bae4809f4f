"""The items the soak plays with, and how far the mouse turns the view."""

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
