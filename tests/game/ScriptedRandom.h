#pragma once

#include <initializer_list>

// The level generator's random source in the tests: scripted values first,
// then a small generator of our own, so that no test depends on one C
// runtime's rand.

// The next numbers levelRandom returns, in order (replaces what is left).
void scriptRandom(std::initializer_list<int> values);
// Drops the script and restarts the fallback generator from seed.
void seedScriptedRandom(unsigned int seed);
// Numbers drawn and seeds taken since the last script or seed.
int randomDraws();
int randomSeeds();
// Scripted numbers not yet drawn.
int randomLeft();
