#include "KeyFrames.h"

bool findKeyFrame(const float* startTimes, unsigned int first, unsigned int last, float time,
                  unsigned int& frame) {
    if (time <= 0.0f) {
        frame = first;
        return false;
    }
    if (time >= startTimes[last]) {
        frame = last;
        return false;
    }
    // Stops at last at the latest, since time < startTimes[last].
    unsigned int f = first;
    while (f < last && time > startTimes[f])
        ++f;
    // A first frame starting after time (or a NaN time) has nothing before it.
    if (f == first) {
        frame = first;
        return false;
    }
    frame = f - 1;
    return true;
}

float keyFrameRatio(const float* startTimes, unsigned int n, float time) {
    return (time - startTimes[n]) / (startTimes[n + 1] - startTimes[n]);
}

void blendKeyFrames(float* out, const float* from, const float* to, unsigned int count,
                    float ratio) {
    for (unsigned int i = 0; i < count; ++i)
        out[i] = from[i] + (to[i] - from[i]) * ratio;
}
