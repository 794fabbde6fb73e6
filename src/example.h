#pragma once

#include <string>
#include <vector>

#include "Bike.h"
#include "ClientWindowEventHandler.h"
#include "FlatCollideMesh.h"
#include "FlatObject.h"
#include "Object3D.h"
#include "ObjectText.h"
#include "RaceTrack.h"
#include "Renderer/Renderer.h"
#include "Renderer/Shader.h"
#include "Texture.h"
#include "Traveller.h"
#include "World.h"

// The top-down dodge game: a truck with a spinning bar on a scrolling road,
// oncoming cars from a schedule or from random patterns, lives, a score and
// its multiplier. Play field units: the road spans x -13 to 13, the view y
// -14.625 to 14.625.
//
// Sources: example.cpp (assets, drawing), examplePlay.cpp (the frame),
// exampleTraffic.cpp (the traffic file and new runs).
class Example {
public:
    static constexpr int carSlots = 30;

    struct Car {
        FlatObject model;
        float speed = 0.0f;
        bool alive = false;
    };

    struct CarAttributes {
        float x;
        float speed;
        float time;
    };

    struct InputRecord {
        bool left, right, up, down;
        float time;
    };

    Example();

    // Loads everything and shows the title screen; always true.
    bool init();
    void prepare(float dt);
    void render();
    // Starts a run.
    void reset();
    // Reads the schedule and the patterns; a file that cannot be used leaves
    // both lists as they were, with one line on stderr.
    void loadCarsFile(const std::string& path);
    void shutdown();
    void onResize(int w, int h);

    ClientWindowEventHandler windowEventHandler; // first member: the window's link
    Texture tex[2];
    ObjectText text, textMultiplier, textScore, textMode, textStart, textChangeMode,
        textChangeDifficulty;
    World monde;
    World GUI;
    Traveller trav;
    Bike mBike;
    FlatObject mTruckSprite, mBarSprite, mBackground, mHeartSprite, mTitleSprite;
    FlatCollideMesh mQuadCollider;
    Texture texBar, texTruck, texGrass, texCar, texHeart, texTitle;
    Object3D quad;
    Object3D mCarModels[4];
    Object3D quadBackground;
    // Loaded and uploaded, never drawn.
    Object3D mShipModel, mBlocModel, mAnneauModel;
    RaceTrack mRaceTrack;
    Renderer renderer; // state calls only: the buffers live in Renderer::renderer
    Shader shader, shaderGameOver;
    float temps = 0.0f;
    Car cars[carSlots];
    std::vector<CarAttributes> mCarsList;
    std::vector<std::vector<CarAttributes>> mCarsPatterns;
    float cameraY = 200.0f;
    float distance = 0.0f;
    float mScore = 0.0f;
    float mResetTimer = 0.0f;
    float mPlayerYaw = 0.0f;
    bool gameOver = false;
    float mMultiplicateur = 3.0f;
    float startTime = 0.0f;
    int mDifficulty = 0;
    unsigned int mLives = 0;
    float mLifeTimer = 0.0f;
    bool gameStarted = false;
    std::vector<InputRecord> inputRecords;

private:
    // init at (x, y, z), scale (sx, sy, 1), anchored at its centre.
    static void placeSprite(FlatObject& sprite, float x, float y, float z, Object3D* mesh,
                            Texture* texture, float sx, float sy);
    void toggleMode();
    void toggleDifficulty();
    void recordInput();
    void testCollisions();
    void spawnCars();
    void moveCars(float dt);
    void scroll(float dt);
    void updateMultiplier();
};
