#pragma once

// The one level of the orbit prototype: a yard walled at +-30 with four corner
// rooms and a central room, wooden blocks and floors, two rows of trees and
// sixteen trees at places drawn from the seed. Walls, tall walls, blocks and
// floors stand on even coordinates; a parked slot is far outside the disc.
struct Sarn2015Placement {
    float x, y, z;
};

struct Sarn2015Layout {
    static constexpr int treeCount = 30;
    static constexpr int wallSlots = 129;
    static constexpr int wallsDrawn = 113;
    static constexpr int tallWallCount = 119;
    static constexpr int woodCount = 125;
    static constexpr int floorWoodCount = 145;
    static constexpr float parked = -1000.0f;

    Sarn2015Placement trees[treeCount];
    Sarn2015Placement walls[wallSlots];
    Sarn2015Placement tallWalls[tallWallCount];
    Sarn2015Placement woods[woodCount];
    Sarn2015Placement floorWoods[floorWoodCount];
};

// The same seed gives the same level. Wall slots past the drawn ones are parked.
void layOutSarn2015(unsigned int seed, Sarn2015Layout& out);
