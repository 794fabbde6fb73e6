#pragma once

#include "Raster.h"

#include <string>

// A 5 x 7 capitals-and-digits bitmap font, drawn with each font pixel as a
// square of `scale` canvas pixels and one font pixel between letters.
const int glyphWidth = 5;
const int glyphHeight = 7;

int textWidth(const std::string& text, int scale);
void drawText(Canvas& canvas, const std::string& text, int x, int y, int scale, const Rgba& color);
