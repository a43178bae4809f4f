// The long world operations as the game runs them: the progress screen kept
// alive through the pump, the Busy state while they work, and what each
// result means for the player (a new screen, a notice, the process ending).
#pragma once

// Enter on a world slot: loads the slot when something stands at its world
// file, else makes a new world for it. Playing afterwards, holding the slot's
// lock, or still the world selection when the slot could not be loaded or
// another program holds it. < 0 when the process must end.
int openSlot(int slot);
// Pause -> Save: writes the world into its slot and stays in the pause menu.
// < 0 when the process must end.
int saveSlot(int slot);
// Play returns to the menu: the slot's lock goes.
void closeSlot();

// World selection -> Delete -> Yes: moves the slot's files aside, kept as
// ".bakN", so that the slot reads as empty; the player is told where they went,
// or that they could not be moved (the slot then stays as it was).
void emptySlot(int slot);
