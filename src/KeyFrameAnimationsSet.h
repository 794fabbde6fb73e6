#pragma once

#include <rapidjson/document.h>

// Vertex animations of a mesh as key frames (positions, colours and texture
// coordinates of every vertex at given start times), blended linearly between
// the two frames around a time and clamped to the first and last frames.
class KeyFrameAnimationsSet {
public:
    KeyFrameAnimationsSet() = default;
    ~KeyFrameAnimationsSet();
    // Owns its arrays: a copy would free them twice.
    KeyFrameAnimationsSet(const KeyFrameAnimationsSet&) = delete;
    KeyFrameAnimationsSet& operator=(const KeyFrameAnimationsSet&) = delete;

    // An array of {"frames": [{"startTime", "vertices", "uvs", "colors"}...]}.
    // A node that breaks the format leaves the set empty; nothing is
    // reported.
    void loadFromJSONNode(rapidjson::Value& node);
    void calculateFrameMesh(unsigned int animation, float time);
    float* getLastCalculatedFrameVertices() { return mCurrentVertices; }
    float* getLastCalculatedFrameColors() { return mCurrentColors; }
    float* getLastCalculatedFrameTexCoords() { return mCurrentTexCoords; }
    // Start time of the animation's last frame; -1 when it has no frame.
    float getEndTime(unsigned int animation);
    void copyFrameToCurrentFrame(unsigned int numFrame);
    void calculateIntermediateFrame(unsigned int numStartFrame, float time);

    // Frame f holds 3 x mNbVertex position and colour floats and 2 x mNbVertex
    // texture floats; the frames of all animations follow each other.
    float* mVertices = nullptr;
    float* mColors = nullptr;
    float* mTexCoords = nullptr;
    unsigned int mNbFrames = 0;
    float* mFramesStartTime = nullptr;
    unsigned int* mAnimationStartFrames = nullptr;
    unsigned short mNbAnims = 0;
    unsigned int mNbVertex = 0;
    float* mCurrentVertices = nullptr;
    float* mCurrentColors = nullptr;
    float* mCurrentTexCoords = nullptr;

private:
    void clear();
    // Frames first..last of an animation; false when it has none.
    bool frameRange(unsigned int animation, unsigned int& first, unsigned int& last) const;
    bool readFrames(const rapidjson::Value& node);
};
