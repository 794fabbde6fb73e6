#pragma once

#include <utility>
#include <vector>

#include "Sarn2016.h"

// The underwater game's chase camera and refraction cycle as plain functions of
// their inputs, so each lag can be checked without drawing. Angles in degrees.

// The swimmer's heading for a yaw and a pitch.
Vector3D swimmerHeading(float yaw, float pitch);

// Turns oldDirection a tenth of the way towards heading (a gap above 45 degrees
// is first cut to 45) and returns the direction the camera looks this frame.
// A gap of 0.1 degree or less, or one that cannot be measured, gives heading.
Vector3D cameraHeadingLag(Vector3D& oldDirection, const Vector3D& heading);

// Moves oldUp a fifth of the way towards up; the result is a unit vector.
Vector3D cameraUpLag(const Vector3D& oldUp, const Vector3D& up);

// Records this frame's pose at time now, drops the poses the 0.33 s look-back
// no longer needs, and returns where the swimmer was 0.33 s ago (its position
// now while the record is too short).
Vector3D cameraLaggedEye(std::vector<std::pair<float, Sarn2016::SwimmerTransform>>& poses,
                         float now, const Sarn2016::SwimmerTransform& pose);

// The path's camera at its current time; false (nothing written) when no
// waypoint lies ahead, and the chase camera stays.
bool cameraPathPose(const Sarn2016::CameraPath& path, Vector3D& eye, Vector3D& target,
                    Vector3D& up);

// Each of the 32 refraction frames stays for two drawn frames.
const int refractionFrames = 32;
inline int refractionFrame(int refractionIndex) {
    return refractionIndex / 2;
}
inline int nextRefractionIndex(int refractionIndex) {
    return refractionIndex + 1 > 2 * refractionFrames - 1 ? 0 : refractionIndex + 1;
}
