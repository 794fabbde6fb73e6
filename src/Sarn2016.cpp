// The game object: assets, defaults, restart and window size.
#include "Sarn2016.h"

#include <string>

#include "Renderer/Renderer.h"
#include "Sarn2016/Editor.h"

static const char* const levelFile = "data/Sarn2016/level.json";

Sarn2016::Sarn2016() {
    windowEventHandler.game = this;
}

Sarn2016::~Sarn2016() {
    delete editor;
    clearLevel();
}

bool Sarn2016::init() {
    v = Vector3D(0.0f, 0.0f, 0.0f);
    oldDirection = Vector3D(0.0f, -1.0f, 0.0f);
    if (!editor) {
        editor = new Editor(&monde);
    }
    L3 = R3 = L1 = R1 = BUTTON_A = BUTTON_B = mouseLeft = false;
    startTime = 0.0f;
    mDifficulty = 0;
    CodeTree::initPool();

    struct Image {
        Texture* texture;
        const char* path;
    };
    const Image images[] = {
        {&tex[0], "data/font.bmp.fnt"},
        {&mWaterTexture, "data/water.png"},
        {&texWall, "data/wall.bmp"},
        {&texWood, "data/wood.bmp"},
        {&texGrass, "data/grass.png"},
        {&texCar, "data/blackpixel.bmp"},
        {&texSeaweed, "data/seaweed.png"},
        {&texCliff, "data/cliff.png"},
        {&texRedKey, "data/redkey.png"},
        {&texGreenKey, "data/greenkey.png"},
        {&texBlueKey, "data/bluekey.png"},
        {&texGoldKey, "data/goldkey.png"},
        {&texCtrl, "data/ctrl.png"},
        {&texSwimmingControls, "data/swimmingcontrols.png"},
        {&texUnderwaterRefraction, "data/underwaterRefraction.png"},
    };
    for (const Image& image : images) {
        image.texture->load(image.path);
    }
    refractionIndex = 0;
    for (int i = 0; i < 32; ++i) {
        Texture& frame = underwaterRefractionTextures[i];
        frame.load(("data/water2/" + std::to_string(i + 1) + ".png").c_str());
        frame.loadToGPU();
        frame.deletePixels();
        frame.setWrapMode(Texture::repeat);
    }
    Texture* const uploads[] = {&tex[0],
                                &mWaterTexture,
                                &texWall,
                                &texWood,
                                &texCar,
                                &texGrass,
                                &texCliff,
                                &texSeaweed,
                                &texRedKey,
                                &texGreenKey,
                                &texBlueKey,
                                &texGoldKey,
                                &texCtrl,
                                &texSwimmingControls,
                                &texUnderwaterRefraction};
    for (Texture* texture : uploads) {
        texture->loadToGPU();
        texture->deletePixels();
        if (texture == &texGrass || texture == &texCliff || texture == &texUnderwaterRefraction) {
            texture->setWrapMode(Texture::repeat);
        }
    }
    for (Texture* texture : {&texWall, &texWood}) {
        texture->setWrapMode(Texture::repeat);
        texture->smooth(false);
    }

    struct Mesh {
        Object3D* mesh;
        const char* path;
    };
    const Mesh meshes[] = {
        {&quad, "data/quad.json"},
        {&mSeaweedModel, "data/meshes/display/seaweed.json"},
        {&mWallModel, "data/meshes/display/wall.json"},
        {&mSwimmerModel, "data/meshes/display/swimmer.json"},
        {&mTallWallModel, "data/meshes/display/tallWall.json"},
        {&mFloorWoodModel, "data/meshes/display/floorWood.json"},
        {&mWaterModel, "data/meshes/display/wall.json"},
    };
    for (const Mesh& m : meshes) {
        m.mesh->load(m.path);
        m.mesh->genBuffers();
    }

    mWater.init(0, 0, -20, &mWaterModel, &mWaterTexture);
    mWater.setScale(50, 50, 10);
    mQuadCollider.load("data/meshes/colliders/quadCollider.json");
    mTile.init(0, 0, -20, &quad, &texGrass);
    mTile.setScale(100, 100, 1);
    mMapWall.init(0, 0, -20, &mWallModel, &texGrass);
    mMapWall.setScale(1, 10, 10);
    guiCtrl.init(0, 0, 1, &quad, &texCtrl);
    guiSwimmingControls.init(0, 0, 1, &quad, &texSwimmingControls);
    mScreenQuad.init(0, 0, 1, &quad, &texCar);
    ObjectApp* keySprites[] = {&mRedKeySprite, &mGreenKeySprite, &mBlueKeySprite, &mGoldKeySprite};
    Texture* keyTextures[] = {&texRedKey, &texGreenKey, &texBlueKey, &texGoldKey};
    for (int k = 0; k < 4; ++k) {
        keySprites[k]->init(0, 0, 1, &quad, keyTextures[k]);
        keySprites[k]->setScale(1, 2, 2);
    }
    treeModel.init(0, 0, 0, &mSeaweedModel, &texSeaweed);
    treeModel.setAnchor(0.5f, 0.5f, 0);
    wallModel.init(0, 0, 0, &mWallModel, &texWall);
    wallModel.setAnchor(0, 0, 0);
    floorWoodModel.init(0, 0, 0, &mFloorWoodModel, &texWood);
    floorWoodModel.setAnchor(0, 0, 0);

    reset();

    Shader::UniformLayout basic[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    static const Shader::UniformLayout underwaterTable[] = {{"mvMat", 0, 16},
                                                            {"projMat", 0, 16},
                                                            {"modelMat", 0, 16},
                                                            {"inverseModelMat", 0, 9},
                                                            {"refractionModelMat", 0, 16},
                                                            {"lightDirection", 0, 3}};
    static const Shader::UniformLayout refractionTable[] = {
        {"mvMat", 0, 16},          {"projMat", 0, 16},       {"refractionModelMat", 0, 16},
        {"inverseModelMat", 0, 9}, {"lightDirection", 0, 3}, {"offset", 0, 2}};
    Shader::UniformLayout underwater[6], refraction[6];
    for (int i = 0; i < 6; ++i) {
        underwater[i] = underwaterTable[i];
        refraction[i] = refractionTable[i];
    }
    Shader::UniformLayout seaweed[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"offset", 0, 3}};
    Shader::UniformLayout transition[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"ratio", 0, 1}};
    Shader::UniformLayout water[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    Shader::UniformLayout gameOver[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    struct Program {
        Shader* shader;
        const char* path;
        Shader::UniformLayout* uniforms;
        unsigned int count;
    };
    const Program programs[] = {
        {&shader, "data/shaders/basic-fixed", basic, 2},
        {&underwaterShader, "data/shaders/basic-fixed-underwater", underwater, 6},
        {&waterShader, "data/shaders/water", water, 2},
        {&shaderGameOver, "data/shaders/gameover-fixed", gameOver, 2},
        {&seaweedShader, "data/shaders/seaweed", seaweed, 3},
        {&roomTransitionShader, "data/shaders/room-transition", transition, 3},
        {&underwaterRefractionShader, "data/shaders/underwaterRefraction", refraction, 6},
    };
    for (const Program& p : programs) {
        p.shader->load(p.path);
        p.shader->setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, p.uniforms,
                           p.count);
        p.shader->compile();
    }

    gameStarted = false;
    moveMode = 0;
    projMode = true;
    screen = Vector3D(0.0f, -30.0f, 21.0f);
    terrainRay = 150.0f;
    angleScreen = Vector2D(0.0f, 0.0f);
    swimmer.decelerationTime = 1.0f;
    swimmer.lastSwimmingDirection = Vector3D();
    swimmer.direction = Vector3D();
    swimmer.position.x = 20.0f;
    swimmer.position.y = 20.0f;
    swimmer.previousPosition = swimmer.position;
    swimmer.flotationTime = 0.0f;
    swimmer.hasRedKey = swimmer.hasGreenKey = swimmer.hasBlueKey = swimmer.hasGoldKey = false;
    swimmer.speed = 0.0f;
    roomTransitingTime = 0.7f;
    tutoTotalTime = 10.0f;
    tutoTime = 0.0f;

    buildBorderMeshes();
    updateTopBorderMesh();
    updateBottomBorderMesh();

    currentCameraPath = nullptr;
    return true;
}

void Sarn2016::reset() {
    loadLevel(levelFile);
    if (editor != nullptr) { // its selection lay in the rooms just reloaded
        editor->dropSelection();
    }
    for (unsigned int i = 0; i < 8; ++i) {
        rooms[i].borderTopMeshSeed = 100 * (i + 1);
    }
    rooms[8].borderTopMeshSeed = 40;
    for (unsigned int i = 0; i < 9; ++i) {
        rooms[i].updateCollisionGrid();
    }
    swimmer.model.init(0, 0, 0, &mSwimmerModel, &texWall);
    swimmer.model.setAnchor(1, 1, 0);
    swimmer.position = Vector3D(0.0f, 0.0f, -5.0f);
    // The reload empties the paths and rooms the keys were won in.
    swimmer.hasRedKey = swimmer.hasGreenKey = swimmer.hasBlueKey = swimmer.hasGoldKey = false;
    currentCameraPath = nullptr;
    // The clock starts again: poses stamped by the old game would be taken
    // for the newest ones and pull the eye back into its room.
    previousPositions.clear();
    oldSwimmerUpSet = false;
    // The strips frame the room play restarts in (a no-op before init builds them).
    updateTopBorderMesh();
    updateBottomBorderMesh();

    gameOver = false;
    temps = startTime;
    distance = 0.0f;
    mMultiplicateur = 3.0f;
    mScore = 0.0f;
    mResetTimer = 0.0f;
    mLives = static_cast<unsigned int>(mDifficulty);
    mLifeTimer = 0.0f;
    gameStarted = true;
}

void Sarn2016::onResize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    Renderer::renderer.viewPort(0, 0, width, height);
    monde.loadIdentityProjection();
    GUI.loadIdentityModelView();
    GUI.loadIdentityProjection();
    ySpan = static_cast<float>(height) / static_cast<float>(width) * 26.0f;
    screenWidth = static_cast<float>(width);
    screenHeight = static_cast<float>(height);
    if (editor) { // a resize may come before init
        editor->screenWidth = screenWidth;
        editor->screenHeight = screenHeight;
    }
    monde.lookAt(15, 0, 0, 0, 0, -10, 0, 10, 0);
    GUI.orthographicProjection(0, 20, 0, 11.25f, -2, 10);
}

void Sarn2016::shutdown() {
    for (Texture* texture : {&tex[0], &mWaterTexture, &texWall, &texWood, &texGrass, &texCar}) {
        texture->unloadFromGPU();
    }
}
