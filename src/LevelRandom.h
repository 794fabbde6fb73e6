#pragma once

// The random numbers of the games. The games link LevelRandom.cpp, the C
// runtime's generator; test builds link a scripted definition instead.

// Seeds with the time in whole seconds (a new level, fresh seaweed).
void seedLevelRandom();
// Seeds with a fixed number, for results that must repeat.
void seedLevelRandomWith(unsigned int seed);
// A number from 0 to RAND_MAX.
int levelRandom();
