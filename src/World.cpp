#include "World.h"

#include "MathUtils/Matrix.h"

#include <cmath>

World::World() : plans() {
    identity(mvMat);
    identity(projMat);
}

void World::loadIdentityModelView() {
    identity(mvMat);
}

void World::loadIdentityProjection() {
    identity(projMat);
}

void World::perspectiveProjection(float fovY, float aspect, float zNear, float zFar) {
    float halfAngle = static_cast<float>((fovY / 2.0f) * 0.017453292519943);
    perspectiveProjectionHalfAngle(projMat, halfAngle, aspect, zNear, zFar);
}

void World::orthographicProjection(float left, float right, float bottom, float top, float zNear,
                                   float zFar) {
    projMat[0] = 2.0f / (right - left);
    projMat[5] = 2.0f / (top - bottom);
    projMat[10] = -2.0f / (zFar - zNear);
    projMat[12] = -(right + left) / (right - left);
    projMat[13] = -(top + bottom) / (top - bottom);
    projMat[14] = (1.0f / (zNear - zFar)) * zNear;
}

void World::lookAt(float camX, float camY, float camZ, float centerX, float centerY, float centerZ,
                   float upX, float upY, float upZ) {
    ::lookAt(mvMat, camX, camY, camZ, centerX, centerY, centerZ, upX, upY, upZ);
}

void World::translate(float trX, float trY, float trZ) {
    translatef(mvMat, trX, trY, trZ);
}

void World::rotX(float angle) {
    postMultiplyAxisTurn(mvMat, 0, cosf(angle), sinf(angle));
}

void World::rotY(float angle) {
    postMultiplyAxisTurn(mvMat, 1, cosf(angle), sinf(angle));
}

void World::rotZ(float angle) {
    postMultiplyAxisTurn(mvMat, 2, cosf(angle), sinf(angle));
}

void World::rotation(float angle, float rx, float ry, float rz) {
    postMultiplyRotation(mvMat, angle, rx, ry, rz);
}

void World::rotationDegrees(float angle, float rx, float ry, float rz) {
    rotation(static_cast<float>(angle * 0.017453292519943), rx, ry, rz);
}

Vector3D World::getForward() const {
    return Vector3D(-mvMat[2], -mvMat[6], -mvMat[10]);
}

Vector3D World::getUp() const {
    return Vector3D(mvMat[1], mvMat[5], mvMat[9]);
}

World::Plan World::extractPlane(float a, float b, float c, float d) const {
    float length = sqrtf(a * a + b * b + c * c);
    return Plan{a / length, b / length, c / length, d / length};
}

void World::updateFrustum() {
    float mvp[16];
    mulMat(projMat, mvMat, mvp);
    // row(i) = (mvp[i], mvp[4 + i], mvp[8 + i], mvp[12 + i]); each plane is
    // row 3 plus or minus one of the others.
    auto plane = [&](int row, float sign) {
        return extractPlane(mvp[3] + sign * mvp[row], mvp[7] + sign * mvp[4 + row],
                            mvp[11] + sign * mvp[8 + row], mvp[15] + sign * mvp[12 + row]);
    };
    plans[PLANE_RIGHT] = plane(0, -1.0f);
    plans[PLANE_LEFT] = plane(0, 1.0f);
    plans[PLANE_TOP] = plane(1, -1.0f);
    plans[PLANE_BOTTOM] = plane(1, 1.0f);
    plans[PLANE_FAR] = plane(2, -1.0f);
    plans[PLANE_NEAR] = plane(2, 1.0f);
}

static float distanceTo(const World::Plan& plan, float x, float y, float z) {
    return plan.a * x + plan.b * y + plan.c * z + plan.d;
}

bool World::sphereInFrustum(float x, float y, float z, float radius) const {
    for (const Plan& plan : plans) {
        if (distanceTo(plan, x, y, z) <= -radius) {
            return false;
        }
    }
    return true;
}

bool World::PointInFrustum(float x, float y, float z) const {
    for (const Plan& plan : plans) {
        if (distanceTo(plan, x, y, z) < 0.0f) {
            return false;
        }
    }
    return true;
}
