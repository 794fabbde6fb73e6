#pragma once

#include "MathUtils/Vector3D.h"

// Orientation as (x, y, z) vector part and w scalar part; default identity.
//
// Composition orders differ and callers rely on both:
//   a.multiplyWith(b)   a becomes a (x) b   (Hamilton product, b on the right)
//   grassman(p, q)      returns q (x) p
// so orientation = grassman(delta, orientation) turns by delta in the local frame.
class Quaternion {
public:
    float x;
    float y;
    float z;
    float w;

    Quaternion() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    // No zero test: a zero quaternion becomes NaN.
    void normalize();
    // Rebuilds w from a unit vector part; w comes out negative or zero.
    void asUnary();
    void multiplyWith(Quaternion right);
    // this (x) (right, 0)
    void multiplyWith(Vector3D right);
    // Only the conjugate is normalised: a quaternion of length L scales by L.
    void applyRotation(Vector3D& position) const;
    float dotProductWith(Quaternion right) const;
    // angle in degrees; the axis is used as given, not normalised.
    void fromAxisAndAngle(Vector3D axis, float angle);

    // t <= 0 gives a, t >= 1 gives b; nearly equal inputs are blended linearly
    // without normalising.
    static Quaternion slerp(Quaternion a, Quaternion b, float t);
    static Quaternion grassman(const Quaternion& p, const Quaternion& q);
    static Quaternion getQuaternionFromAxisAndAngle(Vector3D axis, float angle);
    // Shortest-arc turn from start to end (unit vectors). Opposite vectors give
    // a half turn about an axis perpendicular to start.
    static Quaternion fromTo(const Vector3D& start, const Vector3D& end);
};
