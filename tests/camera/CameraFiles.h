#pragma once

#include "CamPoint.h"
#include "CameraPath.h"
#include "support/TestFiles.h"

#include <string>
#include <vector>

inline std::string writeCameraPathFile(const std::string& name, const CameraPath& path) {
    std::vector<std::uint8_t> bytes = cameraPathBytes(path);
    return writeTestFile("camera/" + name, std::string(bytes.begin(), bytes.end()));
}

// A point with its tables set by hand, started as the file loader starts it.
inline CamPoint makePoint(const Vector3D& start, const CameraPathTrack& track) {
    CamPoint::init();
    CamPoint point;
    point.nb = static_cast<int>(track.moves.size());
    for (int i = 0; i < point.nb; ++i) {
        point.nbOp[i] = track.moves[i].op;
        for (std::size_t c = 0; c < track.moves[i].row.size(); ++c)
            point.mouvs[i][c] = track.moves[i].row[c];
    }
    point.nbVit = static_cast<int>(track.keys.size());
    for (int i = 0; i < point.nbVit; ++i) {
        point.nbOpVit[i] = track.keys[i].op;
        for (std::size_t c = 0; c < track.keys[i].row.size(); ++c)
            point.vit[i][c] = track.keys[i].row[c];
    }
    point.p = point.old = start;
    point.step = 1;
    point.vitStep = 1;
    point.runPrepare();
    return point;
}

// One frame as the traveller runs it.
inline void step(CamPoint& point, float dt) {
    CamPoint::dt = dt;
    point.temps += dt;
    point.frame();
}

// Speed 10 until far in the future.
inline std::vector<CameraPathRecord> steadyKeys(float speed = 10.0f) {
    return {{0, {0, speed}}, {0, {1000, speed}}};
}
