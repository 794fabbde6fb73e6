#pragma once

#include <cstdint>
#include <vector>

class DataOutput;

// The binary camera-path file: records given as op codes and rows; the writer
// picks each record's payload size by its op code and fills in the header.
struct CameraPathRecord {
    int op;
    std::vector<float> row; // padded with zeros or cut to the payload
};

struct CameraPathTrack {
    std::vector<CameraPathRecord> moves;
    std::vector<CameraPathRecord> keys;
};

struct CameraPath {
    CameraPathTrack cam, vue, up;
};

std::vector<std::uint8_t> cameraPathBytes(const CameraPath& path);

// The flight of data/cam/camversion1.
CameraPath shippedCameraPath();
void writeCameraPath(DataOutput& out);
