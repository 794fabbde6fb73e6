#include "MathUtils/Quaternion.h"

#include <cmath>

void Quaternion::normalize() {
    float length = sqrtf(x * x + y * y + z * z + w * w);
    x /= length;
    y /= length;
    z /= length;
    w /= length;
}

void Quaternion::asUnary() {
    float r = 1.0f - x * x - y * y - z * z;
    w = r >= 0.0f ? -sqrtf(r) : 0.0f;
}

void Quaternion::multiplyWith(Quaternion right) {
    const Quaternion left = *this;
    x = left.x * right.w + left.w * right.x + left.y * right.z - left.z * right.y;
    y = left.y * right.w + left.w * right.y + left.z * right.x - left.x * right.z;
    z = left.z * right.w + left.w * right.z + left.x * right.y - left.y * right.x;
    w = left.w * right.w - left.x * right.x - left.y * right.y - left.z * right.z;
}

void Quaternion::multiplyWith(Vector3D right) {
    multiplyWith(Quaternion(right.x, right.y, right.z, 0.0f));
}

void Quaternion::applyRotation(Vector3D& position) const {
    Quaternion p = *this;
    Quaternion conjugate(-x, -y, -z, w);
    conjugate.normalize();
    p.multiplyWith(position);
    p.multiplyWith(conjugate);
    position = Vector3D(p.x, p.y, p.z);
}

float Quaternion::dotProductWith(Quaternion right) const {
    return x * right.x + y * right.y + z * right.z + w * right.w;
}

void Quaternion::fromAxisAndAngle(Vector3D axis, float angle) {
    float half = angle * 0.017453292f * 0.5f;
    float s = sinf(half);
    x = s * axis.x;
    y = s * axis.y;
    z = s * axis.z;
    w = cosf(half);
}

Quaternion Quaternion::slerp(Quaternion a, Quaternion b, float t) {
    if (t <= 0.0f) {
        return a;
    }
    if (t >= 1.0f) {
        return b;
    }
    float d = a.dotProductWith(b);
    if (d < 0.0f) {
        // Take the shorter way round.
        b = Quaternion(-b.x, -b.y, -b.z, -b.w);
        d = -d;
    }
    float k0;
    float k1;
    if (d > 0.9999f) {
        k0 = 1.0f - t;
        k1 = t;
    } else {
        float s = sqrtf(1.0f - d * d);
        float theta = atan2f(s, d);
        float inverseS = 1.0f / s;
        k0 = static_cast<float>(sin(static_cast<double>((1.0f - t) * theta)) * inverseS);
        k1 = static_cast<float>(sin(static_cast<double>(t * theta)) * inverseS);
    }
    return Quaternion(a.x * k0 + b.x * k1, a.y * k0 + b.y * k1, a.z * k0 + b.z * k1,
                      a.w * k0 + b.w * k1);
}

Quaternion Quaternion::grassman(const Quaternion& p, const Quaternion& q) {
    Vector3D pv(p.x, p.y, p.z);
    Vector3D qv(q.x, q.y, q.z);
    Vector3D cross = Vector3D::crossProduct(qv, pv);
    return Quaternion(p.w * q.x + q.w * p.x + cross.x, p.w * q.y + q.w * p.y + cross.y,
                      p.w * q.z + q.w * p.z + cross.z, p.w * q.w - Vector3D::dotProduct(pv, qv));
}

Quaternion Quaternion::getQuaternionFromAxisAndAngle(Vector3D axis, float angle) {
    Quaternion q;
    q.fromAxisAndAngle(axis, angle);
    return q;
}

Quaternion Quaternion::fromTo(const Vector3D& start, const Vector3D& end) {
    Vector3D cross = Vector3D::crossProduct(start, end);
    float dot = Vector3D::dotProduct(start, end);
    if (dot < 0.0f && Vector3D::dotProduct(cross, cross) == 0.0f) {
        // Opposite vectors: every perpendicular axis is a shortest arc, and the
        // plain formula would divide zero by zero. Cross start with the basis
        // axis it leans on least.
        float ax = fabsf(start.x);
        float ay = fabsf(start.y);
        float az = fabsf(start.z);
        Vector3D basis(0.0f, 0.0f, 1.0f);
        if (ax <= ay && ax <= az) {
            basis = Vector3D(1.0f, 0.0f, 0.0f);
        } else if (ay <= az) {
            basis = Vector3D(0.0f, 1.0f, 0.0f);
        }
        Vector3D axis = Vector3D::crossProduct(start, basis);
        axis.normalize();
        return Quaternion(axis.x, axis.y, axis.z, 0.0f);
    }
    Quaternion q(cross.x, cross.y, cross.z, dot + 1.0f);
    q.normalize();
    return q;
}
