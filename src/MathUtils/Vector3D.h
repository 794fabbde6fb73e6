#pragma once

class Vector3D {
public:
    float x;
    float y;
    float z;

    Vector3D() : x(0.0f), y(0.0f), z(0.0f) {}
    Vector3D(float x, float y, float z) : x(x), y(y), z(z) {}

    // A zero vector stays zero.
    void normalize();
    void scalarProduct(float scalar);
    void add(const Vector3D& vec);

    static float dotProduct(const Vector3D& a, const Vector3D& b);
    // a x b
    static Vector3D crossProduct(const Vector3D& a, const Vector3D& b);

    void operator+=(const Vector3D& other) { add(other); }
    // Component-wise product.
    void operator*=(const Vector3D& other);
    Vector3D operator+(const Vector3D& other) const;
    Vector3D operator-(const Vector3D& other) const;
    Vector3D operator*(const float& scalar) const;
};
