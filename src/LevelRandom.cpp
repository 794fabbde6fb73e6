#include "LevelRandom.h"

#include <cstdlib>
#include <ctime>

void seedLevelRandom() {
    std::srand(static_cast<unsigned int>(std::time(nullptr)));
}

void seedLevelRandomWith(unsigned int seed) {
    std::srand(seed);
}

int levelRandom() {
    return std::rand();
}
