#include "Sarn2015Bend.h"

#include <cmath>

#include "MathUtils/Matrix.h"
#include "MathUtils/Vector3D.h"

PropBend bendProp(float x, float y, float z, float terrainRay, float maxRay, float anchorX,
                  float anchorY, float* modelMat) {
    float d2 = x * x + y * y;
    if (d2 >= maxRay * maxRay)
        return PropBend::skipped;
    if (d2 <= terrainRay * terrainRay)
        return PropBend::flat;
    float d = std::sqrt(d2);
    float ux = x / d, uy = y / d;
    // The rim point, and the rim's tangent there as the roll axis: taken from
    // the unit direction, so a zero radius still gives an axis.
    Vector3D axis = Vector3D::crossProduct(Vector3D(ux, uy, z), Vector3D(ux, uy, -10.0f));
    axis.normalize();
    if (axis.x == 0.0f && axis.y == 0.0f)
        axis = Vector3D(-uy, ux, 0.0f);
    float angle = (d - terrainRay) / 4.0f;
    if (angle > 3.14159f)
        angle = 3.14159f;
    identity(modelMat);
    translatef(modelMat, ux * terrainRay, uy * terrainRay, -4.0f);
    postMultiplyRotation(modelMat, angle, axis.x, axis.y, axis.z);
    translatef(modelMat, 0.0f, 0.0f, z + 4.0f);
    translatef(modelMat, -anchorX, -anchorY, 0.0f);
    return PropBend::bent;
}
