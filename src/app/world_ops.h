// The long world operations as the game runs them: each is a job the Busy
// state works a slice per frame while the loop keeps drawing the progress
// screen, and what each result means for the player (a new screen, a
// notice, the process ending).
#pragma once

#include <cstdint>

// Work done per frame while a job runs: the frame stays under 50 ms even
// where one unit of work is slow (a fresh huge page of the grid can take
// 15 ms to come in when the system is short of free ones), the one that also
// draws the progress screen (every 66 ms) with less work in it. Frames not
// drawn cost next to nothing, so the job loses little to the short slice.
inline constexpr int32_t kWorkSliceMs = 20;
inline constexpr int32_t kDrawnWorkSliceMs = 14;

// Enter on a world slot: takes the slot's lock and begins loading it when
// something stands at its world file, else making a new world for it.
void openSlot(int slot);
// Pause -> Save: begins writing the world into its slot.
void saveSlot(int slot);
// Play returns to the menu: the slot's lock goes.
void closeSlot();
// The Busy state's update: one slice of the job; when it ends, the screen it
// leads to. < 0 when the process must end.
int updateWork();
// A quit message while a job runs: the job is dropped as a quit leaves it
// (a save writes nothing, a new world is left half made and never played)
// and its screen returns.
void abandonWork();

// World selection -> Delete -> Yes: moves the slot's files aside, kept as
// ".bakN", so that the slot reads as empty; the player is told where they went,
// or that they could not be moved (the slot then stays as it was).
void emptySlot(int slot);
