// Marks on the target block, drawn over the world: its open faces outlined in
// wireframe, and while it is being dug, the crack picture of the dig's stage
// darkening those faces. The crack step also ends a dig that no longer aims at
// what it started on. No state of its own.
#pragma once

// Both run only when there is a target; they draw with the face culling the
// world passes left on.
void drawTargetOutline();
void drawDigCracks();
