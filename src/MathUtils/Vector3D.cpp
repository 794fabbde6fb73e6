#include "MathUtils/Vector3D.h"

#include <cmath>

void Vector3D::normalize() {
    float sqrLength = x * x + y * y + z * z;
    if (sqrLength == 0.0f) {
        return;
    }
    float length = sqrtf(sqrLength);
    x /= length;
    y /= length;
    z /= length;
}

void Vector3D::scalarProduct(float scalar) {
    x *= scalar;
    y *= scalar;
    z *= scalar;
}

void Vector3D::add(const Vector3D& vec) {
    x += vec.x;
    y += vec.y;
    z += vec.z;
}

float Vector3D::dotProduct(const Vector3D& a, const Vector3D& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3D Vector3D::crossProduct(const Vector3D& a, const Vector3D& b) {
    return Vector3D(a.y * b.z - b.y * a.z, b.x * a.z - a.x * b.z, a.x * b.y - b.x * a.y);
}

void Vector3D::operator*=(const Vector3D& other) {
    x *= other.x;
    y *= other.y;
    z *= other.z;
}

Vector3D Vector3D::operator+(const Vector3D& other) const {
    return Vector3D(x + other.x, y + other.y, z + other.z);
}

Vector3D Vector3D::operator-(const Vector3D& other) const {
    return Vector3D(x - other.x, y - other.y, z - other.z);
}

Vector3D Vector3D::operator*(const float& scalar) const {
    return Vector3D(x * scalar, y * scalar, z * scalar);
}
