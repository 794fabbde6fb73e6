#include "MathUtils/Quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

static void expectQuat(const Quaternion& q, float x, float y, float z, float w) {
    EXPECT_NEAR(q.x, x, 1e-6f);
    EXPECT_NEAR(q.y, y, 1e-6f);
    EXPECT_NEAR(q.z, z, 1e-6f);
    EXPECT_NEAR(q.w, w, 1e-6f);
}

static void expectVec(const Vector3D& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

static Quaternion turn(float x, float y, float z, float degrees) {
    return Quaternion::getQuaternionFromAxisAndAngle(Vector3D(x, y, z), degrees);
}

static const float halfSqrt2 = 0.70710678f;

TEST(Quaternion, AxisAngleInDegreesKeepsAxisLength) {
    expectQuat(Quaternion(), 0, 0, 0, 1);
    expectQuat(turn(0, 0, 1, 90), 0, 0, halfSqrt2, halfSqrt2);
    expectQuat(turn(0, 0, 2, 90), 0, 0, 2 * halfSqrt2, halfSqrt2);
}

TEST(Quaternion, CompositionOrders) {
    // Hamilton: i (x) j = k, j (x) i = -k.
    Quaternion ij(1, 0, 0, 0);
    ij.multiplyWith(Quaternion(0, 1, 0, 0));
    expectQuat(ij, 0, 0, 1, 0);
    Quaternion ji(0, 1, 0, 0);
    ji.multiplyWith(Vector3D(1, 0, 0));
    expectQuat(ji, 0, 0, -1, 0);

    // grassman(p, q) is q (x) p.
    Quaternion p = turn(1, 0, 0, 90);
    Quaternion q = turn(0, 1, 0, 90);
    Quaternion qp = q;
    qp.multiplyWith(p);
    Quaternion g = Quaternion::grassman(p, q);
    expectQuat(g, qp.x, qp.y, qp.z, qp.w);
    Quaternion pq = p;
    pq.multiplyWith(q);
    EXPECT_GT(fabsf(g.z - pq.z), 0.5f); // the orders really differ here

    // An incremental turn grassman(delta, orientation) applies delta first,
    // in the object's own frame, then the orientation.
    Quaternion orientation = turn(0, 1, 0, 90);
    Quaternion delta = turn(1, 0, 0, 90);
    Quaternion turned = Quaternion::grassman(delta, orientation);
    Vector3D viaComposite(0, 1, 0);
    turned.applyRotation(viaComposite);
    Vector3D stepwise(0, 1, 0);
    delta.applyRotation(stepwise);
    orientation.applyRotation(stepwise);
    expectVec(viaComposite, stepwise.x, stepwise.y, stepwise.z);
    expectVec(viaComposite, 1, 0, 0);
}

TEST(Quaternion, RotatesVectorsAndScalesByLength) {
    Vector3D v(1, 0, 0);
    turn(0, 0, 1, 90).applyRotation(v);
    expectVec(v, 0, 1, 0);

    Quaternion doubled = turn(0, 0, 1, 90);
    doubled = Quaternion(2 * doubled.x, 2 * doubled.y, 2 * doubled.z, 2 * doubled.w);
    Vector3D w(1, 0, 0);
    doubled.applyRotation(w);
    expectVec(w, 0, 2, 0);
}

TEST(Quaternion, AsUnaryGivesNonPositiveScalar) {
    Quaternion q(0.6f, 0, 0, 5);
    q.asUnary();
    EXPECT_FLOAT_EQ(q.w, -0.8f);
    EXPECT_EQ(q.x, 0.6f);
    Quaternion outside(1, 1, 0, 5);
    outside.asUnary();
    EXPECT_EQ(outside.w, 0.0f);
}

TEST(Slerp, ClampsReturnEndpointsUnchanged) {
    Quaternion a(1, 2, 3, 4); // not unit: the clamps copy without normalising
    Quaternion b(5, 6, 7, 8);
    expectQuat(Quaternion::slerp(a, b, 0), 1, 2, 3, 4);
    expectQuat(Quaternion::slerp(a, b, -1), 1, 2, 3, 4);
    expectQuat(Quaternion::slerp(a, b, 1), 5, 6, 7, 8);
    expectQuat(Quaternion::slerp(a, b, 2), 5, 6, 7, 8);
}

TEST(Slerp, SphericalShortWayAndLinearBranches) {
    Quaternion a;
    // A quarter of the way to a quarter turn is a turn of 22.5 degrees, of
    // unit length; half way is an eighth turn.
    Quaternion quarter = Quaternion::slerp(a, turn(0, 0, 1, 90), 0.25f);
    Quaternion expected = turn(0, 0, 1, 22.5f);
    expectQuat(quarter, expected.x, expected.y, expected.z, expected.w);
    Quaternion eighth = turn(0, 0, 1, 45);
    expectQuat(Quaternion::slerp(a, turn(0, 0, 1, 90), 0.5f), eighth.x, eighth.y, eighth.z,
               eighth.w);

    // The same rotation written with the opposite sign: b is negated first.
    Quaternion flipped = turn(0, 0, 1, 90);
    flipped = Quaternion(-flipped.x, -flipped.y, -flipped.z, -flipped.w);
    Quaternion shortWay = Quaternion::slerp(a, flipped, 0.5f);
    expectQuat(shortWay, eighth.x, eighth.y, eighth.z, eighth.w);

    // a . b = -1: b negated becomes a, the blend stays a.
    expectQuat(Quaternion::slerp(a, Quaternion(0, 0, 0, -1), 0.5f), 0, 0, 0, 1);

    // Nearly equal: a plain weighted average, not renormalised.
    Quaternion near(0.01f, 0, 0, 0.99995f);
    Quaternion blend = Quaternion::slerp(a, near, 0.25f);
    EXPECT_FLOAT_EQ(blend.x, 0.0025f);
    EXPECT_FLOAT_EQ(blend.w, 0.9999875f);
}

TEST(FromTo, ShortestArcAndOppositeVectors) {
    Quaternion quarter = Quaternion::fromTo(Vector3D(1, 0, 0), Vector3D(0, 1, 0));
    expectQuat(quarter, 0, 0, halfSqrt2, halfSqrt2);

    const Vector3D starts[] = {Vector3D(1, 0, 0), Vector3D(0, 0, 1), Vector3D(0.6f, 0.8f, 0),
                               Vector3D(0, -1, 0)};
    for (const Vector3D& start : starts) {
        Vector3D end = start * -1.0f;
        Quaternion q = Quaternion::fromTo(start, end);
        // A half turn about a unit axis perpendicular to start.
        EXPECT_EQ(q.w, 0.0f);
        EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z, 1.0f, 1e-6f);
        EXPECT_NEAR(Vector3D::dotProduct(Vector3D(q.x, q.y, q.z), start), 0.0f, 1e-6f);
        Vector3D moved = start;
        q.applyRotation(moved);
        expectVec(moved, end.x, end.y, end.z);
    }
}
