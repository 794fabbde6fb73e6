#include "ScriptedRandom.h"

#include <deque>

#include "LevelRandom.h"

static std::deque<int> script;
static unsigned int state = 1;
static int draws = 0;
static int seeds = 0;

void scriptRandom(std::initializer_list<int> values) {
    script.assign(values.begin(), values.end());
    draws = seeds = 0;
}

void seedScriptedRandom(unsigned int seed) {
    script.clear();
    state = seed;
    draws = seeds = 0;
}

int randomDraws() {
    return draws;
}

int randomSeeds() {
    return seeds;
}

int randomLeft() {
    return int(script.size());
}

void seedLevelRandom() {
    ++seeds;
}

// A fixed seed restarts the fallback generator, so equal seeds repeat.
void seedLevelRandomWith(unsigned int seed) {
    ++seeds;
    state = seed;
}

int levelRandom() {
    ++draws;
    if (!script.empty()) {
        int value = script.front();
        script.pop_front();
        return value;
    }
    // A 32-bit linear congruential step; the high bits are the better ones.
    state = state * 1664525u + 1013904223u;
    return int(state >> 1);
}
