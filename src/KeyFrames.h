#pragma once

// Key-frame timing shared by the animated meshes and colliders: an animation
// runs over frames first..last of a run, each with a start time.

// Where time falls: false with the frame to copy unchanged (before the first
// frame's start, at or after the last one's, or a NaN time), true with the
// frame to blend from towards the frame after it.
bool findKeyFrame(const float* startTimes, unsigned int first, unsigned int last, float time,
                  unsigned int& frame);

// How far time has gone from frame n's start towards frame n + 1's: 0 to 1.
float keyFrameRatio(const float* startTimes, unsigned int n, float time);

// out[i] = from[i] + (to[i] - from[i]) x ratio for count floats.
void blendKeyFrames(float* out, const float* from, const float* to, unsigned int count,
                    float ratio);
