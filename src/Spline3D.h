#pragma once

#include <vector>

#include "MathUtils/Vector3D.h"

// A closed Catmull-Rom curve through its points. Segment i runs from point
// i - 1 to point i, so segment 0 is the closing one, from the last point back
// to the first.
class Spline3D {
public:
    void addPoint(const Vector3D& point) { mPointsList.push_back(point); }
    void addPoint(float x, float y, float z) { mPointsList.push_back(Vector3D(x, y, z)); }
    unsigned int getNbPoints() const { return static_cast<unsigned int>(mPointsList.size()); }

    // The point at t in [0, 1] of segment i. A segment number outside 0..n-1
    // wraps around the loop; with no points the result is the origin.
    Vector3D interpolate(int i, float t) const;

    std::vector<Vector3D> mPointsList;
};
