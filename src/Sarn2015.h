#pragma once

#include <vector>

#include "Bike.h"
#include "ClientWindowEventHandler.h"
#include "FlatCollideMesh.h"
#include "FlatObject.h"
#include "MathUtils/Vector2D.h"
#include "MathUtils/Vector3D.h"
#include "Object3D.h"
#include "Renderer/Shader.h"
#include "Sarn2015Layout.h"
#include "Texture.h"
#include "World.h"

// The orbit prototype: a camera circles a disc of grass tiles whose rim rolls
// away, dressed with a walled maze, trees and wooden props. Space cycles what
// the arrows do (scroll the ground, orbit, change the flat radius), F2 flips
// between perspective and orthographic views. It carries the dodge game's
// counters and sprites in an inert form.
//
// Sources: Sarn2015.cpp (assets, reset, resize), Sarn2015Play.cpp (input),
// Sarn2015Render.cpp (drawing), Sarn2015Layout.cpp (the level),
// Sarn2015Bend.cpp (the rim bend of the props).
class Sarn2015 {
public:
    using Car = Sarn2015Placement;
    struct CarAttributes {
        float x, speed, time;
    };

    Sarn2015();
    Sarn2015(const Sarn2015&) = delete;
    Sarn2015& operator=(const Sarn2015&) = delete;

    bool init();
    void prepare(float dt);
    void render();
    void reset();
    void shutdown();
    // A zero width or height is ignored.
    void onResize(int width, int height);
    // Draws one prop placement with the texture bound before: flat inside
    // terrainRay, rolled over the rim beyond it, nothing from maxRay on.
    void renderObject(FlatObject* model, Car c, float maxRay);

    ClientWindowEventHandler windowEventHandler;
    bool L3 = false, R3 = false, L1 = false, R1 = false;
    bool BUTTON_A = false, BUTTON_O = false, BUTTON_U = false, BUTTON_Y = false;
    float m_rotationAngle = 0.0f;
    Texture tex[2];
    World monde;
    World GUI;
    Bike mBike;
    FlatObject mTruckSprite, mBarSprite;
    FlatObject mBackground;
    FlatObject mTile;
    FlatCollideMesh mQuadCollider;
    Texture texWall, texGrass, texCar, texBG, texWood;
    Object3D quad;
    Object3D mCarModels[5]; // tree, wall, tall wall, wood, floor wood
    Object3D quadBackground;
    Shader shader, mapShader, shaderGameOver;
    float temps = 0.0f;
    Car trees[Sarn2015Layout::treeCount];
    Car walls[Sarn2015Layout::wallSlots];
    Car tallWalls[Sarn2015Layout::tallWallCount];
    Car woods[Sarn2015Layout::woodCount];
    Car floorWoods[Sarn2015Layout::floorWoodCount];
    FlatObject wallModel, tallWallModel, treeModel, woodModel, floorWoodModel;
    float mPlayerYaw = 0.0f;
    std::vector<CarAttributes> mCarsList;
    float distance = 0.0f, mScore = 0.0f, mResetTimer = 0.0f, mMultiplicateur = 0.0f;
    float startTime = 0.0f;
    bool gameOver = false;
    int mDifficulty = 0;
    unsigned int mLives = 0;
    float mLifeTimer = 0.0f;
    bool gameStarted = false;
    Vector2D pos;
    Vector3D screen;
    Vector2D angleScreen;
    float terrainRay = 15.0f;
    int moveMode = 0;
    bool projMode = true;
    float ySpan = 14.625f;
    float screenWidth = 1280.0f, screenHeight = 720.0f;

private:
    void drawProps(FlatObject& model, const Car* placements, int count, float maxRay);
};
