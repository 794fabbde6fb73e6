#include "example.h"

#include "GameAssets.h"
#include "MathUtils/Quaternion.h"

Example::Example() {
    windowEventHandler.game = this;
}

void Example::placeSprite(FlatObject& sprite, float x, float y, float z, Object3D* mesh,
                          Texture* texture, float sx, float sy) {
    sprite.init(x, y, z, mesh, texture);
    sprite.setScale(sx, sy, 1.0f);
    sprite.setAnchor(0.5f, 0.5f, 0.0f);
}

bool Example::init() {
    trav.init("data/cam/camversion1");
    trav.setWorld(&monde);
    startTime = 0.0f;
    mDifficulty = 0;

    mShipModel.load("data/ship.bloc");
    mShipModel.scaleModel(0.5f, 0.5f, 0.5f);
    mShipModel.genBuffers();
    loadMesh(mBlocModel, "data/bloc1.bloc");
    mAnneauModel.load("data/anneau.bloc");
    mAnneauModel.scaleModel(2.0f, 2.0f, 2.0f);
    mAnneauModel.genBuffers();

    loadTexture(tex[0], "data/font.bmp.fnt");
    loadTexture(tex[1], "data/road6.png");
    loadTexture(texBar, "data/paroi.bmp");
    loadTexture(texTruck, "data/truck.bmp");
    loadTexture(texGrass, "data/grass.bmp");
    loadTexture(texCar, "data/whitepixel.bmp");
    loadTexture(texHeart, "data/heart.png");
    loadTexture(texTitle, "data/title.png");
    texHeart.smooth(false);
    texBar.smooth(true);
    texTitle.smooth(false);

    loadMesh(quad, "data/quad.json");
    loadMesh(mCarModels[0], "data/meshes/display/carBlue.json");
    loadMesh(mCarModels[1], "data/meshes/display/carYellow.json");
    loadMesh(mCarModels[2], "data/meshes/display/carRed.json");
    loadMesh(mCarModels[3], "data/meshes/display/carGreen.json");
    loadMesh(quadBackground, "data/quadBackground.json");
    mQuadCollider.load("data/meshes/colliders/quadCollider.json");

    placeSprite(mBackground, 0, 0, -10, &quadBackground, &texGrass, 200, 800);
    placeSprite(mHeartSprite, 80, 570, -35, &quad, &texHeart, 55, 55);
    placeSprite(mTitleSprite, 640, 360, -35, &quad, &texTitle, 800, 400);

    reset();
    mBike.mBikeModel = &mTruckSprite;

    text.build("ca marche!", 150, 35, -35, 90, 0, 1, 0, &tex[0], &GUI);
    text.setYaw(90);
    textMultiplier.build("x3", 230, 35, -35, 90, 0, 0, 1, &tex[0], &GUI);
    textMultiplier.setYaw(90);
    textScore.build("ca marche!", 310, 35, -35, 90, 0, 1, 0, &tex[0], &GUI);
    textScore.setYaw(90);
    textMode.build("NORMAL", 40, 620, -35, 40, 0, 0, 0, &tex[0], &GUI);
    textStart.build("PRESS SPACE TO START", 150, 35, -35, 50, 0, 0, 0, &tex[0], &GUI);
    textChangeDifficulty.build("PRESS F1 FOR EASY MODE", 80, 450, -35, 30, 0, 0, 0, &tex[0], &GUI);
    textChangeDifficulty.setYaw(20);
    textChangeMode.build("PRESS F2 FOR RANDOM MODE", 600, 600, -35, 25, 0, 0, 0, &tex[0], &GUI);
    textChangeMode.setYaw(-10);

    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    for (Shader* program : {&shader, &shaderGameOver}) {
        program->load(program == &shader ? "data/shaders/basic-fixed"
                                         : "data/shaders/gameover-fixed");
        program->setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 2);
        program->compile();
    }

    // The title screen runs on patterns only; Space reads the schedule again.
    gameStarted = false;
    mCarsList.clear();
    GUI.loadIdentityModelView();
    return true;
}

void Example::render() {
    renderer.clear();
    monde.loadIdentityModelView();
    monde.translate(0, 0, -10);
    Shader& program = (!gameStarted || gameOver || mLifeTimer < 2.0f) ? shaderGameOver : shader;
    program.bind();
    Shader::bound->sendMatrix4x4("projMat", monde.getProjMat());
    renderer.enableDepthMask(false);
    renderer.enableDepthTest(false);

    mBackground.render(monde.getMVMat());
    mRaceTrack.render(&monde, &tex[1]);
    if (gameStarted) {
        mTruckSprite.render(monde.getMVMat());
        mBarSprite.render(monde.getMVMat());
    }
    for (Car& car : cars) {
        if (car.alive)
            car.model.render(monde.getMVMat());
    }

    Shader::bound->sendMatrix4x4("projMat", GUI.getProjMat());
    if (gameStarted) {
        text.render();
        textMultiplier.render();
        textScore.render();
    }
    textMode.render();
    mHeartSprite.x() = 80.0f;
    for (unsigned int life = 0; life < mLives; ++life) {
        mHeartSprite.render(GUI.getMVMat());
        mHeartSprite.x() += 60.0f;
    }
    if (!gameStarted) {
        mTitleSprite.render(GUI.getMVMat());
        textStart.render();
        textChangeDifficulty.render();
        textChangeMode.render();
    }
    renderer.enableDepthMask(true);
    renderer.enableDepthTest(true);
}

void Example::shutdown() {
    for (Texture* texture :
         {&tex[0], &tex[1], &texBar, &texTruck, &texGrass, &texCar, &texHeart, &texTitle})
        texture->unloadFromGPU();
}

void Example::onResize(int w, int h) {
    renderer.viewPort(0, 0, w, h);
    monde.loadIdentityProjection();
    GUI.loadIdentityProjection();
    monde.orthographicProjection(-26, 26, -14.625f, 14.625f, 1, 1000);
    GUI.orthographicProjection(0, 1280, 0, 720, 1, 1000);
}
