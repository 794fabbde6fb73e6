#pragma once

#include "MathUtils/Vector3D.h"

// One camera: model-view and projection matrices (column-major float[16]) and
// the six planes of its view frustum. A new World holds identity matrices and
// zero planes. Transforms post-multiply the model-view matrix (mvMat = mvMat x T).
class World {
public:
    // a x + b y + c z + d = 0; after updateFrustum (a, b, c) is a unit normal
    // pointing into the frustum.
    struct Plan {
        float a;
        float b;
        float c;
        float d;
    };

    enum { PLANE_LEFT = 0, PLANE_RIGHT, PLANE_TOP, PLANE_BOTTOM, PLANE_FAR, PLANE_NEAR };

    float mvMat[16];
    float projMat[16];
    Plan plans[6];

    World();

    void loadIdentityModelView();
    void loadIdentityProjection();

    // Writes only elements 0, 5, 10, 11, 14, 15 of projMat; fovY in degrees.
    // zNear == zFar, fovY == 0 or aspect == 0 leave projMat untouched.
    void perspectiveProjection(float fovY, float aspect, float zNear, float zFar);
    // Writes only elements 0, 5, 10, 12, 13, 14 of projMat. The depth offset is
    // zNear / (zNear - zFar), not the textbook one: the flat screens (near -2,
    // far 10) put their sprites at z = 1, which lands at clip depth exactly 0.
    void orthographicProjection(float left, float right, float bottom, float top, float zNear,
                                float zFar);
    // Replaces mvMat; the former content is not read.
    void lookAt(float camX, float camY, float camZ, float centerX, float centerY, float centerZ,
                float upX, float upY, float upZ);

    void translate(float trX, float trY, float trZ);
    // Angles in radians.
    void rotX(float angle);
    void rotY(float angle);
    void rotZ(float angle);
    // Axis used as given, not normalised.
    void rotation(float angle, float rx, float ry, float rz);
    void rotationDegrees(float angle, float rx, float ry, float rz);

    float* getMVMat() { return mvMat; }
    float* getProjMat() { return projMat; }

    // Camera directions in world space, read from the view matrix's rows.
    Vector3D getForward() const;
    Vector3D getUp() const;

    // (a, b, c, d) scaled so that (a, b, c) has unit length.
    Plan extractPlane(float a, float b, float c, float d) const;
    void updateFrustum();
    // A sphere that only touches a plane from outside is outside.
    bool sphereInFrustum(float x, float y, float z, float radius) const;
    // A point on a plane is inside.
    bool PointInFrustum(float x, float y, float z) const;
};
