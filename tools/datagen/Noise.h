#pragma once

// A fixed hash of a pixel, 0 to 1: the same speckles and star fields on every
// run and every machine.
float speckle(int x, int y, unsigned int salt);
