#include "FlatCollideMesh.h"

#include <vector>

#include "DataFile.h"
#include "KeyFrames.h"

namespace {

float* copyOrNull(const std::vector<float>& values) {
    if (values.empty())
        return nullptr;
    float* out = new float[values.size()];
    for (std::size_t i = 0; i < values.size(); ++i)
        out[i] = values[i];
    return out;
}

} // namespace

FlatCollideMesh::~FlatCollideMesh() {
    clear();
}

void FlatCollideMesh::clear() {
    delete[] mCirclesCenterX;
    delete[] mCirclesCenterY;
    delete[] mCirclesRadius;
    delete[] mVertexX;
    delete[] mVertexY;
    delete[] mIndices;
    delete animation;
    mCirclesCenterX = mCirclesCenterY = mCirclesRadius = mVertexX = mVertexY = nullptr;
    mIndices = nullptr;
    animation = nullptr;
    mNbCircles = mNbSegments = mNbPoints = 0;
}

bool FlatCollideMesh::load(const std::string& fileName) {
    if (fileName.find(".json", 1) != std::string::npos)
        return loadJSON(fileName);
    return loadBIN(fileName);
}

bool FlatCollideMesh::loadBIN(const std::string&) {
    return true;
}

bool FlatCollideMesh::loadJSON(const std::string& fileName) {
    clear();
    rapidjson::Document doc;
    if (!parseJsonFile(fileName, doc))
        return false;
    if (!doc.IsObject())
        return dataFileError(fileName, "root is not an object");
    if (!hasMember(doc, "collider"))
        return true;
    const rapidjson::Value& collider = doc["collider"];
    const rapidjson::Value* vertices = getArray(collider, "vertices");
    const rapidjson::Value* indices = getArray(collider, "indices");
    if (!vertices || !indices)
        return dataFileError(fileName, "collider without vertices or indices");

    std::vector<float> vx, vy, cx, cy, cr;
    std::vector<unsigned int> segments;
    for (const rapidjson::Value& v : vertices->GetArray()) {
        float x, y;
        if (!getFloat(v, "x", x) || !getFloat(v, "y", y))
            return dataFileError(fileName, "collider vertex without numbers x, y");
        vx.push_back(x);
        vy.push_back(y);
    }
    for (const rapidjson::Value& s : indices->GetArray()) {
        unsigned int a, b;
        if (!getIndex(s, "a", vertices->Size(), a) || !getIndex(s, "b", vertices->Size(), b))
            return dataFileError(fileName, "collider segment index missing or out of range");
        segments.push_back(a);
        segments.push_back(b);
    }
    if (hasMember(collider, "circles")) {
        const rapidjson::Value* circles = getArray(collider, "circles");
        if (!circles)
            return dataFileError(fileName, "collider circles is not an array");
        for (const rapidjson::Value& c : circles->GetArray()) {
            float x, y, r;
            if (!getFloat(c, "x", x) || !getFloat(c, "y", y) || !getFloat(c, "radius", r))
                return dataFileError(fileName, "collider circle without numbers x, y, radius");
            cx.push_back(x);
            cy.push_back(y);
            cr.push_back(r);
        }
    }

    mVertexX = copyOrNull(vx);
    mVertexY = copyOrNull(vy);
    mNbPoints = static_cast<unsigned int>(vx.size());
    mNbSegments = static_cast<unsigned int>(segments.size() / 2);
    if (!segments.empty()) {
        mIndices = new unsigned int[segments.size()];
        for (std::size_t i = 0; i < segments.size(); ++i)
            mIndices[i] = segments[i];
    }
    mCirclesCenterX = copyOrNull(cx);
    mCirclesCenterY = copyOrNull(cy);
    mCirclesRadius = copyOrNull(cr);
    mNbCircles = static_cast<unsigned int>(cx.size());
    return true;
}

void FlatCollideMesh::getPoint(float* point1X, float* point1Y, float* point2X, float* point2Y,
                               unsigned int indice) {
    unsigned int a = mIndices[2 * indice], b = mIndices[2 * indice + 1];
    *point1X = mVertexX[a];
    *point1Y = mVertexY[a];
    *point2X = mVertexX[b];
    *point2Y = mVertexY[b];
}

FlatCollideMesh::FlatCollideMeshAnimation::~FlatCollideMeshAnimation() {
    delete[] mCirclesCenterX;
    delete[] mCirclesCenterY;
    delete[] mCirclesRadius;
    delete[] mVertexX;
    delete[] mVertexY;
    delete[] mFramesStartTime;
    delete[] mAnimationStartFrames;
    delete[] mCurrentCirclesCenterX;
    delete[] mCurrentCirclesCenterY;
    delete[] mCurrentCirclesRadius;
    delete[] mCurrentVertexX;
    delete[] mCurrentVertexY;
}

void FlatCollideMesh::FlatCollideMeshAnimation::calculateFrameMesh(unsigned int animNum, float time,
                                                                   FlatCollideMesh* collideMesh) {
    if (animNum >= mNbAnims)
        return;
    unsigned int first = mAnimationStartFrames[animNum];
    unsigned int end = animNum + 1 < mNbAnims ? mAnimationStartFrames[animNum + 1] : mNbFrames;
    if (end <= first || end > mNbFrames)
        return;
    unsigned int frame;
    if (findKeyFrame(mFramesStartTime, first, end - 1, time, frame))
        calculateIntermediateFrame(frame, time, collideMesh);
    else
        copyFrameToCurrentFrame(frame, collideMesh);
}

void FlatCollideMesh::FlatCollideMeshAnimation::copyFrameToCurrentFrame(
    unsigned int numFrame, FlatCollideMesh* collideMesh) {
    if (numFrame >= mNbFrames)
        return;
    unsigned int c = collideMesh->mNbCircles, p = collideMesh->mNbPoints;
    for (unsigned int i = 0; i < c; ++i) {
        mCurrentCirclesCenterX[i] = mCirclesCenterX[numFrame * c + i];
        mCurrentCirclesCenterY[i] = mCirclesCenterY[numFrame * c + i];
        mCurrentCirclesRadius[i] = mCirclesRadius[numFrame * c + i];
    }
    for (unsigned int i = 0; i < p; ++i) {
        mCurrentVertexX[i] = mVertexX[numFrame * p + i];
        mCurrentVertexY[i] = mVertexY[numFrame * p + i];
    }
}

void FlatCollideMesh::FlatCollideMeshAnimation::calculateIntermediateFrame(
    unsigned int numStartFrame, float time, FlatCollideMesh* collideMesh) {
    if (mNbFrames == 0 || numStartFrame >= mNbFrames - 1)
        return;
    unsigned int n = numStartFrame;
    float ratio = keyFrameRatio(mFramesStartTime, n, time);
    unsigned int c = collideMesh->mNbCircles, p = collideMesh->mNbPoints;
    blendKeyFrames(mCurrentCirclesCenterX, mCirclesCenterX + n * c, mCirclesCenterX + (n + 1) * c,
                   c, ratio);
    blendKeyFrames(mCurrentCirclesCenterY, mCirclesCenterY + n * c, mCirclesCenterY + (n + 1) * c,
                   c, ratio);
    blendKeyFrames(mCurrentCirclesRadius, mCirclesRadius + n * c, mCirclesRadius + (n + 1) * c, c,
                   ratio);
    blendKeyFrames(mCurrentVertexX, mVertexX + n * p, mVertexX + (n + 1) * p, p, ratio);
    blendKeyFrames(mCurrentVertexY, mVertexY + n * p, mVertexY + (n + 1) * p, p, ratio);
}
