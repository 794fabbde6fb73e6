#include "Camera.h"

void Camera::travel(const char* path) {
    mTraveller.init(path);
    mTraveller.setWorld(mWorld);
    mIsTravelling = true;
}

void Camera::update(float dt) {
    if (!mIsTravelling)
        return;
    mTraveller.update(dt);
    mTraveller.placeCamera();
    mPosition.p =
        Vector3D(mTraveller.getCamPosX(), mTraveller.getCamPosY(), mTraveller.getCamPosZ());
}
