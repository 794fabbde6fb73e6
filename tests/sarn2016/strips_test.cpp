#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "Sarn2016BorderStrips.h"
#include "ScriptedRandom.h"

namespace {

bool same(const Vector3D& a, const Vector3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

unsigned int total(const unsigned int pairs[4]) {
    return pairs[0] + pairs[1] + pairs[2] + pairs[3];
}

} // namespace

TEST(Sarn2016BorderStrips, FirstBuildWalksFivePairsASideFromTheOrigin) {
    std::vector<Vector3D> top, bottom;
    unsigned int pairs[4], bottomPairs[4];
    seedScriptedRandom(100);
    borderStripFirstBuild(borderTopStrip, 10.0f, 60.0f, 20.0f, 70.0f, top, pairs);
    EXPECT_EQ(2 * 20, randomDraws()); // two per pair, none for pair 0
    borderStripFirstBuild(borderBottomStrip, 10.0f, 60.0f, 20.0f, 70.0f, bottom, bottomPairs);
    EXPECT_EQ(2 * 20, randomDraws()); // none for the bottom strip
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(5u, pairs[side]);
        EXPECT_EQ(5u, bottomPairs[side]);
    }
    ASSERT_EQ(42u, top.size());
    ASSERT_EQ(42u, bottom.size());
    // Pair 0 at the origin, not at the room's corner.
    EXPECT_TRUE(same(Vector3D(0.0f, 0.0f, 0.0f), top[0]) && same(Vector3D(0, 0, 20), top[1]));
    EXPECT_TRUE(same(Vector3D(0, 0, -20), bottom[0]) && same(Vector3D(0, 0, 0), bottom[1]));
    // Each side's first pair one step in, its last on the far corner.
    EXPECT_FLOAT_EQ(30.0f, top[2].y);
    EXPECT_FLOAT_EQ(70.0f, top[10].y);
    EXPECT_FLOAT_EQ(60.0f, bottom[20].x);
    EXPECT_FLOAT_EQ(20.0f, bottom[30].y);
    EXPECT_FLOAT_EQ(10.0f, bottom[40].x);
    EXPECT_EQ(0.0f, bottom[2].x); // side 1 of the bottom strip stands at x = 0
    for (unsigned int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(top[2 * k].x >= 10.0f && top[2 * k].x < 16.0f);         // base
        EXPECT_TRUE(top[2 * k + 1].x >= 10.0f && top[2 * k + 1].x < 60.0f); // top vertex
        EXPECT_EQ(20.0f, top[2 * k + 1].z);
    }
}

TEST(Sarn2016BorderStrips, RebuildRepeatsKeepsSideFourAndStaysInItsPairs) {
    std::vector<Vector3D> first;
    unsigned int pairs[4];
    seedScriptedRandom(100);
    borderStripFirstBuild(borderTopStrip, 0.0f, 100.0f, 0.0f, 100.0f, first, pairs);

    std::vector<Vector3D> once = first, twice = first;
    seedScriptedRandom(400);
    borderStripRebuild(borderTopStrip, 5.0f, 55.0f, 5.0f, 95.0f, pairs, once);
    EXPECT_EQ(15, randomDraws()); // one per pair of sides 1 to 3
    seedScriptedRandom(400);
    borderStripRebuild(borderTopStrip, 5.0f, 55.0f, 5.0f, 95.0f, pairs, twice);
    ASSERT_EQ(first.size(), once.size());
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_TRUE(same(once[i], twice[i])) << i;
    }
    EXPECT_EQ(5.0f, once[2].x); // rebuilt side 1 base on the left edge
    for (std::size_t i = 2 + 2 * 15; i < first.size(); ++i) {
        EXPECT_TRUE(same(first[i], once[i])) << "side 4 moved at " << i;
    }

    // Clamped to the first build's counts, whatever the new room gives.
    const unsigned int one[4] = {1, 1, 1, 1};
    std::vector<Vector3D> clamped = first;
    borderStripRebuild(borderBottomStrip, 0.0f, 100.0f, 0.0f, 100.0f, one, clamped);
    for (std::size_t i = 2 + 2 * 3; i < first.size(); ++i) {
        EXPECT_TRUE(same(first[i], clamped[i])) << i;
    }
    std::vector<Vector3D> empty;
    borderStripRebuild(borderTopStrip, 0.0f, 100.0f, 0.0f, 100.0f, pairs, empty);
    EXPECT_TRUE(empty.empty());
}

TEST(Sarn2016BorderStrips, DegenerateRoomsEnd) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Vector3D> positions;
    unsigned int pairs[4];
    borderStripFirstBuild(borderTopStrip, 50.0f, 50.0f, 50.0f, 50.0f, positions, pairs);
    EXPECT_EQ(0u, total(pairs));
    EXPECT_EQ(2u, positions.size());
    borderStripFirstBuild(borderTopStrip, 60.0f, 40.0f, nan, nan, positions, pairs);
    EXPECT_EQ(0u, total(pairs));
    // A step lost to rounding: i never moves, the walk still stops.
    borderStripFirstBuild(borderBottomStrip, 1e8f, 1e8f + 8.0f, 1e8f, 1e8f + 8.0f, positions,
                          pairs);
    EXPECT_LE(total(pairs), 4 * borderSideMaxPairs);
    EXPECT_EQ(2u + 2u * total(pairs), positions.size());
}
