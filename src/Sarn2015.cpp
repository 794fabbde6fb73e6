#include "Sarn2015.h"

#include <algorithm>

#include "GameAssets.h"
#include "LevelRandom.h"

namespace {

Shader::UniformLayout lightTable[] = {{"mvMat", 0, 16},
                                      {"projMat", 0, 16},
                                      {"modelMat", 0, 16},
                                      {"inverseModelMat", 0, 9},
                                      {"lightDirection", 0, 3}};
Shader::UniformLayout mapTable[] = {{"finalMatrix", 0, 16},  {"mvMat", 0, 16}, {"projMat", 0, 16},
                                    {"modelMat", 0, 16},     {"pos", 0, 2},    {"terrainRay", 0, 1},
                                    {"lightDirection", 0, 3}};
Shader::UniformLayout flatTable[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};

void loadShader(Shader& shader, const char* path, Shader::UniformLayout* table,
                unsigned int count) {
    shader.load(path);
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, count);
    shader.compile();
}

void placeDrawable(FlatObject& drawable, Object3D* mesh, Texture* texture, float anchor,
                   FlatCollideMesh* collider) {
    drawable.init(0, 0, 0, mesh, texture);
    drawable.setAnchor(anchor, anchor, 0);
    drawable.setCollideMesh(collider);
}

} // namespace

Sarn2015::Sarn2015() {
    windowEventHandler.game = this;
}

bool Sarn2015::init() {
    L3 = R3 = L1 = R1 = BUTTON_A = BUTTON_O = false;
    startTime = 0.0f;
    mDifficulty = 0;

    loadTexture(tex[0], "data/font.bmp.fnt");
    loadTexture(tex[1], "data/road6.png");
    loadTexture(texWall, "data/wall.bmp");
    loadTexture(texWood, "data/wood.bmp");
    loadTexture(texGrass, "data/grass.png");
    loadTexture(texCar, "data/whitepixel.bmp");
    loadTexture(texBG, "data/sky/stars/stars.bmp");
    texBG.setWrapMode(Texture::repeat);
    texWall.setWrapMode(Texture::repeat);
    texWood.setWrapMode(Texture::repeat);
    texWall.smooth(false);
    texWood.smooth(false);

    loadMesh(quad, "data/quad.json");
    const char* props[5] = {"data/meshes/display/tree.json", "data/meshes/display/wall.json",
                            "data/meshes/display/tallWall.json", "data/meshes/display/wood.json",
                            "data/meshes/display/floorWood.json"};
    for (int i = 0; i < 5; ++i)
        loadMesh(mCarModels[i], props[i]);
    loadMesh(quadBackground, "data/quadBackground.json");
    mQuadCollider.load("data/meshes/colliders/quadCollider.json");

    mBackground.init(0, 0, -1, &quadBackground, &texBG);
    mBackground.setScale(200, 200, 1);
    mBackground.setAnchor(0.5f, 0.5f, 0);
    mTile.init(0, 0, 0, &quad, &texGrass);
    mTile.setAnchor(0.5f, 0.5f, 0);

    reset();
    mBike.mBikeModel = &mTruckSprite;

    loadShader(shader, "data/shaders/basic-directional-light", lightTable, 5);
    loadShader(mapShader, "data/shaders/conveyor-map", mapTable, 7);
    loadShader(shaderGameOver, "data/shaders/gameover-fixed", flatTable, 2);

    mapShader.bind();
    gameStarted = false;
    mCarsList.clear();
    moveMode = 0;
    projMode = true;
    screen = Vector3D(0, -30, 21);
    terrainRay = 15.0f;
    angleScreen = Vector2D(0, 0);
    return true;
}

void Sarn2015::reset() {
    mTruckSprite.init(0, 0, -2, &quad, &texWall);
    mTruckSprite.setScale(2.55f, 7, 1);
    mTruckSprite.setAnchor(0.5f, 0.5f, 0);
    mBarSprite.init(0, 0, -1, &quad, &texWall);
    mBarSprite.setScale(0.5f, 13, 1);
    mBarSprite.setAnchor(0.5f, 0.5f, 0);
    mBarSprite.setCollideMesh(&mQuadCollider);

    seedLevelRandom();
    Sarn2015Layout layout;
    layOutSarn2015(unsigned(levelRandom()), layout);
    std::copy(layout.trees, layout.trees + Sarn2015Layout::treeCount, trees);
    std::copy(layout.walls, layout.walls + Sarn2015Layout::wallSlots, walls);
    std::copy(layout.tallWalls, layout.tallWalls + Sarn2015Layout::tallWallCount, tallWalls);
    std::copy(layout.woods, layout.woods + Sarn2015Layout::woodCount, woods);
    std::copy(layout.floorWoods, layout.floorWoods + Sarn2015Layout::floorWoodCount, floorWoods);

    placeDrawable(treeModel, &mCarModels[0], &texCar, 0.5f, &mQuadCollider);
    placeDrawable(wallModel, &mCarModels[1], &texWall, 1.0f, &mQuadCollider);
    placeDrawable(tallWallModel, &mCarModels[2], &texWall, 1.0f, &mQuadCollider);
    placeDrawable(woodModel, &mCarModels[3], &texWood, 1.0f, &mQuadCollider);
    placeDrawable(floorWoodModel, &mCarModels[4], &texWood, 1.0f, &mQuadCollider);

    gameOver = false;
    temps = startTime;
    distance = 0.0f;
    mBackground.y() = 50.0f;
    mMultiplicateur = 3.0f;
    mScore = 0.0f;
    mResetTimer = 0.0f;
    mLives = unsigned(mDifficulty);
    mLifeTimer = 0.0f;
    gameStarted = true;
}

void Sarn2015::shutdown() {
    tex[0].unloadFromGPU();
    tex[1].unloadFromGPU();
    texWall.unloadFromGPU();
    texWood.unloadFromGPU();
    texGrass.unloadFromGPU();
    texCar.unloadFromGPU();
}

void Sarn2015::onResize(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    Renderer::renderer.viewPort(0, 0, width, height);
    monde.loadIdentityProjection();
    GUI.loadIdentityProjection();
    ySpan = float(height) / float(width) * 26.0f;
    screenWidth = float(width);
    screenHeight = float(height);
    monde.orthographicProjection(-26, 26, -ySpan, ySpan, 1, 1000);
    monde.lookAt(15, 0, 0, 0, 0, -10, 0, 10, 0);
    GUI.orthographicProjection(0, 20, 0, 11.25f, -10, 1000);
    GUI.perspectiveProjection(90, 1.7777778f, -5, 5);
    GUI.lookAt(15, 15, 10, 0, 0, -10, 0, 10, 0);
}
