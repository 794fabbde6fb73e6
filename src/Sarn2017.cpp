// The game object: assets, screen layout, resizing and drawing.
#include "Sarn2017.h"

#include <cstdio>
#include <string>

#include "GameAssets.h"
#include "MathUtils/Vector3D.h"
#include "Renderer/Renderer.h"

static const char* const catalogueFile = "data/Sarn2017/objects/objects.json";

Sarn2017::Sarn2017() {
    windowEventHandler.game = this;
}

Sarn2017::~Sarn2017() {
    freeObjectTypes();
}

bool Sarn2017::init() {
    L3 = R3 = L1 = R1 = BUTTON_A = BUTTON_B = mouseLeft = false;
    textures = nullptr;
    displayables = nullptr;
    models = nullptr;
    screenWidthRatio = screenHeightRatio = 1.0f;

    texBlackPixel.load("data/blackpixel.bmp");
    texWhitePixel.load("data/whitepixel2.png");
    texRoom.load("data/Sarn2017/room.png");
    for (int i = 0; i < 10; ++i)
        loadTexture(numbers[i], ("data/Sarn2017/" + std::to_string(i) + ".png").c_str());
    for (Texture* texture : {&texBlackPixel, &texWhitePixel, &texRoom}) {
        texture->loadToGPU();
        texture->deletePixels();
    }
    // Slot frames stay sharp at their edges.
    texWhitePixel.smooth(false);

    loadMesh(quad, "data/quad.json");

    struct Layout {
        ObjectApp* sprite;
        float x, y;
        Texture* texture;
        float width, height;
    };
    const Layout layout[] = {
        {&mScreenQuad, 0, 0, &texBlackPixel, 1280, 720},
        {&mInventoryBackground, 0, 0, &texBlackPixel, 280, 720},
        {&mRoomBackground, 280, 0, &texRoom, 1000, 720},
        {&mInventoryObjectSprite, 50, 30, &texWhitePixel, 60, 60},
        {&mDescriptionSprite, 50, 30, &texWhitePixel, 60, 60},
        {&mObjectDragSprite, 50, 30, &texWhitePixel, 60, 60},
        {&mRoomObjectSprite, 50, 30, &texBlackPixel, 60, 60},
        {&mNumberSprite, 1240, 0, &texBlackPixel, 40, 40},
    };
    for (const Layout& l : layout) {
        l.sprite->init(l.x, l.y, 1, &quad, l.texture);
        l.sprite->setScale(l.width, l.height, 1);
    }
    for (unsigned int i = 0; i < slotCount; ++i) {
        mEmptySlots[i].init(50.0f + 120.0f * float(i % 2), 30.0f + 120.0f * float(i / 2), 1, &quad,
                            &texWhitePixel);
        mEmptySlots[i].setScale(60, 60, 1);
    }

    if (!loadObjectTypes(catalogueFile)) {
        std::fprintf(stderr, "Could not load object catalogue: %s\n", catalogueFile);
        return false;
    }

    // Spots 0-15: a diamond, spot 4 * row + column; spot k + 4 is one row on.
    for (int k = 0; k < 16; ++k) {
        int row = k / 4, column = k % 4;
        gridPositions[k] =
            Vector2D(float(700 + 100 * column - 100 * row), float(370 - 60 * column - 60 * row));
    }
    gridPositions[endSpot] = Vector2D(500, 350);

    targetInteractions = 2;
    levelNum = 0;
    draggingObject = nullptr;
    reset();

    Shader::UniformLayout basicUniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    shader.load("data/shaders/basic-fixed");
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, basicUniforms, 2);
    shader.compile();

    Shader::UniformLayout transitionUniforms[] = {
        {"mvMat", 0, 16}, {"projMat", 0, 16}, {"ratio", 0, 1}};
    roomTransitionShader.load("data/shaders/room-transition");
    roomTransitionShader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3,
                                  transitionUniforms, 3);
    roomTransitionShader.compile();
    return true;
}

void Sarn2017::shutdown() {
    texBlackPixel.unloadFromGPU();
}

void Sarn2017::onResize(int width, int height) {
    Renderer::renderer.viewPort(0, 0, width, height);
    GUI.loadIdentityModelView();
    GUI.loadIdentityProjection();
    // A minimised window reports a zero size: the mouse keeps its scale.
    if (width > 0 && height > 0) {
        screenWidthRatio = float(width) / 1280.0f;
        screenHeightRatio = float(height) / 720.0f;
    }
    GUI.orthographicProjection(0, 1280, 0, 720, -2, 10);
}

// The end spot first, then the diamond column by column, so that nearer
// objects cover farther ones.
static const int drawOrder[Sarn2017::spotCount] = {16, 0, 4,  8,  12, 1, 5,  9, 13,
                                                   2,  6, 10, 14, 3,  7, 11, 15};

void Sarn2017::render() {
    shader.bind();
    Renderer::renderer.clear();
    Vector3D light(0.5f, 1.0f, -2.0f);
    light.normalize();
    Shader::bound->sendVector3D("lightDirection", light);

    Renderer::renderer.enableDepthMask(false);
    Renderer::renderer.enableDepthTest(false);
    shader.bind();
    Shader::bound->sendMatrix4x4("projMat", GUI.getProjMat());
    float* parent = GUI.getMVMat();

    mRoomBackground.render(parent);
    for (int spot : drawOrder) {
        for (unsigned int j = 0; j < roomObjectCount; ++j) {
            const RoomObject& object = roomObjects[j];
            if (object.taken || object.positionIndex != spot)
                continue;
            Texture& picture = object.type->roomTexture;
            mRoomObjectSprite.setTexture(&picture);
            mRoomObjectSprite.x() = gridPositions[spot].x;
            mRoomObjectSprite.y() = gridPositions[spot].y;
            mRoomObjectSprite.setScale(float(picture.getWidth()) * roomPictureScale,
                                       float(picture.getHeight()) * roomPictureScale, 1);
            mRoomObjectSprite.render(parent);
        }
    }

    mInventoryBackground.render(parent);
    for (unsigned int i = 0; i < slotCount; ++i) {
        mEmptySlots[i].render(parent);
        if (!inventorySlots[i].object)
            continue;
        mInventoryObjectSprite.position() = mEmptySlots[i].position();
        mInventoryObjectSprite.setTexture(&inventorySlots[i].object->type->inventoryTexture);
        mInventoryObjectSprite.render(parent);
    }

    if (mRenderDescription)
        mDescriptionSprite.render(parent);

    if (draggingObject) {
        mObjectDragSprite.setTexture(&draggingObject->type->inventoryTexture);
        mObjectDragSprite.x() = mouse.x;
        mObjectDragSprite.y() = mouse.y;
        mObjectDragSprite.render(parent);
    }

    // Digits right to left, the last one ending at the right edge.
    mNumberSprite.x() = 1280;
    mNumberSprite.y() = 0;
    for (int n = levelNum; n > 0; n /= 10) {
        mNumberSprite.x() -= 40;
        mNumberSprite.setTexture(&numbers[n % 10]);
        mNumberSprite.render(parent);
    }

    Renderer::renderer.enableDepthMask(true);
    Renderer::renderer.enableDepthTest(true);
}
