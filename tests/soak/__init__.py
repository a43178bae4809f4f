"""A long run of the real game with random but seeded input.

Walks, looks, digs, places, crafts, opens the inventory and chests, changes the
render distance, the display and the debug lines, and saves from the pause
menu every minute, for ten minutes by default. It fails when the game ends
before it is told to, when a sanitizer reports anything, when memory keeps
growing after the first minute or when a save does not come back byte for
byte: each save is loaded and saved again with velmora-world, and every few
minutes the game itself loads its last save and saves it again.

    PYTHONPATH=tests python3 -m soak --game build-asan/velmora

VELMORA_SOAK_SEED chooses the input (a fresh seed otherwise, printed either
way), VELMORA_SOAK_SECONDS the time played (600). Meant for the sanitizer
build: `ctest --preset soak`.

Exit status: 0 passed, 1 failed.
"""
