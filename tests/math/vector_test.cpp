#include "MathUtils/AABB.h"
#include "MathUtils/LineEquation.h"
#include "MathUtils/Vector2D.h"
#include "MathUtils/Vector3D.h"
#include "Transform.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vector3D, CrossProductIsRightHandedAndNormalizeKeepsZero) {
    Vector3D z = Vector3D::crossProduct(Vector3D(1, 0, 0), Vector3D(0, 1, 0));
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_EQ(z.z, 1.0f);
    Vector3D minusX = Vector3D::crossProduct(Vector3D(0, 0, 1), Vector3D(0, 1, 0));
    EXPECT_EQ(minusX.x, -1.0f);

    Vector3D zero;
    zero.normalize();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);

    Vector3D v(3, 0, 4);
    v.normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    Vector3D s(3, 4, 5);
    s.scalarProduct(-2);
    EXPECT_EQ(s.x, -6.0f);
    EXPECT_EQ(s.y, -8.0f);
    EXPECT_EQ(s.z, -10.0f);
}

TEST(Defaults, TransformAndBox) {
    Transform t;
    EXPECT_EQ(t.scale.x, 1.0f);
    EXPECT_EQ(t.scale.y, 1.0f);
    EXPECT_EQ(t.scale.z, 1.0f);
    EXPECT_EQ(t.position.x, 0.0f);
    EXPECT_EQ(t.orientation.w, 1.0f);
    AABB box;
    EXPECT_EQ(box.start.x, 0.0f);
    EXPECT_EQ(box.end.z, 1.0f);
}

TEST(AABB, HalfOpenStrictAtStartInclusiveAtEnd) {
    AABB box;
    EXPECT_TRUE(box.containsPoint(Vector3D(0.5f, 0.5f, 0.5f)));
    EXPECT_TRUE(box.containsPoint(Vector3D(1, 1, 1)));
    EXPECT_FALSE(box.containsPoint(Vector3D(0, 0.5f, 0.5f)));
    EXPECT_FALSE(box.containsPoint(Vector3D(0.5f, 0, 0.5f)));
    EXPECT_FALSE(box.containsPoint(Vector3D(0.5f, 0.5f, 0)));
    EXPECT_FALSE(box.containsPoint(Vector3D(0.5f, 0.5f, 1.0001f)));
    EXPECT_FALSE(box.containsPoint(Vector3D(NAN, 0.5f, 0.5f)));
    EXPECT_FALSE(box.containsPoint(Vector3D(0.5f, 0.5f, NAN)));

    // Neighbours sharing a face: a point on it belongs to exactly one.
    AABB right(Vector3D(1, 0, 0), Vector3D(2, 1, 1));
    Vector3D onFace(1, 0.5f, 0.5f);
    EXPECT_TRUE(box.containsPoint(onFace));
    EXPECT_FALSE(right.containsPoint(onFace));
}

TEST(LineEquation, ThroughPointFootAndCrossing) {
    LineEquation line(0, 0);
    line.getEquationFromVectorAndPoint(Vector2D(2, 1), Vector2D(2, 3));
    EXPECT_FLOAT_EQ(line.getA(), 0.5f);
    EXPECT_FLOAT_EQ(line.getB(), 2.0f);
    EXPECT_FLOAT_EQ(line.getYFromX(4), 4.0f);
    EXPECT_FLOAT_EQ(line.getXFromY(4), 4.0f);

    // y = 2x + 1: the perpendicular through (2, 2), y = -x / 2 + 3, meets it at
    // (0.8, 2.6).
    LineEquation steep(2, 1);
    Vector2D foot = steep.getOrthogonalLineIntersectionFromPoint(Vector2D(2, 2));
    EXPECT_FLOAT_EQ(foot.x, 0.8f);
    EXPECT_FLOAT_EQ(foot.y, 2.6f);

    EXPECT_FLOAT_EQ(steep.getIntersectX(LineEquation(-1, 4)), 1.0f);
}
