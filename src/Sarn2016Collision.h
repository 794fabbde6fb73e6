#pragma once

#include "Sarn2016.h"

// Moves position back out of the room's blocked cells after a step from prev:
// depth first (in prev's cell), then sideways by the neighbour entered, then
// up to the floor of the cell reached. Cells off the grid block nothing.
void collideWithGrid(const Sarn2016::Room& room, const Vector3D& prev, Vector3D& position);
