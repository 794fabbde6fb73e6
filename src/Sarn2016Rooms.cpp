#include <cmath>

#include "LevelRandom.h"
#include "Sarn2016.h"

Sarn2016::Room::Room() {
    updateCollisionGrid();
}

void Sarn2016::Room::roomDefault(float newLeft, float newRight, float newBottom, float newTop) {
    left = newLeft;
    right = newRight;
    bottom = newBottom;
    top = newTop;
    borderTopMeshSeed = 0;
    randomSeaweed();

    // Every slot, not only those of the old counts: a load that stopped half
    // way leaves records beyond its count, and a later load must not find them.
    for (Lever& lever : levers) {
        lever.mechanism.objectGroups.clear();
        lever.mechanism.children.clear();
        lever.mechanism.end = false;
    }
    for (Door& door : doors) {
        door.mechanism.objectGroups.clear();
        door.mechanism.children.clear();
    }
    for (Sarn2016Displayable& object : staticObjects) {
        Quaternion& q = object.orientation();
        q.x = q.y = q.z = 0.0f;
        q.asUnary();
    }

    doorTaken = nullptr;
    transiting = false;
    entryTransition = true;
    transitingTime = 0.0f;
    leverCount = doorCount = staticObjectCount = collectibleCount = codesCount = triggerCount = 0;
    cameraPaths.clear();
}

// A bound truncated to a usable divisor: at least 1, whatever the float.
static int divisorOf(float bound) {
    if (!(bound >= 1.0f)) {
        return 1;
    }
    return bound < 1.0e9f ? static_cast<int>(bound) : 1000000000;
}

void Sarn2016::Room::randomSeaweed() {
    seedLevelRandom();
    int xRange = divisorOf(right);
    int yRange = divisorOf(top);
    for (unsigned int cluster = 0; cluster < seaweedCount / 6; ++cluster) {
        float x = static_cast<float>(levelRandom() % xRange);
        float y = static_cast<float>(levelRandom() % yRange);
        if (x < 3.0f) {
            x = 3.0f;
        }
        for (unsigned int s = 6 * cluster; s < 6 * cluster + 6; ++s) {
            Seaweed& weed = trees[s];
            weed.position = Vector3D(x, y, -20.0f);
            float* phase[3] = {&weed.startTime.x, &weed.startTime.y, &weed.startTime.z};
            float* direction[3] = {&weed.startDirection.x, &weed.startDirection.y,
                                   &weed.startDirection.z};
            float* speed[3] = {&weed.speed.x, &weed.speed.y, &weed.speed.z};
            for (int a = 0; a < 3; ++a) {
                *phase[a] = static_cast<float>(levelRandom() % 1000 - 500) / 1000.0f;
                *direction[a] = *phase[a] > 0.0f ? 1.0f : -1.0f;
            }
            for (int a = 0; a < 3; ++a) {
                float value = static_cast<float>(levelRandom() % 1000) / 1000.0f;
                *speed[a] = value < 0.2f ? 0.2f : value;
            }
            weed.yawPitch.x = static_cast<float>(levelRandom() % 60 - 30);
            weed.yawPitch.y = static_cast<float>(levelRandom() % 60 - 30);
        }
    }
}

void Sarn2016::Room::updateCollisionGrid() {
    for (Obstacle& cell : grid) {
        cell = Obstacle();
    }
}

// One grid coordinate: cells of 2 units, clamped to 0..49; NaN lands in 0.
static unsigned int gridCoordinate(float value) {
    if (!(value >= 0.0f)) {
        return 0;
    }
    float cell = std::floor(value / 2.0f);
    const float last = static_cast<float>(Sarn2016::Room::gridSide - 1);
    return static_cast<unsigned int>(cell < last ? cell : last);
}

unsigned int Sarn2016::Room::gridIndex(float x, float y) {
    return gridCoordinate(y) * gridSide + gridCoordinate(x);
}
