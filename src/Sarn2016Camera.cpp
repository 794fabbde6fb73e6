#include "Sarn2016Camera.h"

#include <cmath>
#include <iostream>

#include "MathUtils/Quaternion.h"

static const float degrees = 0.017453292f;

Vector3D swimmerHeading(float yaw, float pitch) {
    float y = yaw * degrees, p = pitch * degrees;
    return Vector3D(std::sin(y) * std::cos(p), -std::cos(y) * std::cos(p), -std::sin(p));
}

// oldVector turned about axis by angle degrees; the axis is made a unit vector
// so that the turn does not also scale.
static Vector3D turned(Vector3D oldVector, Vector3D axis, float angle) {
    axis.normalize();
    Quaternion q;
    q.fromAxisAndAngle(axis, angle);
    q.applyRotation(oldVector);
    return oldVector;
}

static float angleBetween(const Vector3D& a, const Vector3D& b) {
    return std::acos(Vector3D::dotProduct(a, b)) / degrees;
}

Vector3D cameraHeadingLag(Vector3D& oldDirection, const Vector3D& heading) {
    if (heading.x == oldDirection.x && heading.y == oldDirection.y && heading.z == oldDirection.z) {
        std::cout << "chelou" << std::endl;
        return heading;
    }
    Vector3D axis = Vector3D::crossProduct(oldDirection, heading);
    float a = angleBetween(heading, oldDirection);
    if (std::isnan(a)) {
        std::cout << "chelou2" << std::endl;
    }
    if (!(a > 0.1f)) {
        return heading;
    }
    float step = a <= 45.0f ? a / 10.0f : (a - 45.0f) + a / 10.0f;
    oldDirection = turned(oldDirection, axis, step);
    return oldDirection;
}

Vector3D cameraUpLag(const Vector3D& oldUp, const Vector3D& up) {
    Vector3D axis = Vector3D::crossProduct(up, oldUp);
    float b = angleBetween(oldUp, up);
    if (!(b > 0.1f)) {
        return up;
    }
    float step = b <= 45.0f ? -(b / 5.0f) : -((b - 45.0f) + b / 5.0f);
    Vector3D lagged = turned(oldUp, axis, step);
    lagged.normalize();
    return lagged;
}

Vector3D cameraLaggedEye(std::vector<std::pair<float, Sarn2016::SwimmerTransform>>& poses,
                         float now, const Sarn2016::SwimmerTransform& pose) {
    const float lag = 0.33f;
    poses.emplace_back(now, pose);
    Vector3D eye = pose.position;
    if (poses.size() > 1) {
        float newest = poses.back().first;
        while (poses.size() > 2 && newest - poses[1].first > lag) {
            poses.erase(poses.begin());
        }
        float first = poses[0].first, second = poses[1].first;
        if (newest - first > lag) {
            const Vector3D& a = poses[0].second.position;
            const Vector3D& b = poses[1].second.position;
            eye = a + (b - a) * ((newest - first - lag) / (second - first));
        }
    }
    return eye;
}

bool cameraPathPose(const Sarn2016::CameraPath& path, Vector3D& eye, Vector3D& target,
                    Vector3D& up) {
    float r = path.timeFromStart / path.duration;
    const std::vector<Sarn2016::CameraWaypoint>& w = path.waypoints;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (!(w[i].timeRatio > r)) {
            continue;
        }
        if (i == 0) {
            eye = w[0].eye;
            target = w[0].target;
            up = w[0].up;
        } else {
            const Sarn2016::CameraWaypoint& a = w[i - 1];
            float s = (r - a.timeRatio) / (w[i].timeRatio - a.timeRatio);
            eye = a.eye + (w[i].eye - a.eye) * s;
            target = a.target + (w[i].target - a.target) * s;
            up = a.up + (w[i].up - a.up) * s;
        }
        return true;
    }
    return false;
}
