#include "CameraPath.h"

#include "DataOutput.h"

#include <cstring>

namespace {

int movePayload(int op) {
    if (op == 0 || op == 1 || op == 3)
        return 3;
    if (op == 2)
        return 7;
    return op == 4 ? 2 : 0;
}

void putWord(std::vector<std::uint8_t>& out, std::uint32_t w) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
}

void putInt(std::vector<std::uint8_t>& out, int value) {
    std::uint32_t w;
    std::memcpy(&w, &value, 4);
    putWord(out, w);
}

void putRecord(std::vector<std::uint8_t>& out, const CameraPathRecord& record, int payload) {
    putInt(out, record.op);
    for (int i = 0; i < payload; ++i) {
        float value = i < static_cast<int>(record.row.size()) ? record.row[i] : 0.0f;
        std::uint32_t w;
        std::memcpy(&w, &value, 4);
        putWord(out, w);
    }
}

int recordsSize(const std::vector<CameraPathRecord>& records, int (*payload)(int)) {
    int size = 0;
    for (const CameraPathRecord& record : records)
        size += 4 + 4 * payload(record.op);
    return size;
}

int keyPayload(int op) {
    return op == 4 ? 4 : 2;
}

int upPayload(int) {
    return 2;
}

} // namespace

std::vector<std::uint8_t> cameraPathBytes(const CameraPath& path) {
    const CameraPathTrack* tracks[3] = {&path.cam, &path.vue, &path.up};
    int (*movePayloads[3])(int) = {movePayload, movePayload, upPayload};
    int (*keyPayloads[3])(int) = {keyPayload, keyPayload, upPayload};
    std::vector<std::uint8_t> out;
    for (const CameraPathTrack* track : tracks)
        putInt(out, static_cast<int>(track->moves.size()));
    for (const CameraPathTrack* track : tracks)
        putInt(out, static_cast<int>(track->keys.size()));
    int offset = 12 * 4;
    int moveOffsets[3], keyOffsets[3];
    for (int i = 0; i < 3; ++i) {
        moveOffsets[i] = offset;
        offset += recordsSize(tracks[i]->moves, movePayloads[i]);
    }
    for (int i = 0; i < 3; ++i) {
        keyOffsets[i] = offset;
        offset += recordsSize(tracks[i]->keys, keyPayloads[i]);
    }
    for (int value : moveOffsets)
        putInt(out, value);
    for (int value : keyOffsets)
        putInt(out, value);
    for (int i = 0; i < 3; ++i) {
        for (const CameraPathRecord& record : tracks[i]->moves)
            putRecord(out, record, movePayloads[i](record.op));
    }
    for (int i = 0; i < 3; ++i) {
        for (const CameraPathRecord& record : tracks[i]->keys)
            putRecord(out, record, keyPayloads[i](record.op));
    }
    return out;
}

// The eye circles the target at a distance and somewhat above it, so the view
// is never vertical; move 0 and key 0 of each track are loop targets and
// early neighbours only. Speed loops land on the key whose time they set the
// clock to, so the driver's step past the target continues smoothly. Its
// speeds stay positive and each cubic has a loaded move after it, so the
// flight never runs back along a move nor bends towards an unloaded row.
CameraPath shippedCameraPath() {
    CameraPath path;
    path.cam.moves = {
        {0, {6, 6, 0}},  {1, {10, 0, 4}}, {3, {0, -10, 6}}, {2, {0, 0, 6, 150, 0, 0, 1}},
        {1, {-8, 6, 3}}, {3, {6, 6, 2}},  {4, {1, -1}},
    };
    path.cam.keys = {
        {0, {0, 2}}, {1, {2, 4}}, {2, {5, 3}}, {3, {8, 5}}, {0, {12, 5}}, {4, {14, 1, 2, -1}},
    };
    path.vue.moves = {
        {0, {0, 0, -4}}, {1, {1, 0, -1}}, {2, {0, 0, -1, -360, 0, 0, 2}},
        {1, {0, 1, -2}}, {4, {1, 2}},     {1, {0, 0, -1}},
        {4, {1, -1}},
    };
    path.vue.keys = {
        {0, {0, 1}},
        {2, {4, 2}},
        {1, {9, 1.5f}},
        {4, {12, 1, 4, -1}},
    };
    path.up.moves = {
        {0, {1, 0}}, {1, {1, 20}}, {1, {1, -20}}, {0, {1, 0}}, {2, {1, -1}},
    };
    path.up.keys = {
        {0, {0, 5}},
        {1, {30, 10}},
        {0, {100000, 10}},
    };
    return path;
}

void writeCameraPath(DataOutput& out) {
    out.binary("data/cam/camversion1", cameraPathBytes(shippedCameraPath()));
}
