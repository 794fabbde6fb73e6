#include <gtest/gtest.h>

#include <cmath>

#include "MathUtils/Vector3D.h"
#include "Sarn2015Bend.h"
#include "Sarn2015Layout.h"

namespace {

bool isParked(const Sarn2015Placement& p) {
    return p.x == -1000.0f && p.y == -1000.0f && p.z == -1000.0f;
}

bool isEven(float v) {
    return std::fmod(v, 2.0f) == 0.0f;
}

bool sameSpot(const Sarn2015Placement& p, float x, float y, float z) {
    return p.x == x && p.y == y && p.z == z;
}

// The walls slot by slot, each line headed by its first slot.
// clang-format off
const Sarn2015Placement wallTable[Sarn2015Layout::wallsDrawn] = {
    /*   0: south side */  {-16, -30, 0}, {-14, -30, 0}, {-12, -30, 0}, {-10, -30, 0}, {-8, -30, 0},
                           {-6, -30, 0}, {-4, -30, 0}, {-2, -30, 0},
    /*   8: raised */      {0, -30, 4}, {2, -30, 4}, {4, -30, 4}, {6, -30, 4}, {8, -30, 4},
                           {10, -30, 4}, {12, -30, 4},
    /*  15 */              {14, -30, 0}, {16, -30, 0},
    /*  17: north side */  {-16, 30, 0}, {-14, 30, 0}, {-12, 30, 0}, {-10, 30, 0}, {-8, 30, 0},
                           {-6, 30, 0}, {-4, 30, 0}, {-2, 30, 0}, {0, 30, 0}, {2, 30, 0},
                           {4, 30, 0}, {6, 30, 0}, {8, 30, 0}, {10, 30, 0}, {12, 30, 0},
                           {14, 30, 0}, {16, 30, 0},
    /*  34: west side */   {-30, -16, 0}, {-30, -14, 0}, {-30, -12, 0}, {-30, -10, 0},
                           {-30, -8, 0}, {-30, -6, 0}, {-30, -4, 0}, {-30, -2, 0}, {-30, 0, 0},
                           {-30, 2, 0}, {-30, 4, 0}, {-30, 6, 0}, {-30, 8, 0}, {-30, 10, 0},
                           {-30, 12, 0}, {-30, 14, 0}, {-30, 16, 0},
    /*  51: east side */   {30, -16, 0}, {30, -14, 0}, {30, -12, 0}, {30, -10, 0}, {30, -8, 0},
                           {30, -6, 0}, {30, -4, 0}, {30, -2, 0}, {30, 0, 0}, {30, 2, 0},
                           {30, 4, 0}, {30, 6, 0}, {30, 8, 0}, {30, 10, 0}, {30, 12, 0},
                           {30, 14, 0}, {30, 16, 0},
    /*  68: lintel */      {6, 0, 4},
    /*  69: corners */     {0, 0, 6}, {12, 0, 6}, {0, 12, 6}, {12, 12, 6},
    /*  73: opening */     {0, -30, 2}, {0, -30, 0}, {12, -30, 2}, {12, -30, 0},
    /*  77: lintels */     {-18, -24, 4}, {18, -24, 4}, {24, 18, 4}, {-24, 18, 4},
    /*  81: corners */     {-30, -30, 6}, {30, -30, 6}, {-30, 30, 6}, {30, 30, 6},
                           {-18, -30, 6}, {18, -30, 6}, {-18, 30, 6}, {18, 30, 6},
                           {-18, -18, 6}, {18, -18, 6}, {-18, 18, 6}, {18, 18, 6},
                           {-30, -18, 6}, {30, -18, 6}, {-30, 18, 6}, {30, 18, 6},
    /*  97: openings */    {-24, -30, 0}, {-24, -30, 4}, {-30, -24, 0}, {-30, -24, 4},
                           {24, -30, 0}, {24, -30, 4}, {30, -24, 0}, {30, -24, 4},
                           {24, 30, 0}, {24, 30, 4}, {30, 22, 0}, {30, 22, 4},
                           {-24, 30, 0}, {-24, 30, 4}, {-30, 22, 0}, {-30, 22, 4}};

// The tall walls (z 0) room by room; P marks a parked slot, an opening.
constexpr float P = Sarn2015Layout::parked;
const float tallWallTable[Sarn2015Layout::tallWallCount][2] = {
    /*   0: central */     {0, 0}, {0, 2}, {0, 4}, {0, 6}, {0, 8}, {0, 10}, {0, 12},
                           {2, 0}, {4, 0}, {8, 0}, {10, 0}, {12, 0},
                           {12, 2}, {12, 4}, {12, 6}, {12, 8}, {12, 10}, {12, 12},
                           {2, 12}, {4, 12}, {6, 12}, {8, 12}, {10, 12},
    /*  23: south-west */  {-30, -30}, {-28, -30}, {-26, -30}, {P, P}, {-22, -30}, {-20, -30},
                           {-18, -30}, {-30, -28}, {-30, -26}, {P, P}, {-30, -22}, {-30, -20},
                           {-30, -18}, {-28, -18}, {-26, -18}, {-24, -18}, {-22, -18},
                           {-20, -18}, {-18, -18}, {-18, -28}, {-18, -26}, {P, P},
                           {-18, -22}, {-18, -20},
    /*  47: south-east */  {18, -30}, {20, -30}, {22, -30}, {P, P}, {26, -30}, {28, -30},
                           {30, -30}, {30, -28}, {30, -26}, {P, P}, {30, -22}, {30, -20},
                           {30, -18}, {18, -18}, {20, -18}, {22, -18}, {24, -18}, {26, -18},
                           {28, -18}, {18, -28}, {18, -26}, {P, P}, {18, -22}, {18, -20},
    /*  71: north-east */  {18, 30}, {20, 30}, {22, 30}, {P, P}, {26, 30}, {28, 30}, {30, 30},
                           {30, 18}, {30, 20}, {P, P}, {30, 24}, {30, 26}, {30, 28},
                           {18, 18}, {20, 18}, {22, 18}, {P, P}, {26, 18}, {28, 18},
                           {18, 20}, {18, 22}, {18, 24}, {18, 26}, {18, 28},
    /*  95: north-west */  {-30, 30}, {-28, 30}, {-26, 30}, {P, P}, {-22, 30}, {-20, 30},
                           {-18, 30}, {-30, 18}, {-30, 20}, {P, P}, {-30, 24}, {-30, 26},
                           {-30, 28}, {-28, 18}, {-26, 18}, {P, P}, {-22, 18}, {-20, 18},
                           {-18, 18}, {-18, 20}, {-18, 22}, {-18, 24}, {-18, 26}, {-18, 28}};
// clang-format on

TEST(Sarn2015Layout, WallsSlotBySlotAndTheRestOnTheGrid) {
    Sarn2015Layout layout{};
    layOutSarn2015(1, layout);
    for (int i = 0; i < Sarn2015Layout::wallSlots; ++i) {
        if (i < Sarn2015Layout::wallsDrawn) {
            const Sarn2015Placement& w = wallTable[i];
            EXPECT_TRUE(sameSpot(layout.walls[i], w.x, w.y, w.z)) << "wall " << i;
        } else {
            EXPECT_TRUE(isParked(layout.walls[i])) << "wall " << i;
        }
    }
    for (int i = 0; i < Sarn2015Layout::tallWallCount; ++i) {
        const float* t = tallWallTable[i];
        EXPECT_TRUE(sameSpot(layout.tallWalls[i], t[0], t[1], t[0] == P ? P : 0))
            << "tall wall " << i;
    }

    // The last slot of each list holds its last piece.
    EXPECT_TRUE(sameSpot(layout.woods[124], 28, 28, 0));
    EXPECT_TRUE(sameSpot(layout.floorWoods[144], -26, 16, 0));

    auto onGrid = [](const Sarn2015Placement* slots, int count) {
        for (int i = 0; i < count; ++i) {
            if (!isParked(slots[i])) {
                EXPECT_TRUE(isEven(slots[i].x) && isEven(slots[i].y)) << i;
            }
        }
    };
    onGrid(layout.woods, Sarn2015Layout::woodCount);
    onGrid(layout.floorWoods, Sarn2015Layout::floorWoodCount);
    for (int i = 0; i < Sarn2015Layout::woodCount; ++i)
        EXPECT_TRUE(sameSpot(layout.floorWoods[i], layout.woods[i].x, layout.woods[i].y, 0));

    // Floor in the central doorway.
    EXPECT_TRUE(sameSpot(layout.floorWoods[125], 6, 0, 0));
}

TEST(Sarn2015Layout, RandomTreesStayInTheirBandsAndFollowTheSeed) {
    for (unsigned int seed = 0; seed < 2000; ++seed) {
        Sarn2015Layout layout{};
        layOutSarn2015(seed * 2654435761u, layout);
        EXPECT_TRUE(sameSpot(layout.trees[6], 3, -28, 0));
        EXPECT_TRUE(sameSpot(layout.trees[7], 11, -4, 0));
        for (int i = 14; i < 30; ++i) {
            const Sarn2015Placement& t = layout.trees[i];
            EXPECT_TRUE(t.y >= -7 && t.y <= 6 && t.z == 0);
            bool west = i < 21;
            bool inBand = west ? t.x >= -40 && t.x <= -1 && !(t.x >= -31 && t.x <= -28)
                               : t.x >= 20 && t.x <= 39 && !(t.x >= 28 && t.x <= 31);
            EXPECT_TRUE(inBand) << i << " at " << t.x;
        }
    }
    // Seed 61 draws x = -32 for tree 14 and 32 for tree 25: the ends of the
    // bands move off the wall lines too.
    Sarn2015Layout edges{};
    layOutSarn2015(61, edges);
    EXPECT_EQ(edges.trees[14].x, -36.0f);
    EXPECT_EQ(edges.trees[25].x, 36.0f);

    Sarn2015Layout a{}, b{}, c{};
    layOutSarn2015(42, a);
    layOutSarn2015(42, b);
    layOutSarn2015(43, c);
    bool allSame = true, anyDiffer = false;
    for (int i = 14; i < 30; ++i) {
        allSame = allSame && sameSpot(a.trees[i], b.trees[i].x, b.trees[i].y, 0);
        anyDiffer = anyDiffer || !sameSpot(a.trees[i], c.trees[i].x, c.trees[i].y, 0);
    }
    EXPECT_TRUE(allSame);
    EXPECT_TRUE(anyDiffer);
}

// Where a model matrix puts a model point.
Vector3D place(const float* m, Vector3D p) {
    return Vector3D(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                    m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                    m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
}

// The ground shader's bend of a ground point at height z, written out again:
// each point rolls by its own distance from the centre.
Vector3D groundBend(float x, float y, float z, float ray) {
    float d = std::sqrt(x * x + y * y);
    float ux = x / d, uy = y / d;
    Vector3D n(-uy, ux, 0);
    float a = std::fmin((d - ray) / 4.0f, 3.14159f);
    Vector3D p(0, 0, z + 4);
    Vector3D turned = p * std::cos(a) + Vector3D::crossProduct(n, p) * std::sin(a) +
                      n * (Vector3D::dotProduct(n, p) * (1.0f - std::cos(a)));
    return Vector3D(ux * ray, uy * ray, -4) + turned;
}

void expectNear(Vector3D a, Vector3D b, float tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(Sarn2015Bend, FlatToTheRimThenRolledDownUpToHalfATurn) {
    float m[16];
    EXPECT_EQ(bendProp(0, 15, 0, 15, 30, 1, 1, m), PropBend::flat);
    EXPECT_EQ(bendProp(30, 0, 0, 15, 30, 1, 1, m), PropBend::skipped);

    // Just beyond the rim: at the rim point, barely turned.
    ASSERT_EQ(bendProp(0, 15.01f, 2, 15, 30, 1, 1, m), PropBend::bent);
    expectNear(place(m, Vector3D(1, 1, 0)), Vector3D(0, 15, 2), 0.02f);

    // The prop's top rolls outwards and down; from 12.57 beyond it hangs
    // upside down under the rim.
    ASSERT_EQ(bendProp(0, 15 + 2 * 3.14159f, 0, 15, 30, 1, 1, m), PropBend::bent);
    expectNear(place(m, Vector3D(1, 1, 0)), Vector3D(0, 19, -4), 1e-3f);
    float far[16];
    ASSERT_EQ(bendProp(0, 29, 0, 15, 30, 1, 1, far), PropBend::bent);
    expectNear(place(far, Vector3D(1, 1, 3)), Vector3D(0, 15, -11), 1e-3f);
    ASSERT_EQ(bendProp(0, 27.6f, 0, 15, 30, 1, 1, m), PropBend::bent);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m[i], far[i]);

    // A prop stands where the ground under its anchor rolls to.
    for (float px : {-17.0f, 3.0f, 12.0f}) {
        float py = 11.0f;
        ASSERT_EQ(bendProp(px, py, 2, 9, 30, 0.5f, 0.5f, m), PropBend::bent);
        expectNear(place(m, Vector3D(0.5f, 0.5f, 0)), groundBend(px, py, 2, 9), 1e-4f);
    }
}

TEST(Sarn2015Bend, FiniteAtAZeroRadius) {
    float m[16];
    for (float x : {0.0f, 0.5f, -7.0f}) {
        PropBend bend = bendProp(x, 1.0f, 6.0f, 0.0f, 15.0f, 1, 1, m);
        ASSERT_EQ(bend, PropBend::bent);
        for (float v : m)
            EXPECT_TRUE(std::isfinite(v));
        // A true turn about a real axis: its columns keep unit length.
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(std::hypot(m[4 * c], m[4 * c + 1], m[4 * c + 2]), 1.0f, 1e-5f);
    }
    EXPECT_EQ(bendProp(0, 0, 0, 0, 15, 1, 1, m), PropBend::flat);
}

} // namespace
