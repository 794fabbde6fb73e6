#include "Spline3D.h"

static float catmullRom(float p0, float p1, float p2, float p3, float t, float t2) {
    float a = -0.5f * p0 + 1.5f * p1 - 1.5f * p2 + 0.5f * p3;
    float b = p0 - 2.5f * p1 + 2.0f * p2 - 0.5f * p3;
    float c = -0.5f * p0 + 0.5f * p2;
    return a * t * t2 + b * t2 + c * t + p1;
}

Vector3D Spline3D::interpolate(int i, float t) const {
    int n = static_cast<int>(mPointsList.size());
    if (n == 0)
        return Vector3D();
    i = ((i % n) + n) % n;
    const Vector3D& p0 = mPointsList[(i - 2 + 2 * n) % n];
    const Vector3D& p1 = mPointsList[(i - 1 + n) % n];
    const Vector3D& p2 = mPointsList[i];
    const Vector3D& p3 = mPointsList[(i + 1) % n];
    float t2 = t * t;
    return Vector3D(catmullRom(p0.x, p1.x, p2.x, p3.x, t, t2),
                    catmullRom(p0.y, p1.y, p2.y, p3.y, t, t2),
                    catmullRom(p0.z, p1.z, p2.z, p3.z, t, t2));
}
