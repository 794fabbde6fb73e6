#pragma once

#include "Raster.h"

#include <string>

// Screen pictures that are not objects: the room, the level digits and the
// name cards.

const int roomWidth = 1000;
const int roomHeight = 720;

// The room as seen from screen x 280 (its left edge) and y 0 (its bottom).
Canvas drawRoom();
Canvas drawDigit(int digit);
Canvas drawNameCard(const std::string& text);
