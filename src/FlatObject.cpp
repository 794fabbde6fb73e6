#include "FlatObject.h"

#include <cmath>

#include "FlatCollideMesh.h"

namespace {

const float epsilon = 1e-7f;

bool strictlyBetween(float value, float a, float b) {
    return (a < value && value < b) || (b < value && value < a);
}

} // namespace

FlatObject::FlatObject(float x, float y, float z, Object3D* modele, Texture* texture)
    : ObjectApp(x, y, z, modele, texture) {}

void FlatObject::init(float px, float py, float pz, Object3D* pmodele, Texture* ptexture) {
    ObjectApp::init(px, py, pz, pmodele, ptexture);
    setScale(1.0f, 1.0f, 1.0f);
    setAnchor(0.0f, 0.0f, 0.0f);
}

void FlatObject::prepare() {
    previousX = transform.position.x;
    previousY = transform.position.y;
}

void FlatObject::placePoint(float* outX, float* outY, float pointX, float pointY, float sinAngle,
                            float cosAngle, float originX, float originY) const {
    if (std::fabs(anchor.x - pointX) < epsilon && std::fabs(anchor.y - pointY) < epsilon) {
        *outX = originX;
        *outY = originY;
        return;
    }
    const Vector3D& scale = transform.scale;
    float vecX = scale.x * pointX - anchor.x * scale.x;
    float vecY = scale.y * pointY - anchor.y * scale.y;
    *outX = vecX * cosAngle - vecY * sinAngle + originX;
    *outY = vecX * sinAngle + vecY * cosAngle + originY;
}

void FlatObject::findAbsolutePoint(float* centerX, float* centerY, float pointX, float pointY,
                                   float yaw) const {
    float r = yaw * 0.017453292f;
    placePoint(centerX, centerY, pointX, pointY, sinf(r), cosf(r), transform.position.x,
               transform.position.y);
}

void FlatObject::findAbsolutePoint(float* centerX, float* centerY, float pointX, float pointY,
                                   float sinAngle, float cosAngle) const {
    placePoint(centerX, centerY, pointX, pointY, sinAngle, cosAngle, transform.position.x,
               transform.position.y);
}

void FlatObject::findPreviousAbsolutePoint(float* centerX, float* centerY, float pointX,
                                           float pointY, float sinAngle, float cosAngle) const {
    placePoint(centerX, centerY, pointX, pointY, sinAngle, cosAngle, previousX, previousY);
}

bool FlatObject::pointThroughCollideMesh(float previousPointX, float previousPointY, float pointX,
                                         float pointY, float yaw) const {
    if (!collideMesh)
        return false;
    float r = yaw * 0.017453292f;
    float s = sinf(r), c = cosf(r);
    Vector2D firstPoint(previousPointX, previousPointY), secondPoint(pointX, pointY);
    if (pointX < previousPointX) {
        firstPoint = secondPoint;
        secondPoint = Vector2D(previousPointX, previousPointY);
    }
    Vector2D vec(secondPoint.x - firstPoint.x, secondPoint.y - firstPoint.y);
    LineEquation le(0.0f, 0.0f);
    if (vec.x != 0.0f)
        le.getEquationFromVectorAndPoint(vec, secondPoint);

    const Vector3D& scale = transform.scale;
    float radiusScale = scale.x < scale.y ? scale.x : scale.y;
    for (unsigned int i = 0; i < collideMesh->mNbCircles; ++i) {
        Vector2D center;
        findAbsolutePoint(&center.x, &center.y, collideMesh->mCirclesCenterX[i],
                          collideMesh->mCirclesCenterY[i], s, c);
        float finalRadius = collideMesh->mCirclesRadius[i] * radiusScale;
        float squaredRadius = finalRadius * finalRadius;
        // Measured from the given previous point: a path that starts inside
        // (or on) the circle never hits it.
        if (Vector2D::sqrDist(Vector2D(previousPointX, previousPointY), center) <= squaredRadius)
            continue;
        float endDist = Vector2D::sqrDist(Vector2D(pointX, pointY), center);
        if (endDist < squaredRadius)
            return true;
        if (segmentThroughCircle(firstPoint, secondPoint, le, center, finalRadius, endDist))
            return true;
    }
    for (unsigned int i = 0; i < collideMesh->mNbSegments; ++i) {
        Vector2D p1, p2;
        collideMesh->getPoint(&p1.x, &p1.y, &p2.x, &p2.y, i);
        findAbsolutePoint(&p1.x, &p1.y, p1.x, p1.y, s, c);
        findAbsolutePoint(&p2.x, &p2.y, p2.x, p2.y, s, c);
        if (p2.x < p1.x) {
            Vector2D t = p1;
            p1 = p2;
            p2 = t;
        }
        if (segmentsIntersectFromS1(firstPoint, secondPoint, p1, p2, vec, le))
            return true;
    }
    return false;
}

bool FlatObject::centerThroughCollideMesh(const FlatObject&) const {
    return false;
}

bool FlatObject::segmentThroughCircle(const Vector2D& firstPoint, const Vector2D& secondPoint,
                                      const LineEquation& le, const Vector2D& center,
                                      const float& radius, float) const {
    if (secondPoint.x - firstPoint.x < epsilon) // vertical
        return center.x - radius < firstPoint.x && secondPoint.x < center.x + radius &&
               strictlyBetween(center.y, firstPoint.y, secondPoint.y);
    if (std::fabs(secondPoint.y - firstPoint.y) < epsilon) // horizontal
        return center.y - radius < firstPoint.y && secondPoint.y < center.y + radius &&
               firstPoint.x < center.x && center.x < secondPoint.x;
    Vector2D prim = le.getOrthogonalLineIntersectionFromPoint(center);
    float dx = center.x - prim.x, dy = center.y - prim.y;
    return firstPoint.x < prim.x && prim.x < secondPoint.x &&
           strictlyBetween(prim.y, firstPoint.y, secondPoint.y) &&
           dx * dx + dy * dy < radius * radius;
}

bool FlatObject::segmentsIntersectFromS1(const Vector2D& p1s1, const Vector2D& p2s1,
                                         const Vector2D& p1s2, const Vector2D& p2s2,
                                         const Vector2D& vecs1, const LineEquation& les1) const {
    Vector2D vecs2(p2s2.x - p1s2.x, p2s2.y - p1s2.y);
    if (std::fabs(vecs2.x) < epsilon) {
        if (std::fabs(vecs1.x) < epsilon)
            return false; // parallel vertical segments never cross
        return p1s1.x < p1s2.x && p2s2.x < p2s1.x &&
               strictlyBetween(les1.getYFromX(p1s2.x), p1s2.y, p2s2.y);
    }
    LineEquation les2(0.0f, 0.0f);
    les2.getEquationFromVectorAndPoint(vecs2, p2s2);
    if (std::fabs(vecs1.x) < epsilon)
        return p1s2.x < p1s1.x && p1s1.x < p2s2.x &&
               strictlyBetween(les2.getYFromX(p1s1.x), p1s1.y, p2s1.y);
    // Parallel lines give an infinite or undefined x, and so no crossing.
    float x = les1.getIntersectX(les2);
    return p1s1.x < x && x < p2s1.x && p1s2.x < x && x < p2s2.x;
}
