// The editor's mouse ray and drag maths.
#include <cmath>

#include "MathUtils/Matrix.h"
#include "Sarn2016/Editor.h"

namespace {

// Below this a ray or a plane normal counts as parallel to the plane: the
// division would throw the object out of sight or make it NaN.
const float parallel = 1e-6f;

// The point of the ray at the object's depth; false when the ray is level.
bool pointAtDepth(const Vector3D& c, const Vector3D& r, float depth, Vector3D& p) {
    if (std::fabs(r.z) < parallel)
        return false;
    float k = (depth - c.z) / r.z;
    p = Vector3D(c.x + r.x * k, c.y + r.y * k, c.z + r.z * k);
    return true;
}

void addOffset(Vector3D& p, const Transform& offset) {
    p.x += offset.position.x;
    p.y += offset.position.y;
    p.z += offset.position.z;
}

} // namespace

bool editorMouseRay(const World& world, float mx, float my, float screenWidth, float screenHeight,
                    bool zDrag, Vector3D& ray, Vector3D& viewRay) {
    if (screenWidth <= 0.0f || screenHeight <= 0.0f)
        return false;
    float x = 2.0f * mx / screenWidth - 1.0f;
    float y = 1.0f - 2.0f * (screenHeight - my) / screenHeight;
    float z = -1.0f;
    float inverted[16];
    inverse(inverted, world.projMat);
    mulVectorMatrix(&x, &y, &z, inverted);
    if (zDrag)
        x = 0.0f;
    viewRay = Vector3D(x, y, z);
    float w = 0.0f;
    z = -1.0f;
    inverse(inverted, world.mvMat);
    mulVector4Matrix(x, y, z, w, inverted);
    float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f)
        ray = Vector3D(x / length, y / length, z / length);
    else
        ray = Vector3D(0.0f, 0.0f, 0.0f);
    return true;
}

void dragAnywhere(Vector3D& c, Sarn2016::Sarn2016Displayable* object, Vector3D& r, World&,
                  const Transform& offset) {
    Vector3D p;
    if (!pointAtDepth(c, r, object->position().z, p))
        return;
    addOffset(p, offset);
    object->position() = p;
}

void dragY(Vector3D& c, Sarn2016::Sarn2016Displayable* object, Vector3D& r, World&,
           const Transform& offset) {
    Vector3D p;
    if (!pointAtDepth(c, r, object->position().z, p))
        return;
    object->position().y = p.y;
    addOffset(object->position(), offset);
}

void dragX(Vector3D& c, Sarn2016::Sarn2016Displayable* object, Vector3D& r, World&,
           const Transform& offset) {
    Vector3D p;
    if (!pointAtDepth(c, r, object->position().z, p))
        return;
    object->position().x = p.x;
    addOffset(object->position(), offset);
}

// The depth at which the plane through the camera, holding the camera's side
// vector and the ray, meets the object's vertical line.
void dragZ(Vector3D& c, Sarn2016::Sarn2016Displayable* object, Vector3D& r, World& world,
           const Transform& offset) {
    Vector3D f = world.getForward();
    Vector3D u = world.getUp();
    Vector3D s = f;
    Quaternion::getQuaternionFromAxisAndAngle(u, -90.0f).applyRotation(s);
    Vector3D n = r;
    Quaternion::getQuaternionFromAxisAndAngle(s, 90.0f).applyRotation(n);
    if (std::fabs(n.z) < parallel)
        return;
    float d = -(n.x * c.x + n.y * c.y + n.z * c.z);
    Vector3D& p = object->position();
    p.z = (n.x * p.x + d + n.y * p.y) / -n.z;
    addOffset(p, offset);
}
