#include <gtest/gtest.h>

#include "FlatCollideMesh.h"
#include "FlatObject.h"
#include "MathUtils/Quaternion.h"
#include "support/TestFiles.h"

namespace {

// A collider from JSON text, for the collision cases.
struct Collider {
    FlatCollideMesh mesh;
    explicit Collider(const std::string& json, const std::string& name) {
        EXPECT_TRUE(mesh.load(writeTestFile(name, json)));
    }
};

const char* unitCircle = R"({"collider": {"vertices": [], "indices": [],
  "circles": [{"x": 0, "y": 0, "radius": 1}]}})";

// One horizontal segment (-1, 0)-(1, 0), one far one (2, 0)-(3, 0).
const char* segments = R"({"collider": {
  "vertices": [{"x": -1, "y": 0}, {"x": 1, "y": 0}, {"x": 2, "y": 0}, {"x": 3, "y": 0}],
  "indices": [{"a": 0, "b": 1}, {"a": 2, "b": 3}]}})";

TEST(FlatPlacement, PointsFollowScaleAnchorTurnAndPosition) {
    FlatObject o;
    o.init(10, 20, 0, nullptr, nullptr);
    o.setScale(2, 2, 1);
    o.setAnchor(0.5f, 0.5f, 0);
    float x, y;
    o.findAbsolutePoint(&x, &y, 0.5f, 0.5f, 37.0f);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    o.findAbsolutePoint(&x, &y, 1, 0.5f, 90.0f);
    EXPECT_NEAR(x, 10, 1e-5);
    EXPECT_NEAR(y, 21, 1e-5);
    // Output aliasing the input.
    x = 1, y = 0.5f;
    o.findAbsolutePoint(&x, &y, x, y, 1.0f, 0.0f);
    EXPECT_NEAR(x, 10, 1e-5);
    EXPECT_NEAR(y, 21, 1e-5);
    // About the position remembered at the start of the frame.
    o.prepare();
    o.x() = 50;
    o.findPreviousAbsolutePoint(&x, &y, 1, 0.5f, 0.0f, 1.0f);
    EXPECT_NEAR(x, 11, 1e-5);
    EXPECT_NEAR(y, 20, 1e-5);
    EXPECT_EQ(o.getAnchorX(), 0.5f);

    // A point off both of the anchor's axes turns counter-clockwise about z,
    // as the drawn object does with addYaw: not mirrored.
    o.setScale(2, 3, 1);
    for (float yaw : {30.0f, 135.0f, -60.0f}) {
        Vector3D expected(2 * (2 - 0.5f), 3 * (1.5f - 0.5f), 0); // scale x (point - anchor)
        Quaternion::getQuaternionFromAxisAndAngle(Vector3D(0, 0, 1), yaw).applyRotation(expected);
        o.findAbsolutePoint(&x, &y, 2, 1.5f, yaw);
        EXPECT_NEAR(x, 50 + expected.x, 1e-4) << yaw;
        EXPECT_NEAR(y, 20 + expected.y, 1e-4) << yaw;
    }

    // init starts the placement over: scale 1, anchor at the origin.
    o.init(1, 2, 0, nullptr, nullptr);
    o.findAbsolutePoint(&x, &y, 2, 1.5f, 0.0f);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 3.5f);
}

TEST(FlatCollision, CirclesAreHitWhenEnteredOrCrossed) {
    Collider c(unitCircle, "unit-circle.json");
    FlatObject o;
    o.init(0, 0, 0, nullptr, nullptr);
    o.setScale(2, 3, 1); // final radius 2
    o.setCollideMesh(&c.mesh);
    EXPECT_TRUE(o.pointThroughCollideMesh(2.5f, 0, 1.9f, 0, 0));  // ends inside
    EXPECT_FALSE(o.pointThroughCollideMesh(1.9f, 0, 2.5f, 0, 0)); // starts inside
    EXPECT_FALSE(o.pointThroughCollideMesh(0, 2, 0, 1, 0));       // starts on the rim
    EXPECT_FALSE(o.pointThroughCollideMesh(0, 0, 5, 5, 0));       // leaves from the centre
    // Passing by on either side: oblique, vertical and horizontal paths.
    EXPECT_TRUE(o.pointThroughCollideMesh(-2.5f, 1.5f, 2.5f, 1.4f, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(-2.5f, 2.5f, 2.5f, 2.4f, 0));
    EXPECT_TRUE(o.pointThroughCollideMesh(1.5f, -3, 1.5f, 3, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(2.5f, -3, 2.5f, 3, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(-2.5f, -3, -2.5f, 3, 0));
    EXPECT_TRUE(o.pointThroughCollideMesh(3, -1, -3, -1, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(3, -2.5f, -3, -2.5f, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(3, 2.5f, -3, 2.5f, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(5, 0, 2, 0, 0)); // stops on the rim
    // The perpendicular's foot beyond the path: no hit.
    EXPECT_FALSE(o.pointThroughCollideMesh(3, 1, 5, 1.5f, 0));
    EXPECT_FALSE(o.centerThroughCollideMesh(o));

    // Off the anchor a circle follows scale, turn and position: (1, 0.5) on
    // the object at (10, 20), scale (2, 3), turned 90 degrees, is at (8.5, 22).
    Collider off(R"({"collider": {"vertices": [], "indices": [],
      "circles": [{"x": 1, "y": 0.5, "radius": 1}]}})",
                 "off-anchor-circle.json");
    o.setCollideMesh(&off.mesh);
    o.x() = 10;
    o.y() = 20;
    EXPECT_TRUE(o.pointThroughCollideMesh(8.5f, 25, 8.5f, 23.9f, 90));
    EXPECT_FALSE(o.pointThroughCollideMesh(8.5f, 25, 8.5f, 24.1f, 90));
}

TEST(FlatCollision, SegmentsAreCrossedButNotTouched) {
    Collider c(segments, "segments.json");
    FlatObject o;
    o.init(0, 0, 0, nullptr, nullptr);
    EXPECT_FALSE(o.pointThroughCollideMesh(0, -1, 0, 1, 0)); // no collider yet
    o.setCollideMesh(&c.mesh);
    EXPECT_TRUE(o.pointThroughCollideMesh(0, -1, 0, 1, 0));        // vertical
    EXPECT_TRUE(o.pointThroughCollideMesh(0.5f, 1, 0.2f, -1, 0));  // oblique
    EXPECT_FALSE(o.pointThroughCollideMesh(2.5f, 5, 2.5f, 1, 0));  // stops short
    EXPECT_FALSE(o.pointThroughCollideMesh(1.5f, -1, 1.5f, 1, 0)); // between the two
    EXPECT_FALSE(o.pointThroughCollideMesh(0, 1, 1, 0, 0));        // ends on an end point
    EXPECT_FALSE(o.pointThroughCollideMesh(1, -1, 1, 1, 0));       // through an end point
    EXPECT_FALSE(o.pointThroughCollideMesh(-5, 0, 5, 0, 0));       // along the segments' line
    EXPECT_FALSE(o.pointThroughCollideMesh(-5, 1, 5, 1, 0));       // parallel

    // Turned a quarter about z, the first segment stands from (0, -1) to (0, 1):
    // a horizontal path now crosses it, the vertical one runs along it.
    EXPECT_TRUE(o.pointThroughCollideMesh(-1, 0.5f, 1, 0.5f, 90));
    EXPECT_FALSE(o.pointThroughCollideMesh(0.5f, -1, 0.5f, 1, 90));
    // A slanted path over the gap between them crosses their line, not them.
    EXPECT_FALSE(o.pointThroughCollideMesh(-1, 1.4f, 1, 1.6f, 90));
    // An oblique segment against vertical and oblique paths: crossing its
    // line beyond either end is no hit.
    Collider oblique(R"({"collider": {"vertices": [{"x": 0, "y": 0}, {"x": 2, "y": 2}],
      "indices": [{"a": 1, "b": 0}]}})",
                     "oblique.json");
    o.setCollideMesh(&oblique.mesh);
    EXPECT_TRUE(o.pointThroughCollideMesh(1, 0, 1, 3, 0));
    EXPECT_TRUE(o.pointThroughCollideMesh(0, 2, 2, 0, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(0, 2, 0.9f, 1.1f, 0)); // ends short of (1, 1)
    EXPECT_FALSE(o.pointThroughCollideMesh(2, 0, 1.1f, 0.9f, 0)); // from the other side
    EXPECT_FALSE(o.pointThroughCollideMesh(3, 0, 3, 3, 0));
    EXPECT_FALSE(o.pointThroughCollideMesh(4, 2, 2, 4, 0));            // beyond (2, 2)
    EXPECT_FALSE(o.pointThroughCollideMesh(-2, 0, 0, -2, 0));          // beyond (0, 0)
    EXPECT_TRUE(o.pointThroughCollideMesh(2.2f, 1.5f, 1.5f, 2.2f, 0)); // near (2, 2)
}

TEST(FlatCollision, PathsMustReachAnUprightEdge) {
    // An upright edge at x = 1, as a car's side; paths from either side end
    // just short of it, on it, or just past it.
    Collider edge(R"({"collider": {"vertices": [{"x": 1, "y": -1}, {"x": 1, "y": 1}],
      "indices": [{"a": 0, "b": 1}]}})",
                  "upright.json");
    FlatObject o;
    o.init(0, 0, 0, nullptr, nullptr);
    o.setCollideMesh(&edge.mesh);
    struct {
        float fromX, fromY, toX, toY;
        bool hit;
    } paths[] = {
        {-1, 0.2f, 0.99f, 0.5f, false}, {-1, 0.2f, 1, 0.5f, false}, {-1, 0.2f, 1.01f, 0.5f, true},
        {3, 0.5f, 1.01f, 0.2f, false},  {3, 0.5f, 1, 0.2f, false},  {3, 0.5f, 0.99f, 0.2f, true},
    };
    for (const auto& p : paths)
        EXPECT_EQ(o.pointThroughCollideMesh(p.fromX, p.fromY, p.toX, p.toY, 0), p.hit)
            << p.fromX << " to " << p.toX;
}

} // namespace
