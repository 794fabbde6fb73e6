#include "Sarn2015Layout.h"

namespace {

// Fills consecutive slots from a cursor; runs step by 2 along the axis that
// changes.
class Filler {
public:
    Filler(Sarn2015Placement* slots, int size) : slots(slots), size(size) {}
    void put(float x, float y, float z) {
        if (next < size)
            slots[next++] = {x, y, z};
    }
    void run(float x0, float y0, float x1, float y1, float z) {
        float dx = x1 > x0 ? 2.0f : (x1 < x0 ? -2.0f : 0.0f);
        float dy = y1 > y0 ? 2.0f : (y1 < y0 ? -2.0f : 0.0f);
        for (float x = x0, y = y0;; x += dx, y += dy) {
            put(x, y, z);
            if (x == x1 && y == y1)
                break;
        }
    }
    void park() { put(Sarn2015Layout::parked, Sarn2015Layout::parked, Sarn2015Layout::parked); }
    int count() const { return next; }

private:
    Sarn2015Placement* slots;
    int size;
    int next = 0;
};

// The platform generator's ranges, from our own state so the level depends
// on the seed alone.
class Draws {
public:
    explicit Draws(unsigned int seed) : state(seed) {}
    int next() {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) & 0x7fffu);
    }

private:
    unsigned int state;
};

void layOutTrees(Draws& draws, Sarn2015Placement* trees) {
    for (int i = 0; i < 14; ++i)
        trees[i] = {i < 7 ? 3.0f : 11.0f, -4.0f - 4.0f * float(i % 7), 0.0f};
    for (int i = 14; i < Sarn2015Layout::treeCount; ++i) {
        bool west = i < 21;
        float x = west ? float(draws.next() % 40 - 40) : float(draws.next() % 20 + 20);
        float y = float(draws.next() % 14 - 7);
        // Off the west and east wall lines.
        if (west && x >= -32.0f && x <= -28.0f)
            x -= 4.0f;
        if (!west && x >= 28.0f && x <= 32.0f)
            x += 4.0f;
        trees[i] = {x, y, 0.0f};
    }
}

void layOutWalls(Sarn2015Placement* walls) {
    Filler f(walls, Sarn2015Layout::wallSlots);
    f.run(-16, -30, -2, -30, 0);
    f.run(0, -30, 12, -30, 4); // raised over the south opening
    f.run(14, -30, 16, -30, 0);
    f.run(-16, 30, 16, 30, 0);
    f.run(-30, -16, -30, 16, 0);
    f.run(30, -16, 30, 16, 0);
    f.put(6, 0, 4); // lintel of the central doorway
    const float centralCorners[4][2] = {{0, 0}, {12, 0}, {0, 12}, {12, 12}};
    for (const auto& c : centralCorners)
        f.put(c[0], c[1], 6);
    f.put(0, -30, 2);
    f.put(0, -30, 0);
    f.put(12, -30, 2);
    f.put(12, -30, 0);
    const float lintels[4][2] = {{-18, -24}, {18, -24}, {24, 18}, {-24, 18}};
    for (const auto& l : lintels)
        f.put(l[0], l[1], 4);
    const float corners[16][2] = {
        {-30, -30}, {30, -30}, {-30, 30}, {30, 30}, {-18, -30}, {18, -30}, {-18, 30}, {18, 30},
        {-18, -18}, {18, -18}, {-18, 18}, {18, 18}, {-30, -18}, {30, -18}, {-30, 18}, {30, 18}};
    for (const auto& c : corners)
        f.put(c[0], c[1], 6);
    const float openings[8][2] = {{-24, -30}, {-30, -24}, {24, -30}, {30, -24},
                                  {24, 30},   {30, 22},   {-24, 30}, {-30, 22}};
    for (const auto& o : openings) {
        f.put(o[0], o[1], 0);
        f.put(o[0], o[1], 4);
    }
    while (f.count() < Sarn2015Layout::wallSlots)
        f.park();
}

void layOutTallWalls(Sarn2015Placement* tallWalls) {
    Filler f(tallWalls, Sarn2015Layout::tallWallCount);
    // Central room, its doorway at (6, 0).
    f.run(0, 0, 0, 12, 0);
    f.run(2, 0, 4, 0, 0);
    f.run(8, 0, 12, 0, 0);
    f.run(12, 2, 12, 12, 0);
    f.run(2, 12, 10, 12, 0);
    // South-west room.
    f.run(-30, -30, -26, -30, 0);
    f.park();
    f.run(-22, -30, -18, -30, 0);
    f.run(-30, -28, -30, -26, 0);
    f.park();
    f.run(-30, -22, -30, -18, 0);
    f.run(-28, -18, -18, -18, 0);
    f.run(-18, -28, -18, -26, 0);
    f.park();
    f.run(-18, -22, -18, -20, 0);
    // South-east room.
    f.run(18, -30, 22, -30, 0);
    f.park();
    f.run(26, -30, 30, -30, 0);
    f.run(30, -28, 30, -26, 0);
    f.park();
    f.run(30, -22, 30, -18, 0);
    f.run(18, -18, 28, -18, 0);
    f.run(18, -28, 18, -26, 0);
    f.park();
    f.run(18, -22, 18, -20, 0);
    // North-east room.
    f.run(18, 30, 22, 30, 0);
    f.park();
    f.run(26, 30, 30, 30, 0);
    f.run(30, 18, 30, 20, 0);
    f.park();
    f.run(30, 24, 30, 28, 0);
    f.run(18, 18, 22, 18, 0);
    f.park();
    f.run(26, 18, 28, 18, 0);
    f.run(18, 20, 18, 28, 0);
    // North-west room.
    f.run(-30, 30, -26, 30, 0);
    f.park();
    f.run(-22, 30, -18, 30, 0);
    f.run(-30, 18, -30, 20, 0);
    f.park();
    f.run(-30, 24, -30, 28, 0);
    f.run(-28, 18, -26, 18, 0);
    f.park();
    f.run(-22, 18, -18, 18, 0);
    f.run(-18, 20, -18, 28, 0);
}

// Five blocks of 5 x 5 pieces: the central room's floor and the corner rooms'.
void layOutBlocks(Sarn2015Placement* slots) {
    const float origins[5][2] = {{1, 1}, {-14, -14}, {-14, 10}, {10, -14}, {10, 10}};
    for (int block = 0; block < 5; ++block)
        for (int a = 0; a < 5; ++a)
            for (int b = 0; b < 5; ++b)
                slots[25 * block + 5 * a + b] = {2.0f * (float(a) + origins[block][0]),
                                                 2.0f * (float(b) + origins[block][1]), 0.0f};
}

void layOutFloors(Sarn2015Placement* floors) {
    layOutBlocks(floors);
    Filler f(floors + Sarn2015Layout::woodCount,
             Sarn2015Layout::floorWoodCount - Sarn2015Layout::woodCount);
    const float doorway[4][2] = {{6, 0}, {6, -2}, {4, -2}, {8, -2}};
    for (const auto& d : doorway)
        f.put(d[0], d[1], 0);
    const float inner[16][2] = {{-18, -24}, {18, -24}, {24, 18},   {-24, 18}, {-16, -24}, {16, -24},
                                {24, 16},   {-24, 16}, {-16, -22}, {16, -22}, {22, 16},   {-22, 16},
                                {-16, -26}, {16, -26}, {26, 16},   {-26, 16}};
    for (const auto& d : inner)
        f.put(d[0], d[1], 0);
}

} // namespace

void layOutSarn2015(unsigned int seed, Sarn2015Layout& out) {
    Draws draws(seed);
    layOutTrees(draws, out.trees);
    layOutWalls(out.walls);
    layOutTallWalls(out.tallWalls);
    layOutBlocks(out.woods);
    layOutFloors(out.floorWoods);
}
