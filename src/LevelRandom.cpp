#include "LevelRandom.h"

#include <cstdlib>
#include <ctime>

void seedLevelRandom() {
    std::srand(static_cast<unsigned int>(std::time(nullptr)));
}

int levelRandom() {
    return std::rand();
}
