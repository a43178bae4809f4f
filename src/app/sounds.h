// Sound in the frame loop: after each update, what its events and the
// player's surroundings sound like goes to the platform.
#pragma once

// Plays the effects of the events not yet heard and sets the ambience.
void playFrameSounds();
