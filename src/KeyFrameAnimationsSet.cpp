#include "KeyFrameAnimationsSet.h"

#include <cstring>

#include "DataFile.h"
#include "KeyFrames.h"

namespace {

// Nothing is reported: a node the set cannot hold leaves it
// empty, quietly.
bool refuse(const char*) {
    return false;
}

const char* const xyz[] = {"x", "y", "z"};
const char* const uv[] = {"u", "v"};
const char* const rgb[] = {"r", "g", "b"};

} // namespace

KeyFrameAnimationsSet::~KeyFrameAnimationsSet() {
    clear();
}

void KeyFrameAnimationsSet::clear() {
    delete[] mVertices;
    delete[] mColors;
    delete[] mTexCoords;
    delete[] mFramesStartTime;
    delete[] mAnimationStartFrames;
    delete[] mCurrentVertices;
    delete[] mCurrentColors;
    delete[] mCurrentTexCoords;
    mVertices = mColors = mTexCoords = mFramesStartTime = nullptr;
    mCurrentVertices = mCurrentColors = mCurrentTexCoords = nullptr;
    mAnimationStartFrames = nullptr;
    mNbFrames = 0;
    mNbAnims = 0;
    mNbVertex = 0;
}

void KeyFrameAnimationsSet::loadFromJSONNode(rapidjson::Value& node) {
    clear();
    if (!readFrames(node))
        clear();
}

bool KeyFrameAnimationsSet::readFrames(const rapidjson::Value& node) {
    if (!node.IsArray())
        return false; // legal: the set stays empty
    if (node.Size() > 65535)
        return refuse("more than 65535 animations");

    // First pass: counts only, so that every array is sized by what the node
    // really holds and every frame matches the set's vertex count.
    unsigned int nbFrames = 0;
    bool haveCount = false;
    unsigned int nbVertex = 0;
    for (const rapidjson::Value& anim : node.GetArray()) {
        const rapidjson::Value* frames = getArray(anim, "frames");
        if (!frames)
            continue; // an animation without frames plays nothing
        for (const rapidjson::Value& frame : frames->GetArray()) {
            const rapidjson::Value* vertices = getArray(frame, "vertices");
            const rapidjson::Value* uvs = getArray(frame, "uvs");
            const rapidjson::Value* colors = getArray(frame, "colors");
            if (!vertices || !uvs || !colors)
                return refuse("frame without vertices, uvs or colors");
            if (!haveCount) {
                nbVertex = vertices->Size();
                haveCount = true;
            }
            if (vertices->Size() != nbVertex || uvs->Size() != nbVertex ||
                colors->Size() != nbVertex)
                return refuse("frames with different vertex, uv or colour counts");
            ++nbFrames;
        }
    }

    mNbAnims = static_cast<unsigned short>(node.Size());
    mNbFrames = nbFrames;
    mNbVertex = nbVertex;
    mAnimationStartFrames = new unsigned int[mNbAnims];
    mFramesStartTime = new float[nbFrames];
    mVertices = new float[std::size_t(nbFrames) * nbVertex * 3];
    mColors = new float[std::size_t(nbFrames) * nbVertex * 3];
    mTexCoords = new float[std::size_t(nbFrames) * nbVertex * 2];
    mCurrentVertices = new float[std::size_t(nbVertex) * 3]();
    mCurrentColors = new float[std::size_t(nbVertex) * 3]();
    mCurrentTexCoords = new float[std::size_t(nbVertex) * 2]();

    unsigned int f = 0;
    for (rapidjson::SizeType a = 0; a < node.Size(); ++a) {
        mAnimationStartFrames[a] = f;
        const rapidjson::Value* frames = getArray(node[a], "frames");
        if (!frames)
            continue;
        for (const rapidjson::Value& frame : frames->GetArray()) {
            std::size_t v3 = std::size_t(f) * nbVertex * 3;
            if (!getFloat(frame, "startTime", mFramesStartTime[f]) ||
                !getFloatFields(*getArray(frame, "vertices"), xyz, 3, mVertices + v3) ||
                !getFloatFields(*getArray(frame, "uvs"), uv, 2,
                                mTexCoords + std::size_t(f) * nbVertex * 2) ||
                !getFloatFields(*getArray(frame, "colors"), rgb, 3, mColors + v3))
                return refuse("frame value missing or not a number");
            ++f;
        }
    }
    return true;
}

bool KeyFrameAnimationsSet::frameRange(unsigned int animation, unsigned int& first,
                                       unsigned int& last) const {
    if (animation >= mNbAnims)
        return false;
    first = mAnimationStartFrames[animation];
    unsigned int end = animation + 1 < mNbAnims ? mAnimationStartFrames[animation + 1] : mNbFrames;
    if (end <= first)
        return false;
    last = end - 1;
    return true;
}

void KeyFrameAnimationsSet::calculateFrameMesh(unsigned int animation, float time) {
    unsigned int first, last, frame;
    if (!frameRange(animation, first, last))
        return;
    if (findKeyFrame(mFramesStartTime, first, last, time, frame))
        calculateIntermediateFrame(frame, time);
    else
        copyFrameToCurrentFrame(frame);
}

float KeyFrameAnimationsSet::getEndTime(unsigned int animation) {
    unsigned int first, last;
    if (!frameRange(animation, first, last))
        return -1.0f;
    return mFramesStartTime[last];
}

void KeyFrameAnimationsSet::copyFrameToCurrentFrame(unsigned int numFrame) {
    if (numFrame >= mNbFrames)
        return;
    std::size_t n3 = std::size_t(mNbVertex) * 3, n2 = std::size_t(mNbVertex) * 2;
    std::memcpy(mCurrentVertices, mVertices + numFrame * n3, n3 * sizeof(float));
    std::memcpy(mCurrentColors, mColors + numFrame * n3, n3 * sizeof(float));
    std::memcpy(mCurrentTexCoords, mTexCoords + numFrame * n2, n2 * sizeof(float));
}

void KeyFrameAnimationsSet::calculateIntermediateFrame(unsigned int numStartFrame, float time) {
    if (mNbFrames == 0 || numStartFrame >= mNbFrames - 1)
        return;
    unsigned int n = numStartFrame;
    float ratio = keyFrameRatio(mFramesStartTime, n, time);
    unsigned int n3 = mNbVertex * 3, n2 = mNbVertex * 2;
    blendKeyFrames(mCurrentVertices, mVertices + n * n3, mVertices + (n + 1) * n3, n3, ratio);
    blendKeyFrames(mCurrentColors, mColors + n * n3, mColors + (n + 1) * n3, n3, ratio);
    blendKeyFrames(mCurrentTexCoords, mTexCoords + n * n2, mTexCoords + (n + 1) * n2, n2, ratio);
}
