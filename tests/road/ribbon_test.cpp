#include <gtest/gtest.h>

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

TEST(Spline, SegmentEndsAreItsPointsAndSegmentZeroCloses) {
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
}

TEST(Ribbon, DefaultRoadIsStraightAndWoundTowardsTheViewer) {
    RaceTrack track;
    RibbonMesh mesh;
    ASSERT_TRUE(buildRibbon(track.mSpline, track.mLeftWidthsList, track.mRightWidthsList, mesh));
    ASSERT_EQ(mesh.points.size(), 198u * 3);
    ASSERT_EQ(mesh.texCoords.size(), 198u * 2);
    ASSERT_EQ(mesh.indices.size(), 196u * 3);
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
        track.render(&world, &road);
        track.render(&world, &road);
    }
    EXPECT_EQ(recorder().vertexInputCount(), 0u);
    EXPECT_TRUE(recorder().draws().empty());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

} // namespace
