// Moves and speed keys of one camera point, tables set by hand.
#include "CameraFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

TEST(CamPointMoves, TranslateSnapsOntoItsTargetAndZeroLengthMovesFinish) {
    CameraPathTrack track;
    track.moves = {{0, {0, 0, 0}}, {1, {1, 0, 0}}, {1, {1, 0, 0}}, {1, {1, 2, 0}}};
    track.keys = steadyKeys();
    CamPoint point = makePoint(Vector3D(), track);
    for (int i = 0; i < 3; ++i)
        step(point, 0.03f);
    EXPECT_NEAR(point.p.x, 0.9f, 1e-5f);
    EXPECT_EQ(point.step, 1);
    // Past the target: snapped exactly; the empty move ends in the same frame
    // and the next one starts from zero.
    step(point, 0.03f);
    EXPECT_EQ(point.step, 3);
    EXPECT_EQ(point.p.x, 1.0f);
    EXPECT_NEAR(point.p.y, 0.3f, 1e-5f);

    // At speed 0 an empty move still finishes (no 0 / 0).
    track.keys = steadyKeys(0.0f);
    point = makePoint(Vector3D(1, 0, 0), track);
    point.step = 2;
    point.runPrepare();
    step(point, 0.03f);
    EXPECT_EQ(point.step, 3);
    EXPECT_TRUE(std::isfinite(point.p.x));

    // A negative speed runs the point back along its move, past its start.
    track.keys = steadyKeys(-2.0f);
    point = makePoint(Vector3D(), track);
    step(point, 0.25f);
    EXPECT_EQ(point.step, 1);
    EXPECT_FLOAT_EQ(point.p.x, -0.5f);
}

TEST(CamPointMoves, RotateTurnsByMinusTheAngleWithoutSnapping) {
    CameraPathTrack track;
    // The axis is normalised: (0, 0, 5) turns like (0, 0, 1).
    track.moves = {{0, {0, 0, 0}}, {2, {0, 0, 0, 90, 0, 0, 5}}};
    track.keys = steadyKeys(1.0f);
    CamPoint point = makePoint(Vector3D(2, 0, 0), track);
    EXPECT_EQ(point.currentDist, 3.1415925f);
    step(point, 3.1415925f / 2); // half way: 45 degrees, clockwise seen from +z
    EXPECT_NEAR(point.p.x, std::sqrt(2.0f), 1e-5f);
    EXPECT_NEAR(point.p.y, -std::sqrt(2.0f), 1e-5f);
    step(point, 1.5f);
    Vector3D last = point.p;
    step(point, 0.5f); // ends: the point stays where the last frame put it
    EXPECT_EQ(point.step, 2);
    EXPECT_EQ(point.p.x, last.x);
    EXPECT_EQ(point.p.y, last.y);
    EXPECT_GT(std::fabs(last.y + 2.0f), 1e-4f);

    // A negative angle turns the other way over the same length.
    track.moves[1].row[3] = -90;
    point = makePoint(Vector3D(2, 0, 0), track);
    EXPECT_EQ(point.currentDist, 3.1415925f);
    step(point, 1.0f);
    EXPECT_GT(point.p.y, 0.0f);

    // A zero axis gives no turn.
    track.moves[1].row = {0, 0, 0, 90, 0, 0, 0};
    point = makePoint(Vector3D(2, 0, 0), track);
    step(point, 1.0f);
    EXPECT_EQ(point.p.x, 2.0f);
    EXPECT_EQ(point.p.y, 0.0f);
}

TEST(CamPointMoves, CubicRunsThroughItsNeighboursAndTheRowAfterIt) {
    CameraPathTrack track;
    track.moves = {{0, {0, 0, 0}}, {1, {1, 0, 0}}, {3, {2, 0, 0}}, {0, {3, 0, 0}}};
    track.keys = steadyKeys(1.0f);
    CamPoint point = makePoint(Vector3D(1, 0, 0), track);
    point.step = 2;
    point.runPrepare();
    step(point, 0.5f);
    EXPECT_NEAR(point.p.x, 1.5f, 1e-6f);
    step(point, 0.75f);
    EXPECT_EQ(point.p.x, 3.0f); // snapped, then held by the reset move

    // The last loaded move bends towards the zero row after it: half way,
    // -4 t^3 + 4 t^2 + 4 t = 2.5 rather than the straight 2. The first row
    // stands in for the missing one two moves back.
    track.moves = {{3, {0, 0, 0}}, {3, {4, 0, 0}}};
    point = makePoint(Vector3D(), track);
    step(point, 2.0f);
    EXPECT_FLOAT_EQ(point.p.x, 2.5f);
    for (int i = 0; i < 3; ++i)
        step(point, 1.0f);
    EXPECT_EQ(point.p.x, 4.0f);
}

TEST(CamPointMoves, LoopsPlayTheirPassesThenGoOnOrLoopForEver) {
    CameraPathTrack track;
    track.moves = {{0, {0, 0, 0}}, {1, {1, 0, 0}}, {1, {0, 0, 0}}, {4, {1, 3}}, {0, {5, 5, 5}}};
    track.keys = steadyKeys(2.0f);
    CamPoint point = makePoint(Vector3D(), track);
    int arrivals = 0;
    for (int i = 0; i < 100; ++i) {
        int before = point.step;
        step(point, 0.1f);
        arrivals += before == 1 && point.step == 2;
    }
    EXPECT_EQ(arrivals, 3);
    EXPECT_EQ(point.mouvs[3][1], 1.0f);
    EXPECT_EQ(point.p.x, 5.0f);

    // -1 never ends and keeps its count; a spent loop end that is the last
    // move loops for ever too.
    for (float passes : {-1.0f, 1.0f}) {
        track.moves[3].row[1] = passes;
        track.moves.resize(4);
        point = makePoint(Vector3D(), track);
        arrivals = 0;
        for (int i = 0; i < 200; ++i) {
            int before = point.step;
            step(point, 0.1f);
            arrivals += before == 1 && point.step == 2;
        }
        EXPECT_GT(arrivals, 10) << passes;
        EXPECT_EQ(point.mouvs[3][1], passes);
        EXPECT_TRUE(point.running());
    }
}

TEST(CamPointSpeeds, EachKeyKindBlendsTowardsItsKey) {
    CameraPathTrack track;
    track.moves = {{0, {0, 0, 0}}, {1, {100, 0, 0}}};
    track.keys = {{0, {0, 2}}, {1, {2, 4}}, {2, {4, 4}}, {3, {6, 6}}, {0, {8, 8}}, {1, {8, 9}}};
    CamPoint point = makePoint(Vector3D(), track);
    point.temps = 1.0f;
    EXPECT_FLOAT_EQ(point.speed(), 3.0f);
    point.temps = 2.1f; // just past the key: extrapolated
    EXPECT_FLOAT_EQ(point.speed(), 4.1f);

    point.vit[1][1] = 2.0f;
    point.vitStep = 2;
    point.temps = 3.0f;
    EXPECT_FLOAT_EQ(point.speed(), 3.0f);
    point.temps = 2.5f;
    EXPECT_NEAR(point.speed(), 2.293f, 1e-3f);

    // Cubic through 2, 4, 6, 8 (keys 1 to 4): the middle of 4 and 6 is 5.
    point.vitStep = 3;
    point.temps = 5.0f;
    EXPECT_FLOAT_EQ(point.speed(), 5.0f);
    point.vitStep = 4;
    EXPECT_EQ(point.speed(), 8.0f);
    // Keys at the same time: the later key's speed.
    point.vitStep = 5;
    EXPECT_EQ(point.speed(), 9.0f);
    // A cubic on the last loaded key bends towards the zero row after it:
    // through 6, 8, 9, 0, half way gives 9.875 (8.75 were the last key held).
    point.nbOpVit[5] = 3;
    point.vit[5][0] = 10.0f;
    point.temps = 9.0f;
    EXPECT_FLOAT_EQ(point.speed(), 9.875f);
    // The same keys closing a full table: the row past its end counts as zero.
    std::memcpy(point.vit[12], point.vit[3], 3 * sizeof point.vit[0]);
    point.nbOpVit[14] = 3;
    point.nbVit = CamPoint::maxRows;
    point.vitStep = CamPoint::maxRows - 1;
    EXPECT_FLOAT_EQ(point.speed(), 9.875f);
}

TEST(CamPointSpeeds, LoopsSetTheClockBackAndTheDriverStepsPastTheTarget) {
    CameraPathTrack track;
    track.moves = {{0, {0, 0, 0}}, {1, {1000, 0, 0}}};
    track.keys = {{0, {0, 1}}, {0, {1, 1}}, {0, {2, 1}}, {4, {2, 1, 0.5f, -1}}};
    CamPoint point = makePoint(Vector3D(), track);
    while (point.vitStep < 3)
        step(point, 0.1f);
    step(point, 0.1f);
    // Looped to key 1 with the clock at 0.5; the key was behind, so the
    // driver's advance lands one past the target.
    EXPECT_EQ(point.temps, 0.5f);
    EXPECT_EQ(point.vitStep, 2);

    // Passes spent on the last key: speed 0, the clock runs on.
    point.vit[3][3] = 1.0f;
    point.vitStep = 3;
    float x = point.p.x;
    EXPECT_EQ(CamPoint::loopEndVit(point), 0.0f);
    step(point, 0.1f);
    EXPECT_EQ(point.p.x, x);
}

TEST(CamPointLimits, BadOpCodesAndLoopsStopTheTrackInsteadOfHanging) {
    CameraPathTrack track;
    track.keys = steadyKeys();
    std::vector<std::vector<CameraPathRecord>> broken = {
        {{0, {0, 0, 0}}, {9, {}}},                     // move op outside the table
        {{0, {0, 0, 0}}, {4, {20, -1}}},               // loop target not loaded
        {{0, {0, 0, 0}}, {4, {-3, -1}}},               // negative loop target
        {{0, {0, 0, 0}}, {4, {2, -1}}, {4, {1, -1}}},  // loop ends in a ring
        {{0, {0, 0, 0}}, {1, {1, 0, 0}}, {4, {2, 5}}}, // a loop end onto itself
    };
    for (const std::vector<CameraPathRecord>& moves : broken) {
        track.moves = moves;
        CamPoint point = makePoint(Vector3D(), track);
        for (int i = 0; i < 50; ++i)
            step(point, 0.2f);
        EXPECT_FALSE(point.running());
    }

    // A speed op outside the table stops the track too.
    track.moves = {{0, {0, 0, 0}}, {1, {1, 0, 0}}};
    track.keys = {{0, {0, 1}}, {7, {5, 1}}};
    CamPoint point = makePoint(Vector3D(), track);
    step(point, 0.1f);
    EXPECT_FALSE(point.running());
    EXPECT_EQ(point.p.x, 0.0f);

    // For ever over moves shorter than one frame's advance: each update is
    // capped, a 5 s stall included.
    track.moves = {{0, {0, 0, 0}}, {1, {0.001f, 0, 0}}, {1, {0, 0, 0}}, {4, {1, -1}}};
    track.keys = steadyKeys(50.0f);
    point = makePoint(Vector3D(), track);
    step(point, 0.012f);
    step(point, 5.0f);
    EXPECT_TRUE(point.running());
    EXPECT_LE(point.movesEnded, CamPoint::maxRows + 1);

    // Loop ends that each move on, through the whole table, are no ring: the
    // keys simply run out, the moves are not stopped.
    track.keys = {{4, {0, 0, 0, 1}}, {4, {0, 0, 0, 1}}};
    point = makePoint(Vector3D(), track);
    point.vitStep = 0;
    EXPECT_EQ(point.speed(), 0.0f);
    EXPECT_TRUE(point.moving());
}
