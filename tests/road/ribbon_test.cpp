#include <gtest/gtest.h>

#include <cmath>

#include "RaceTrack.h"
#include "Renderer/Shader.h"
#include "Texture.h"
#include "World.h"
#include "support/Recorder.h"

namespace {

struct Corner {
    float x, y;
};

Corner corner(const RibbonMesh& mesh, unsigned short index) {
    return {mesh.points[3u * index], mesh.points[3u * index + 1]};
}

float turn(const RibbonMesh& mesh, std::size_t triangle) {
    Corner a = corner(mesh, mesh.indices[3 * triangle]);
    Corner b = corner(mesh, mesh.indices[3 * triangle + 1]);
    Corner c = corner(mesh, mesh.indices[3 * triangle + 2]);
    return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
}

TEST(Spline, SegmentEndsAreItsPointsSegmentZeroClosesAndAParabolaIsFollowed) {
    Spline3D spline;
    for (int i = 0; i < 4; ++i)
        spline.addPoint(float(i * i), float(3 * i), float(-i));
    for (int i = 0; i < 4; ++i) {
        Vector3D start = spline.interpolate(i, 0.0f);
        Vector3D end = spline.interpolate(i, 1.0f);
        const Vector3D& from = spline.mPointsList[(i + 3) % 4];
        const Vector3D& to = spline.mPointsList[i];
        EXPECT_NEAR(start.x, from.x, 1e-5);
        EXPECT_NEAR(start.y, from.y, 1e-5);
        EXPECT_NEAR(end.x, to.x, 1e-5);
        EXPECT_NEAR(end.z, to.z, 1e-5);
    }
    EXPECT_FLOAT_EQ(spline.interpolate(7, 1.0f).y, 9.0f);
    // Between evenly spaced points the curve keeps a parabola (x = i^2) and a
    // line (y = 3i) exactly, inside a segment too.
    for (float t : {0.25f, 0.5f, 0.75f}) {
        EXPECT_NEAR(spline.interpolate(2, t).x, (1 + t) * (1 + t), 1e-5) << t;
        EXPECT_NEAR(spline.interpolate(2, t).y, 3 * (1 + t), 1e-5) << t;
    }
}

TEST(Ribbon, DefaultRoadIsStraightAndWoundTowardsTheViewer) {
    RaceTrack track;
    RibbonMesh mesh;
    ASSERT_TRUE(buildRibbon(track.mSpline, track.mLeftWidthsList, track.mRightWidthsList, mesh));
    ASSERT_EQ(mesh.points.size(), 198u * 3);
    ASSERT_EQ(mesh.texCoords.size(), 198u * 2);
    ASSERT_EQ(mesh.indices.size(), 196u * 3);
    EXPECT_EQ(mesh.colors, std::vector<float>(198u * 3, 1.0f)); // the texture as it is
    for (unsigned short index : mesh.indices)
        EXPECT_LT(index, 198);

    EXPECT_FLOAT_EQ(corner(mesh, 0).y, 1000.0f);
    EXPECT_FLOAT_EQ(corner(mesh, 197).y, 780.0f);
    // B then A: B on the right of the travel, so at -13 while going down.
    EXPECT_FLOAT_EQ(corner(mesh, 0).x, -13.0f);
    EXPECT_FLOAT_EQ(corner(mesh, 1).x, 13.0f);
    EXPECT_FLOAT_EQ(corner(mesh, 196).x, 13.0f);
    for (std::size_t i = 0; i < 198; ++i) {
        EXPECT_FLOAT_EQ(std::abs(mesh.points[3 * i]), 13.0f);
        EXPECT_FLOAT_EQ(mesh.points[3 * i + 2], -2.0f);
    }

    // The curve runs down the closing segment, overshoots the first point and
    // turns back up: the quad joining the last pair going down to the first
    // pair going up is twisted and keeps one clockwise triangle, below y = 0
    // where the road is never shown. Every other triangle faces +z.
    int clockwise = 0;
    for (std::size_t t = 0; t < 196; ++t) {
        if (turn(mesh, t) <= 0.0f) {
            ++clockwise;
            EXPECT_LT(corner(mesh, mesh.indices[3 * t]).y, 0.0f);
        }
    }
    EXPECT_EQ(clockwise, 1);
}

TEST(Ribbon, CurvedRoadEdgesStandSquareToTheTravelAtTheirWidths) {
    Spline3D loop;
    for (int i = 0; i < 8; ++i)
        loop.addPoint(40 * std::cos(i * 0.785398f), 25 * std::sin(i * 0.785398f), -2);
    RibbonMesh mesh;
    ASSERT_TRUE(buildRibbon(loop, {3}, {5}, mesh));
    // The centre-line samples the pairs sit on, in build order.
    std::vector<Vector3D> samples = {loop.interpolate(0, 0)};
    for (int s = 0; s < 7; ++s) {
        for (int j = s == 0 ? 1 : 0; j < 20; ++j)
            samples.push_back(loop.interpolate(s, j / 20.0f));
    }
    ASSERT_EQ(mesh.points.size(), 6 * (samples.size() - 1));
    int checked = 0;
    for (std::size_t q = 0; q + 1 < samples.size(); ++q) {
        Vector3D at = samples[q], d = samples[q + 1] - at;
        float travel = std::hypot(d.x, d.y);
        // Where the travel runs (nearly) along y the edges come from a division by d.x.
        if (std::abs(d.x) < 0.1f * travel)
            continue;
        ++checked;
        Corner b = corner(mesh, 2 * q), a = corner(mesh, 2 * q + 1);
        float ax = a.x - at.x, ay = a.y - at.y, bx = b.x - at.x, by = b.y - at.y;
        EXPECT_NEAR(std::hypot(ax, ay), 3.0f, 1e-3f) << q;
        EXPECT_NEAR(std::hypot(bx, by), 5.0f, 1e-3f) << q;
        EXPECT_NEAR((ax * d.x + ay * d.y) / (3 * travel), 0.0f, 1e-3f) << q;
        EXPECT_NEAR((bx * d.x + by * d.y) / (5 * travel), 0.0f, 1e-3f) << q;
        EXPECT_GT(d.x * ay - d.y * ax, 0.0f) << q; // A on the left of the travel
    }
    EXPECT_GT(checked, 100);
}

TEST(Ribbon, RefusesWhatItCannotBuild) {
    RaceTrack track;
    RibbonMesh mesh;
    Spline3D one;
    one.addPoint(0, 0, 0);
    EXPECT_FALSE(buildRibbon(one, {13}, {13}, mesh));
    EXPECT_FALSE(buildRibbon(track.mSpline, {}, {13}, mesh));
    EXPECT_TRUE(mesh.points.empty());

    // Fewer widths than points wrap around.
    EXPECT_TRUE(buildRibbon(track.mSpline, {10}, {12, 14}, mesh));

    Spline3D longest, tooLong;
    for (int i = 0; i < 1639; ++i)
        longest.addPoint(0, float(i), 0);
    tooLong = longest;
    tooLong.addPoint(0, 1639, 0);
    EXPECT_TRUE(buildRibbon(longest, {1}, {1}, mesh));
    EXPECT_LE(mesh.points.size() / 3, 65535u);
    EXPECT_FALSE(buildRibbon(tooLong, {1}, {1}, mesh));
}

class Drawn : public testing::Test {
protected:
    void SetUp() override {
        recorder().reset();
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 1);
        shader.bind();
    }
    Shader::UniformLayout table[1] = {{"mvMat", 0, 16}};
    Shader shader;
    World world;
    Texture road, other;
};

TEST_F(Drawn, BuiltOnceWithTheFirstTextureAndReleasedOnce) {
    {
        RaceTrack track;
        track.oa.y() = 50.0f;
        track.render(&world, &road);
        EXPECT_FLOAT_EQ(track.oa.y(), 0.0f);
        track.oa.y() = -30.0f;
        track.render(&world, &other);
        EXPECT_EQ(recorder().vertexInputCount(), 1u);
        EXPECT_EQ(recorder().indexBufferCount(), 1u);
        ASSERT_EQ(recorder().draws().size(), 2u);
        EXPECT_EQ(recorder().draws().back().count, 196 * 3);
        EXPECT_FLOAT_EQ(recorder().sends("mvMat").back().values[13], -30.0f);
        for (const RecordedEvent& bind : recorder().textureBinds())
            EXPECT_EQ(bind.texture, &road);
    }
    EXPECT_EQ(recorder().liveBuffers(), 0u);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST_F(Drawn, ARefusedTrackDrawsAndUploadsNothing) {
    {
        RaceTrack track;
        track.mLeftWidthsList.clear();
        testing::internal::CaptureStderr();
        track.render(&world, &road);
        track.render(&world, &road);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Race track not built: 6 points, 0 and 6 widths\n"); // once
    }
    EXPECT_EQ(recorder().vertexInputCount(), 0u);
    EXPECT_TRUE(recorder().draws().empty());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

} // namespace
