#pragma once

#include "CamPoint.h"

class World;

// A scripted camera flight: the eye (`cam`), the point looked at (`vue`) and a
// roll track (`up`), read from a camera-path file and played frame by frame.
class Traveller {
public:
    typedef void (Traveller::*UpOp)();
    typedef float (Traveller::*UpSpeedOp)();

    World* monde = nullptr;
    CamPoint cam;
    CamPoint vue;
    CamPoint up;
    float upRoll = 0.0f;
    float oldUpRoll = 0.0f;
    UpOp opsUp[3];
    UpSpeedOp opsUpVit[3];
    float dt = 0.0f;
    // The last horizontal eye-to-target offset, the up hint of a vertical view.
    float xPrec = 0.0f;
    float yPrec = 1.0f;

    Traveller();

    // False, with every track empty, on a missing or short file or a count
    // outside 0..15. The tracks start from their fixed places either way.
    bool init(const char* path);
    void setWorld(World* w) { monde = w; }
    void update(float dt);
    // Sets the world's view; a degenerate view keeps the previous one.
    void placeCamera();
    static void rotateUp(float degrees, Vector3D* axis, Vector3D* v);

    float getCamPosX() const { return cam.p.x; }
    float getCamPosY() const { return cam.p.y; }
    float getCamPosZ() const { return cam.p.z; }

    void resetUp();
    void rotateUp();
    void loopEndUp();
    float resetUpVit();
    float linearUpVit();
    float loopEndUpVit();

private:
    bool read(const char* path);
    void runUp();
    float upSpeed();
};
