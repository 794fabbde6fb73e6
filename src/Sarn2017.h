#pragma once

#include <string>
#include <vector>

#include "ClientWindowEventHandler.h"
#include "MathUtils/Vector2D.h"
#include "Object3D.h"
#include "ObjectApp.h"
#include "Renderer/Shader.h"
#include "Texture.h"
#include "World.h"

// The point-and-click room game: a 12-slot inventory on the left of a 1280 x
// 720 screen, a room of 17 spots on the right, and levels generated backwards
// from an end-of-level object. Screen units run from the bottom-left corner.
//
// Sources: Sarn2017.cpp (assets, layout, drawing), Sarn2017Catalogue.cpp
// (object types), Sarn2017Generator.cpp (levels), Sarn2017Play.cpp (input).
class Sarn2017 {
public:
    static constexpr unsigned int slotCount = 12;
    static constexpr unsigned int spotCount = 17; // 0-15 the floor diamond, 16 the end spot
    static constexpr unsigned int poolSize = 100; // objects and roomObjects
    static constexpr int endSpot = 16;
    // Room pictures are drawn, and hit, at two thirds of their pixel size.
    static constexpr float roomPictureScale = 0.6666667f;

    struct ObjectType;

    // When an object of the owning type meets one of type otherObject, the
    // owner becomes turnInto; destroy says whether the partner is used up.
    struct Combination {
        std::string otherObject;
        std::string turnInto;
        bool destroy = false;
        ObjectType* turnIntoPointer = nullptr;
    };

    struct ObjectType {
        std::string name;
        Texture inventoryTexture;   // loaded for takeable types only
        Texture roomTexture;        // drawn at two thirds of its size
        Texture descriptionTexture; // name card, drawn at half its size
        std::vector<Combination> combinations;
        bool takeable = true;
        bool finishLevelOnInteract = false;
        ObjectType* turnIntoOnInteract = nullptr;
        bool canSpawnObject = false;

        // The combination that play uses with an object named other: the
        // first that names it; null when none does.
        const Combination* combinationWith(const std::string& other) const;
    };

    // An object of the inventory; slots point into the pool of these.
    struct Object {
        ObjectType* type = nullptr;
    };

    struct RoomObject {
        ObjectType* type = nullptr;
        int positionIndex = 0; // spot 0-16
        bool taken = false;
        ObjectType* objectToSpawn = nullptr; // what a click releases on spot + 4
    };

    struct InventorySlot {
        Object* object = nullptr;
    };

    Sarn2017();
    ~Sarn2017();
    Sarn2017(const Sarn2017&) = delete;
    Sarn2017& operator=(const Sarn2017&) = delete;

    // Loads and lays out everything and starts level 1; false (with the reason
    // on stderr) when the object catalogue cannot be used.
    bool init();
    void prepare(float dt);
    void render();
    // Starts the next level.
    void reset();
    void shutdown();
    void onResize(int width, int height);

    // Replaces the catalogue; false, with "<file>: <reason>" on stderr and no
    // catalogue left, when the file is missing, malformed or inconsistent.
    bool loadObjectTypes(const char* fileName);
    // First type of that name, or null.
    ObjectType* findTypeFromName(const char* name);
    // Some spawner spot k (0-11) with k and k + 4 both free.
    bool atLeastOnePlaceFree();
    // type can spawn, or a type reached by clicking it (and what that turns
    // into, and so on) can.
    bool canSpawnObjectRecursively(ObjectType* type);

    ClientWindowEventHandler windowEventHandler; // first member: the window's link
    bool L3 = false, R3 = false, L1 = false, R1 = false, BUTTON_A = false, BUTTON_B = false,
         mouseLeft = false; // button latches: true while held
    float m_rotationAngle = 0.0f;
    World GUI; // the flat screen camera
    Texture texPavement;
    Texture texBlackPixel, texWhitePixel, texRoom;
    Object3D quad; // the one sprite mesh
    Texture numbers[10];
    Shader shader, roomTransitionShader;
    float temps = 0.0f;
    ObjectType* objectTypes = nullptr;
    unsigned int objectTypeCount = 0;
    std::vector<ObjectType*> endLevelTypes, spawnerTypes;
    int targetInteractions = 0; // generation steps wanted for the next level
    int levelNum = 0;
    Object objects[poolSize];
    unsigned int objectCount = 0;
    RoomObject roomObjects[poolSize];
    unsigned int roomObjectCount = 0;
    Object* draggingObject = nullptr;
    int draggingFromSlot = 0;
    ObjectApp mScreenQuad;
    ObjectApp mInventoryBackground, mRoomBackground;
    ObjectApp mEmptySlots[slotCount];
    ObjectApp mInventoryObjectSprite, mDescriptionSprite, mObjectDragSprite, mRoomObjectSprite,
        mNumberSprite;
    Vector2D mouse; // in screen units
    bool mRenderDescription = false;
    InventorySlot inventorySlots[slotCount];
    Vector2D gridPositions[spotCount];
    bool occupiedPositions[16] = {};
    float mScore = 0.0f, mResetTimer = 0.0f;
    float screenWidthRatio = 1.0f, screenHeightRatio = 1.0f; // window size / screen size
    Texture* textures = nullptr;
    ObjectApp* displayables = nullptr;
    Object3D* models = nullptr;

private:
    void freeObjectTypes();
    // Objects that play can take in the level being made: with no more than
    // the slots, no take ever finds them all full.
    unsigned int takesPlanned = 0;
    bool roomForOneMoreTake() const { return takesPlanned < slotCount; }
    // Generator steps on roomObjects[index]; true when the step applied.
    bool reverseTurn(unsigned int index);
    bool reverseCombination(unsigned int index, unsigned int& currentObject);
    bool hideInSpawner(unsigned int index, ObjectType* spawner);
    bool ableToSpawn(const RoomObject& object);
    bool releasesWhenClicked(ObjectType* spawner);
    bool clicksSpoilCombination(ObjectType* owner, const RoomObject& object);
    // Free spots from first on, wrapping; -1 when there is none.
    int freeSpot(int first);
    int freeSpawnerSpot(int first);
    // Appends a room object; false when the pool is full.
    bool addRoomObject(ObjectType* type, int spot);

    // Interaction pieces of prepare.
    int slotUnderMouse();
    int roomObjectUnderMouse();
    void showDescription(ObjectType* type);
    // False when the click finished the level (a new one has started).
    bool pressRoomObject(RoomObject& object);
    void dropDraggedObject();
    bool putInFirstEmptySlot(ObjectType* type);
};
