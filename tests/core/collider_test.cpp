#include <gtest/gtest.h>

#include <algorithm>

#include "FlatCollideMesh.h"
#include "support/TestFiles.h"

namespace {

const char* segments = R"({"collider": {
  "vertices": [{"x": -1, "y": 0}, {"x": 1, "y": 0}, {"x": 2, "y": 0}, {"x": 3, "y": 0}],
  "indices": [{"a": 0, "b": 1}, {"a": 2, "b": 3}]}})";

void expectEmpty(FlatCollideMesh& m) {
    EXPECT_EQ(m.getNbPoints(), 0u);
    EXPECT_EQ(m.getNbSegments(), 0u);
    EXPECT_EQ(m.getNbCircles(), 0u);
    EXPECT_EQ(m.mVertexX, nullptr);
    EXPECT_EQ(m.mIndices, nullptr);
    EXPECT_EQ(m.mCirclesRadius, nullptr);
}

TEST(ColliderFile, ReadsPointsSegmentsAndOptionalCircles) {
    const char* quad = R"({"collider": {
      "vertices": [{"x": 0, "y": 0}, {"x": 1, "y": 0}, {"x": 1, "y": 1}],
      "indices": [{"a": 0, "b": 1}, {"a": 1.9, "b": 2}],
      "circles": [{"x": 0.5, "y": 0.25, "radius": 2}]}})";
    writeFuzzSeed("collider_json", "quad.json", quad);
    FlatCollideMesh m;
    ASSERT_TRUE(m.load(writeTestFile("quadCollider.json", quad)));
    EXPECT_EQ(m.getNbPoints(), 3u);
    EXPECT_EQ(m.getNbSegments(), 2u);
    float x1, y1, x2, y2;
    m.getPoint(&x1, &y1, &x2, &y2, 1); // entries 2 and 3: points 1 and 2
    EXPECT_EQ(x1, 1);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(y2, 1);
    ASSERT_EQ(m.getNbCircles(), 1u);
    EXPECT_EQ(m.getCircleX(0), 0.5f);
    EXPECT_EQ(m.getCircleY(0), 0.25f);
    EXPECT_EQ(m.getCircleRadius(0), 2);

    // A reload replaces everything (and frees it: LeakSanitizer watches).
    ASSERT_TRUE(m.load(writeTestFile("no-circles.json", segments)));
    EXPECT_EQ(m.getNbPoints(), 4u);
    EXPECT_EQ(m.getNbCircles(), 0u);
    EXPECT_EQ(m.mCirclesCenterX, nullptr);
    ASSERT_TRUE(m.load(writeTestFile(
        "empty-circles.json", R"({"collider": {"vertices": [], "indices": [], "circles": []}})")));
    expectEmpty(m);
    ASSERT_TRUE(m.load(writeTestFile("no-collider.json", R"({"mesh": 1})")));
    expectEmpty(m);
    ASSERT_TRUE(m.load(writeTestFile("quad.json", quad)));
    EXPECT_TRUE(m.load("data/collider.bin")); // no binary form: nothing read, nothing lost
    EXPECT_EQ(m.getNbPoints(), 3u);
    EXPECT_EQ(m.getNbSegments(), 2u);
    ASSERT_EQ(m.getNbCircles(), 1u);
    EXPECT_EQ(m.getCircleRadius(0), 2);
}

TEST(ColliderFile, HostileFilesGiveEmptyColliderAndOneLine) {
    const std::string bad[] = {
        R"({"collider": {"vertices": [{"x": 0, "y": 0}], "indices": [{"a": 0, "b": 1}]}})",
        R"({"collider": {"vertices": [{"x": 0, "y": 0}], "indices": [{"a": -0.5, "b": 0}]}})",
        R"({"collider": {"vertices": [{"x": 0}], "indices": []}})",
        R"({"collider": {"vertices": [], "indices": [], "circles": [{"x": 0, "y": 0}]}})",
        R"({"collider": {"vertices": [], "indices": [], "circles": 3}})",
        R"({"collider": {"vertices": []}})",
        R"({"collider": 5})",
        R"([1])",
        R"({"collider": {"vertices": [)",
    };
    int n = 0;
    for (const std::string& text : bad) {
        FlatCollideMesh m;
        ASSERT_TRUE(m.load(writeTestFile("c.json", R"({"collider": {"vertices": [{"x": 0, "y": 0}],
          "indices": [{"a": 0, "b": 0}], "circles": [{"x": 0, "y": 0, "radius": 1}]}})")));
        std::string path = writeTestFile("bad-collider" + std::to_string(n++) + ".json", text);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(m.load(path)) << text;
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        expectEmpty(m);
    }
    FlatCollideMesh missing;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(missing.load("no/such/collider.json"));
    testing::internal::GetCapturedStderr();
    expectEmpty(missing);
}

// Key frames of the points (no loader fills them yet): blended inside an
// animation, then held at its own last frame, never blended into the next one's.
TEST(ColliderAnimation, BlendsThenHoldsItsOwnLastFrame) {
    FlatCollideMesh m;
    m.mNbPoints = 1;
    FlatCollideMesh::FlatCollideMeshAnimation* a = m.animation =
        new FlatCollideMesh::FlatCollideMeshAnimation;
    a->mNbAnims = 2;
    a->mNbFrames = 3;
    a->mAnimationStartFrames = new unsigned int[2]{0, 2};
    a->mFramesStartTime = new float[3]{0, 1, 0};
    a->mVertexX = new float[3]{0, 10, 50};
    a->mVertexY = new float[3]{0, -10, -50};
    a->mCurrentVertexX = new float[1]();
    a->mCurrentVertexY = new float[1]();
    struct Step {
        unsigned int anim;
        float time, x;
    };
    for (Step s : {Step{0, 0.5f, 5}, Step{0, 7, 10}, Step{1, 7, 50}}) {
        a->calculateFrameMesh(s.anim, s.time, &m);
        EXPECT_EQ(a->mCurrentVertexX[0], s.x) << s.anim << " at " << s.time;
        EXPECT_EQ(a->mCurrentVertexY[0], -s.x) << s.anim << " at " << s.time;
    }
}

} // namespace
