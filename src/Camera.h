#pragma once

#include "Traveller.h"

// A thin holder of a Traveller that also keeps the eye position.
class Camera {
public:
    Traveller mTraveller;
    bool mIsTravelling = false;
    World* mWorld = nullptr;
    CamPoint mPosition;

    void setWorld(World* w) { mWorld = w; }
    // Hands over the world set at this moment.
    void travel(const char* path);
    void update(float dt);

    float getPositionX() const { return mPosition.p.x; }
    float getPositionY() const { return mPosition.p.y; }
    float getPositionZ() const { return mPosition.p.z; }
};
