// Geometric questions asked of the grid: does the player's body overlap a
// solid cell, does a point lie in a cell, does a pick sample claim a cell.
// Cell (i, j, k) is the closed cube [i - 0.5, i + 0.5] x [j - 0.5, j + 0.5] x
// [k - 0.5, k + 0.5]; a point on a shared face lies in both cells.
#pragma once

#include "world/geometry.h"
#include "world/world.h"

// c when p lies in the closed cube of the cell centred on c, else (-1, -1, -1).
Vec3 pointInCell(const Vec3& p, const Vec3& c);

// The body around an eye point: 0.4 to each side in x and z, from 1.5 below
// the eye to 0.35 above it, tested at twelve sample points (four corners at
// three heights, top first). True when a sample's cell is neither air nor a
// torch; a sample on a shared face belongs to the cell with the smaller x,
// then y, then z, so a body resting exactly on a block collides with it and
// one touching a ceiling exactly does not.
bool bodyCollides(const World& world, const Vec3& eye);

// Whether pick sample s claims cell (x, y, z): the cell is not air and s lies
// within 0.5 of its centre on every axis (0.25 for a torch), bounds included.
// Cells outside the grid are never claimed.
bool samplePicksCell(const World& world, const Vec3& s, int x, int y, int z);
