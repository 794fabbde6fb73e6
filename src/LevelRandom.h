#pragma once

// The random numbers of the level generator. The game links LevelRandom.cpp,
// the C runtime's generator seeded with the time in whole seconds; test builds
// link a scripted definition instead.

// Called at the start of every level.
void seedLevelRandom();
// A number from 0 to RAND_MAX.
int levelRandom();
