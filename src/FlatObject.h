#pragma once

#include "MathUtils/LineEquation.h"
#include "MathUtils/Vector2D.h"
#include "ObjectApp.h"

class FlatCollideMesh;

// An ObjectApp moving in the x-y plane with a 2-D collider placed by its
// position, scale, anchor and a turn about z (degrees). Answers whether the
// path of a point during a frame enters a collider circle or crosses a
// collider segment. Without a collider nothing is ever hit.
class FlatObject : public ObjectApp {
public:
    FlatObject() = default;
    FlatObject(float x, float y, float z, Object3D* modele, Texture* texture);

    // As ObjectApp::init, and scale (1, 1, 1) and anchor (0, 0, 0).
    void init(float px, float py, float pz, Object3D* pmodele, Texture* ptexture);
    void setCollideMesh(FlatCollideMesh* mesh) { collideMesh = mesh; }
    float getAnchorX() const { return anchor.x; }
    float getAnchorY() const { return anchor.y; }
    // Remembers the position; call at the start of a frame, before moving.
    void prepare();

    // World x, y of a local point with the object turned by yaw degrees (or by
    // the turn whose sine and cosine are given). The outputs may alias inputs.
    void findAbsolutePoint(float* centerX, float* centerY, float pointX, float pointY,
                           float yaw) const;
    void findAbsolutePoint(float* centerX, float* centerY, float pointX, float pointY,
                           float sinAngle, float cosAngle) const;
    // The same about the position remembered by prepare().
    void findPreviousAbsolutePoint(float* centerX, float* centerY, float pointX, float pointY,
                                   float sinAngle, float cosAngle) const;

    // Whether the path from the previous point to the point hits the collider.
    // A path starting inside a circle never hits that circle; touching a
    // segment at an end point or running parallel to it is no crossing.
    bool pointThroughCollideMesh(float previousPointX, float previousPointY, float pointX,
                                 float pointY, float yaw) const;
    bool centerThroughCollideMesh(const FlatObject& flatObject) const;
    // firstPoint has the smaller x; squaredDist is not used.
    bool segmentThroughCircle(const Vector2D& firstPoint, const Vector2D& secondPoint,
                              const LineEquation& le, const Vector2D& center, const float& radius,
                              float squaredDist) const;
    // Both segments with their smaller-x point first; vecs1 and les1 describe
    // segment 1.
    bool segmentsIntersectFromS1(const Vector2D& p1s1, const Vector2D& p2s1, const Vector2D& p1s2,
                                 const Vector2D& p2s2, const Vector2D& vecs1,
                                 const LineEquation& les1) const;

    float previousX = 0.0f;
    float previousY = 0.0f;
    FlatCollideMesh* collideMesh = nullptr;

private:
    void placePoint(float* outX, float* outY, float pointX, float pointY, float sinAngle,
                    float cosAngle, float originX, float originY) const;
};
