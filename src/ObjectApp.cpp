#include "ObjectApp.h"

#include <cmath>

#include "MathUtils/Matrix.h"
#include "Object3D.h"
#include "Texture.h"

ObjectApp::ObjectApp(float x, float y, float z, Object3D* modele, Texture* texture)
    : modele(modele), texture(texture) {
    transform.position = Vector3D(x, y, z);
}

void ObjectApp::init(float px, float py, float pz, Object3D* pmodele, Texture* ptexture) {
    transform.position = Vector3D(px, py, pz);
    modele = pmodele;
    texture = ptexture;
}

void ObjectApp::addTurn(float angle, float ax, float ay, float az) {
    float r = angle * 0.017453292f;
    float s = sinf(r / 2.0f);
    Quaternion delta(ax * s, ay * s, az * s, cosf(r / 2.0f));
    transform.orientation = Quaternion::grassman(delta, transform.orientation);
}

void ObjectApp::addYaw(float yaw) {
    addTurn(yaw, 0, 0, 1);
}

void ObjectApp::addPitch(float pitch) {
    addTurn(pitch, 1, 0, 0);
}

void ObjectApp::addRoll(float roll) {
    addTurn(roll, 0, 1, 0);
}

void ObjectApp::draw(float* worldMVMat, DrawKind kind) {
    float modelMat[16], rotMat[16], mvMat[16];
    identity(modelMat);
    translateMat(transform.position.x, transform.position.y, transform.position.z, modelMat);
    identity(rotMat);
    quaternionToMatrix4x4(transform.orientation, rotMat);
    mulMatSafe(modelMat, rotMat, modelMat);
    scaleTo(transform.scale.x, transform.scale.y, transform.scale.z, modelMat);
    translateMat(-anchor.x, -anchor.y, -anchor.z, modelMat);
    mulMat(worldMVMat, modelMat, mvMat);

    if (kind == ownTexture && texture)
        texture->bind(0);
    if (modele) {
        if (kind == previousTextureAndModel)
            modele->renderWithPreviousModel(modelMat, mvMat);
        else
            modele->render(modelMat, mvMat);
    }
    transform.orientation = Quaternion();
}

void ObjectApp::render(float* worldMVMat) {
    draw(worldMVMat, ownTexture);
}

void ObjectApp::renderWithPreviousTexture(float* worldMVMat) {
    draw(worldMVMat, previousTexture);
}

void ObjectApp::renderWithPreviousTextureAndPreviousModel(float* worldMVMat) {
    draw(worldMVMat, previousTextureAndModel);
}

void ObjectApp::translateMat(float trX, float trY, float trZ, float* mvMat) {
    translatef(mvMat, trX, trY, trZ);
}

// Double-precision cosine and sine of the float angle, stored as floats.
static void axisTurn(float* mvMat, int axis, float angle) {
    postMultiplyAxisTurn(mvMat, axis, float(std::cos(double(angle))),
                         float(std::sin(double(angle))));
}

void ObjectApp::rotX(float angle, float* mvMat) {
    axisTurn(mvMat, 0, angle);
}

void ObjectApp::rotY(float angle, float* mvMat) {
    axisTurn(mvMat, 1, angle);
}

void ObjectApp::rotZ(float angle, float* mvMat) {
    axisTurn(mvMat, 2, angle);
}

void ObjectApp::scaleTo(float x, float y, float z, float* mvMat) {
    float scale[16];
    identity(scale);
    scale[0] = x;
    scale[5] = y;
    scale[10] = z;
    mulMatSafe(mvMat, scale, mvMat);
}

void ObjectApp::rotation(float angle, float rx, float ry, float rz, float* mvMat) {
    postMultiplyRotation(mvMat, angle, rx, ry, rz);
}

void ObjectApp::rotationDegres(float angle, float rx, float ry, float rz, float* mvMat) {
    rotation(angle * 0.017453292f, rx, ry, rz, mvMat);
}
