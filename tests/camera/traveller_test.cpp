// The camera-path file and the traveller that plays it.
#include "Camera.h"
#include "CameraFiles.h"
#include "World.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

CameraPathTrack standing(const Vector3D& at) {
    CameraPathTrack track;
    track.moves = {{0, {at.x, at.y, at.z}}, {0, {at.x, at.y, at.z}}};
    track.keys = steadyKeys();
    return track;
}

bool finite(const float* m) {
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(m[i]))
            return false;
    }
    return true;
}

} // namespace

TEST(CameraPathFile, RecordSizesFollowTheirOwnOpCodes) {
    CameraPath path;
    path.cam.moves = {{0, {1, 2, 3}},    {1, {4, 5, 6}}, {2, {7, 8, 9, 10, 11, 12, 13}},
                      {3, {14, 15, 16}}, {4, {17, 18}},  {7, {}},
                      {0, {19, 20, 21}}};
    path.vue.moves = {{5, {}}, {1, {22, 23, 24}}};
    path.up.moves = {{4, {25, 26}}, {9, {27, 28}}};
    path.cam.keys = {{0, {1, 2}}, {1, {3, 4}}};
    path.vue.keys = {{0, {5, 6}}, {4, {7, 8, 9, 10}}};
    path.up.keys = {{4, {11, 12}}, {0, {13, 14}}};
    std::vector<std::uint8_t> bytes = cameraPathBytes(path);
    // Header 48; cam moves 7 op codes and 21 floats; vue 2 and 3; up 2 x 12;
    // cam keys 2 x 12; vue keys 12 + 20; up keys 2 x 12.
    ASSERT_EQ(bytes.size(), 48u + 112 + 20 + 24 + 24 + 32 + 24);

    Traveller trav;
    ASSERT_TRUE(trav.init(writeCameraPathFile("sizes", path).c_str()));
    EXPECT_EQ(trav.cam.nbOp[5], 7);
    EXPECT_EQ(trav.cam.mouvs[6][2], 21.0f);
    EXPECT_EQ(trav.cam.mouvs[2][6], 13.0f);
    EXPECT_EQ(trav.cam.mouvs[4][1], 18.0f);
    EXPECT_EQ(trav.vue.mouvs[1][0], 22.0f);
    EXPECT_EQ(trav.up.mouvs[0][1], 26.0f);
    EXPECT_EQ(trav.up.mouvs[1][0], 27.0f);
    EXPECT_EQ(trav.vue.vit[1][3], 10.0f);
    EXPECT_EQ(trav.up.vit[1][1], 14.0f);
    EXPECT_EQ(trav.up.vit[0][2], 0.0f); // a loop key of the up track carries 8 bytes
    // Move offsets become the stream position after each track's moves; the
    // speed offsets stay as the header gave them.
    EXPECT_EQ(trav.cam.offset, 160);
    EXPECT_EQ(trav.vue.offset, 180);
    EXPECT_EQ(trav.up.offset, 204);
    EXPECT_EQ(trav.cam.offsetVit, 204);
    EXPECT_EQ(trav.vue.offsetVit, 228);
    EXPECT_EQ(trav.up.offsetVit, 260);
    writeFuzzSeed("camera_path", "sizes", std::string(bytes.begin(), bytes.end()));
}

TEST(CameraPathFile, RefusedFilesLeaveEveryTrackEmpty) {
    CameraPath path = shippedCameraPath();
    std::vector<std::uint8_t> bytes = cameraPathBytes(path);
    writeFuzzSeed("camera_path", "shipped", std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> files = {"/nonexistent/camversion1"};
    for (std::size_t size = 0; size < bytes.size(); size += 3)
        files.push_back(writeTestFile("camera/short" + std::to_string(size),
                                      std::string(bytes.begin(), bytes.begin() + size)));
    for (int count : {16, -1, 1 << 30}) {
        std::string patched(bytes.begin(), bytes.end());
        std::memcpy(&patched[4], &count, 4);
        files.push_back(writeTestFile("camera/count" + std::to_string(count), patched));
    }
    for (const std::string& file : files) {
        Traveller trav;
        EXPECT_FALSE(trav.init(file.c_str())) << file;
        for (const CamPoint* point : {&trav.cam, &trav.vue, &trav.up}) {
            EXPECT_EQ(point->nb, 0) << file;
            EXPECT_EQ(point->nbVit, 0) << file;
            EXPECT_EQ(point->nbOp[0], 0) << file;
        }
        EXPECT_EQ(trav.cam.p.x, 6.0f);
        trav.update(0.012f);
        EXPECT_EQ(trav.cam.p.x, 6.0f);
    }
}

// An op code just past the end of its table (5 for moves and speed keys, 3 for
// the up track's) met mid-flight stops that track where it stands, with a
// line, and leaves the other two flying.
TEST(Traveller, OpCodesJustPastEachTableStopOnlyTheirOwnTrack) {
    CameraPath good;
    for (CameraPathTrack* track : {&good.cam, &good.vue, &good.up}) {
        track->moves = {{0, {0, 0, 0}}, {1, {0, 5, 0}}, {1, {0, 0, 0}}, {4, {1, -1}}};
        if (track == &good.up)
            track->moves = {{0, {1, 0}}, {1, {1, 5}}, {1, {1, -5}}, {2, {1, -1}}};
        track->keys = {{0, {0, 10}}, {0, {0.3f, 10}}, {0, {1000, 10}}};
    }
    for (int t = 0; t < 3; ++t) {
        for (bool key : {false, true}) {
            CameraPath path = good;
            CameraPathTrack* track[] = {&path.cam, &path.vue, &path.up};
            int bad = t == 2 ? 3 : 5;
            (key ? track[t]->keys : track[t]->moves)[2].op = bad;
            Traveller trav;
            ASSERT_TRUE(trav.init(writeCameraPathFile("pastEnd", path).c_str()));
            CamPoint* point[] = {&trav.cam, &trav.vue, &trav.up};
            testing::internal::CaptureStdout();
            for (int i = 0; i < 10; ++i)
                trav.update(0.1f);
            std::string out = testing::internal::GetCapturedStdout();
            auto at = [&] { return t == 2 ? Vector3D(trav.upRoll, 0, 0) : point[t]->p; };
            Vector3D stopped = at();
            trav.update(0.1f);
            SCOPED_TRACE("track " + std::to_string(t) + (key ? " key " : " move ") + out);
            EXPECT_NE(out.find("op code " + std::to_string(bad) + "\n"), std::string::npos);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(point[i]->running(), i != t) << i;
            EXPECT_EQ(at().x, stopped.x);
            EXPECT_EQ(at().y, stopped.y);
        }
    }
}

TEST(Traveller, UpTrackRollsBothWaysAndKeepsItsHintInRange) {
    CameraPath path;
    path.cam = standing(Vector3D(0, -10, 0));
    path.vue = standing(Vector3D(0, 0, 0));
    // A zero roll, -90 degrees at 90 per second, then a loop back to 0. Speed
    // key 0 is never played: only key 1's 90 per second may show.
    path.up.moves = {{0, {2, 0}}, {1, {3, 0}}, {1, {4, -90}}, {2, {0, -1}}};
    path.up.keys = {{0, {0, 30}}, {0, {1000, 90}}};
    World world;
    Traveller trav;
    ASSERT_TRUE(trav.init(writeCameraPathFile("up", path).c_str()));
    trav.setWorld(&world);
    trav.update(0.5f);
    EXPECT_EQ(trav.up.step, 2); // the zero roll was done at once
    EXPECT_NEAR(trav.upRoll, -45.0f, 1e-4f);
    EXPECT_EQ(trav.up.p.z, 3.0f);
    // Looking along +y, a roll of -45 leans the screen's up towards world +x.
    trav.placeCamera();
    EXPECT_NEAR(world.mvMat[1], std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(world.mvMat[9], std::sqrt(0.5f), 1e-5f);
    for (int i = 0; i < 20; ++i) {
        trav.update(0.25f);
        EXPECT_TRUE(std::isfinite(trav.upRoll));
        EXPECT_GE(trav.up.p.z, 2.0f);
    }
    EXPECT_LT(trav.upRoll, -180.0f);
}

TEST(Traveller, DegenerateViewsKeepThePreviousMatrix) {
    CameraPath path; // the eye has no moves: it stays where it is put
    path.vue = standing(Vector3D(0, 0, 0));
    path.up.moves = {{0, {1, 0}}, {0, {1, 0}}};
    path.up.keys = steadyKeys();
    World world;
    Traveller trav;
    trav.placeCamera(); // no world: nothing happens
    ASSERT_TRUE(trav.init(writeCameraPathFile("views", path).c_str()));
    trav.setWorld(&world);
    trav.update(0.01f);
    trav.placeCamera();
    float good[16];
    std::memcpy(good, world.mvMat, sizeof good);
    EXPECT_TRUE(finite(good));

    // The view along the up hint: no up vector, the previous view stays.
    trav.cam.p = Vector3D(0, 0, 5);
    trav.up.p = Vector3D(0, 0, 1);
    trav.placeCamera();
    EXPECT_EQ(std::memcmp(good, world.mvMat, sizeof good), 0);

    // Eye right above the target: the hint becomes the last horizontal offset.
    trav.cam.p = Vector3D(3, -4, 5);
    trav.update(0.01f);
    trav.cam.p = Vector3D(0, 0, 5);
    trav.update(0.01f);
    EXPECT_EQ(trav.up.p.x, -3.0f);
    EXPECT_EQ(trav.up.p.y, 4.0f);
    trav.placeCamera();
    EXPECT_TRUE(finite(world.mvMat));
    EXPECT_NE(std::memcmp(good, world.mvMat, sizeof good), 0);

    // A camera that is not travelling, or has no world, places nothing.
    Camera camera;
    camera.update(0.1f);
    camera.travel(writeCameraPathFile("views", path).c_str());
    camera.update(0.1f);
    EXPECT_EQ(camera.getPositionY(), 6.0f);
}

TEST(Traveller, ShippedFlightStaysFiniteAndOrthonormal) {
    World world;
    Camera camera;
    camera.setWorld(&world);
    camera.travel("data/cam/camversion1");
    ASSERT_EQ(camera.mTraveller.cam.nb, static_cast<int>(shippedCameraPath().cam.moves.size()));
    float minHorizontal = 1e9f;
    for (int frame = 0; frame <= 50000; ++frame) {
        camera.update(frame == 25000 ? 5.0f : 0.012f);
        const Traveller& trav = camera.mTraveller;
        ASSERT_TRUE(trav.cam.running() && trav.vue.running()) << frame;
        // Never run back along a move: the flight plays alike whatever a
        // negative speed would do.
        ASSERT_GE(std::fmin(trav.cam.currentDistParc, trav.vue.currentDistParc), 0.0f) << frame;
        float dx = trav.vue.p.x - trav.cam.p.x, dy = trav.vue.p.y - trav.cam.p.y;
        minHorizontal = std::fmin(minHorizontal, std::sqrt(dx * dx + dy * dy));
        const float* m = world.mvMat;
        ASSERT_TRUE(finite(m)) << frame;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                float dot = m[r] * m[c] + m[4 + r] * m[4 + c] + m[8 + r] * m[8 + c];
                ASSERT_NEAR(dot, r == c ? 1.0f : 0.0f, 1e-4f) << frame;
            }
        }
    }
    EXPECT_GT(minHorizontal, 1.0f);
    // The camera reports the eye where the flight left it.
    const Vector3D& eye = camera.mTraveller.cam.p;
    EXPECT_EQ(eye.x, camera.getPositionX());
    EXPECT_EQ(eye.y, camera.getPositionY());
    EXPECT_EQ(eye.z, camera.getPositionZ());
    // Every move op and every cam/vue speed op is used.
    CameraPath shipped = shippedCameraPath();
    std::vector<bool> moves(5), keys(5);
    for (const CameraPathTrack* track : {&shipped.cam, &shipped.vue}) {
        for (const CameraPathRecord& r : track->moves)
            moves[r.op] = true;
        EXPECT_NE(track->moves.back().op, 3); // a cubic never bends towards an unloaded row
        for (const CameraPathRecord& r : track->keys)
            keys[r.op] = true;
    }
    EXPECT_EQ(moves, std::vector<bool>(5, true));
    EXPECT_EQ(keys, std::vector<bool>(5, true));
}
