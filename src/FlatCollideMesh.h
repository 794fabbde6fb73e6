#pragma once

#include <string>

// A 2-D collision shape in an object's local plane: circles, and segments
// between shared points.
class FlatCollideMesh {
public:
    // Key frames of the shape's circles and points. No loader fills one yet.
    struct FlatCollideMeshAnimation {
        FlatCollideMeshAnimation() = default;
        ~FlatCollideMeshAnimation();
        FlatCollideMeshAnimation(const FlatCollideMeshAnimation&) = delete;
        FlatCollideMeshAnimation& operator=(const FlatCollideMeshAnimation&) = delete;

        void calculateFrameMesh(unsigned int animNum, float time, FlatCollideMesh* collideMesh);
        void copyFrameToCurrentFrame(unsigned int numFrame, FlatCollideMesh* collideMesh);
        void calculateIntermediateFrame(unsigned int numStartFrame, float time,
                                        FlatCollideMesh* collideMesh);

        // Frame f, item i at f x count + i (the collider's circle or point count).
        float* mCirclesCenterX = nullptr;
        float* mCirclesCenterY = nullptr;
        float* mCirclesRadius = nullptr;
        float* mVertexX = nullptr;
        float* mVertexY = nullptr;
        unsigned int mNbFrames = 0;
        float* mFramesStartTime = nullptr;
        unsigned int* mAnimationStartFrames = nullptr;
        unsigned short mNbAnims = 0;
        float* mCurrentCirclesCenterX = nullptr;
        float* mCurrentCirclesCenterY = nullptr;
        float* mCurrentCirclesRadius = nullptr;
        float* mCurrentVertexX = nullptr;
        float* mCurrentVertexY = nullptr;
    };

    FlatCollideMesh() = default;
    ~FlatCollideMesh();
    // Owns its arrays: a copy would free them twice.
    FlatCollideMesh(const FlatCollideMesh&) = delete;
    FlatCollideMesh& operator=(const FlatCollideMesh&) = delete;

    // JSON when ".json" occurs after the path's first character, otherwise
    // loadBIN. A refused file leaves the collider empty and returns false.
    bool load(const std::string& fileName);
    bool loadJSON(const std::string& fileName);
    // There is no binary collider format: reads nothing, keeps what an earlier
    // load gave, returns true.
    bool loadBIN(const std::string& fileName);

    unsigned int getNbCircles() { return mNbCircles; }
    unsigned int getNbSegments() { return mNbSegments; }
    unsigned int getNbPoints() { return mNbPoints; }
    float getCircleX(unsigned int i) { return mCirclesCenterX[i]; }
    float getCircleY(unsigned int i) { return mCirclesCenterY[i]; }
    float getCircleRadius(unsigned int i) { return mCirclesRadius[i]; }
    // End points of segment number indice.
    void getPoint(float* point1X, float* point1Y, float* point2X, float* point2Y,
                  unsigned int indice);

    float* mCirclesCenterX = nullptr;
    float* mCirclesCenterY = nullptr;
    float* mCirclesRadius = nullptr;
    float* mVertexX = nullptr;
    float* mVertexY = nullptr;
    unsigned int mNbCircles = 0;
    unsigned int mNbSegments = 0;
    unsigned int* mIndices = nullptr; // two point indices per segment
    unsigned int mNbPoints = 0;
    FlatCollideMeshAnimation* animation = nullptr;

private:
    void clear();
};
