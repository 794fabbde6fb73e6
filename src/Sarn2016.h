#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ClientWindowEventHandler.h"
#include "FlatCollideMesh.h"
#include "MathUtils/AABB.h"
#include "MathUtils/Quaternion.h"
#include "MathUtils/Vector2D.h"
#include "MathUtils/Vector3D.h"
#include "Object3D.h"
#include "ObjectApp.h"
#include "Renderer/Shader.h"
#include "Texture.h"
#include "Transform.h"
#include "World.h"

class Editor;

// The underwater swimming game: a diver swims through up to ten rooms read from
// a level file, with keys, doors, levers, keyframed mechanisms, camera paths
// and small scripts (code trees). The object holds its ten rooms inline: it is
// large, so it lives on the heap.
//
// Sources: Sarn2016.cpp (set-up), Sarn2016Rooms.cpp (room defaults, seaweed,
// grid), Sarn2016BorderStrips.cpp (strip geometry), Sarn2016BorderMeshes.cpp
// (the strips' meshes), Sarn2016Mechanisms.cpp, Sarn2016CodeTree.cpp,
// Sarn2016Play.cpp and Sarn2016Collision.cpp (a frame of play),
// Sarn2016Render.cpp and Sarn2016Camera.cpp (drawing it).
class Sarn2016 {
public:
    // One node of a room script: calls code with the game and funcData, then
    // goes on with ifTrue or ifFalse by its result. Nodes live in Room::codes
    // and own nothing.
    class CodeTree {
    public:
        typedef bool (*func)(Sarn2016* game, void* data);
        static constexpr std::size_t poolSize = 1024;

        // The argument pool shared by every node: started afresh at each load.
        static std::size_t dataCount;
        static char* dataPool[poolSize];
        static void initPool();

        // False when the node has no callback.
        bool call(Sarn2016* game);
        // Records data, data + 1, ... in the pool and makes data the argument.
        // A null data changes nothing; a reservation past the pool's end is
        // refused with a line on stderr and false.
        bool setData(void* data, std::size_t size);
        // Runs a tree from root until a null branch; at most maxSteps calls, so
        // a hand-made cycle cannot hang the frame.
        static void run(CodeTree* root, Sarn2016* game);
        static constexpr unsigned int maxSteps = 20;

        func code = nullptr;
        CodeTree* ifTrue = nullptr;
        CodeTree* ifFalse = nullptr;
        void* funcData = nullptr;
    };

    // Moves a set of transforms along keys, relative to a parent pose. Child
    // groups belong to their parent: freed with it, copied with it.
    class ObjectGroup {
    public:
        ObjectGroup() = default;
        ~ObjectGroup();
        ObjectGroup(const ObjectGroup& other);
        ObjectGroup& operator=(const ObjectGroup& other);
        ObjectGroup(ObjectGroup&& other) noexcept;
        ObjectGroup& operator=(ObjectGroup&& other) noexcept;

        // Places the objects at point ratio (0 to 1) of the move, then the
        // children under this group's pose. A group without keys moves nothing.
        void interpolate(float ratio, Vector3D parentPosition, Quaternion parentOrientation);
        // Exactly the last key (end) or the first.
        void toExtremity(bool end, Vector3D parentPosition, Quaternion parentOrientation);
        // Frees the children and empties every list.
        void clear();

        std::vector<Transform*> objects; // not owned: the room's static objects
        std::vector<Vector3D> anchors;
        std::vector<Quaternion> relativeOrientations;
        std::vector<Vector3D> positions;
        std::vector<Quaternion> orientations;
        std::vector<float> timeRatios;
        std::vector<ObjectGroup*> children; // owned

    private:
        void copyChildren(const std::vector<ObjectGroup*>& from);
    };

    // The moving parts of a door or lever. end: where it rests (true: the last
    // keys), or where a running move started from.
    struct Mechanism {
        Vector3D position;
        Quaternion orientation;
        bool end = false;
        bool running = false;
        float runningDirection = 1.0f;
        float timeFromStart = 0.0f;
        float runningTime = 0.0f;
        std::vector<ObjectGroup> objectGroups;
        std::vector<ObjectGroup> children;

        // Negates runningDirection and snaps every group to end; callers flip
        // end first.
        void toggleExtremity();
    };

    struct Seaweed {
        Vector3D position;
        Vector3D startTime;      // sway phase per axis
        Vector3D startDirection; // +1 or -1 per axis
        Vector3D speed;
        Vector2D yawPitch; // fixed lean, degrees
    };

    // Heights blocked in one grid cell: bottom <= z < top; floor is the lowest z.
    struct Obstacle {
        float bottom = 0.0f;
        float top = -20.0f;
        float floor = -20.0f;
    };

    class Sarn2016Displayable {
    public:
        Vector3D& position() { return transform.position; }
        Quaternion& orientation() { return transform.orientation; }

        Transform transform;
        Texture* texture = nullptr;  // the level's
        ObjectApp* object = nullptr; // the level's
    };

    struct CameraWaypoint {
        Vector3D eye;
        Vector3D target;
        Vector3D up = Vector3D(0.0f, 0.0f, 1.0f);
        float timeRatio = 0.0f;
    };

    struct CameraPath {
        float duration = 0.0f;
        float timeFromStart = 0.0f;
        std::vector<CameraWaypoint> waypoints;
    };

    struct Room;

    struct Door {
        Room* room = nullptr; // the room behind the door
        Vector2D playerPosition;
        AABB roomChangeArea;
        Mechanism mechanism;
    };

    struct Lever {
        CodeTree* effect = nullptr;
        AABB interactionArea; // relative to the mechanism's position
        Mechanism mechanism;
    };

    struct Trigger {
        CodeTree* effect = nullptr;
        AABB box; // relative to position
        Vector3D position;
    };

    struct Collectible {
        Sarn2016Displayable* displayable = nullptr;
        bool collected = false;
        Trigger trigger;
    };

    // A rectangle of open water with its content. The counts say how much of
    // each array is in use.
    struct Room {
        static constexpr unsigned int seaweedCount = 120;
        static constexpr unsigned int maxStaticObjects = 400;
        static constexpr unsigned int maxCollectibles = 10;
        static constexpr unsigned int maxLevers = 5;
        static constexpr unsigned int maxDoors = 3;
        static constexpr unsigned int maxCodes = 20;
        static constexpr unsigned int maxTriggers = 10;
        static constexpr unsigned int gridSide = 50;
        static constexpr unsigned int gridCells = gridSide * gridSide;

        Room();
        // Bounds as given, fresh seaweed, no content; door end flags stay.
        void roomDefault(float left, float right, float bottom, float top);
        void randomSeaweed();
        // Every cell open water.
        void updateCollisionGrid();
        // The cell of a point (2 x 2 units a cell), clamped to the grid: never
        // outside the 2500 cells, whatever the coordinates.
        static unsigned int gridIndex(float x, float y);

        // Reads a room file into this room, after roomDefault. False, with
        // "<file>: <reason>" on stderr, when the file is missing or malformed,
        // names what does not exist, or holds more than the room can; the room
        // is then only partly filled and the level refuses it. A toggleDoor
        // argument in another room is checked by the level, once all are read.
        bool loadRoom(const char* fileName, std::map<std::string, Texture*>* texturesDB,
                      std::map<std::string, ObjectApp*>* displayablesDB,
                      std::map<std::string, Room*>& roomDictionary);
        // Writes the room as it is now in the format loadRoom reads, with the
        // level's name tables and every id generated anew. The old file is
        // replaced only by a complete new one: false, with a line on stderr,
        // when the file cannot be written or the room holds what the format
        // cannot carry (a non-finite number, an object outside the tables, a
        // record without its code tree, a script argument that is no door or
        // path of the level).
        bool toJson(const char* fileName, std::map<std::string, Texture*>* texturesDB,
                    std::map<std::string, ObjectApp*>* displayablesDB,
                    std::map<std::string, Room*>& roomDictionary) const;
        // The playable area (one unit inside the bounds) lies inside the grid.
        bool boundsFitGrid() const;

        // Callback of a name; an unknown name gives hasRedKey, with a warning.
        static CodeTree::func StringToCodeTreeFunc(std::string name);
        // Name of a callback; "unknown" for any other pointer.
        static std::string codeTreeFuncToString(CodeTree::func f);

        float left = 0.0f, right = 100.0f, top = 100.0f, bottom = 0.0f;
        Seaweed trees[seaweedCount];
        Sarn2016Displayable staticObjects[maxStaticObjects];
        Collectible collectibles[maxCollectibles];
        Lever levers[maxLevers];
        Door doors[maxDoors];
        CodeTree codes[maxCodes];
        Trigger triggers[maxTriggers];
        unsigned int leverCount = 0, doorCount = 0, staticObjectCount = 0, collectibleCount = 0,
                     codesCount = 0, triggerCount = 0;
        bool transiting = false;
        bool entryTransition = false;
        float transitingTime = 0.0f;
        Door* doorTaken = nullptr;
        Obstacle grid[gridCells];
        std::vector<CameraPath> cameraPaths;
        unsigned int borderTopMeshSeed = 0;
    };

    struct Swimmer {
        ObjectApp model;
        Vector3D previousPosition;
        Vector3D position;
        float decelerationTime = 1.0f;
        float speed = 0.0f;
        float immobileSpeed = 0.0f;
        Vector3D direction;
        Vector3D lastSwimmingDirection;
        float flotationTime = 0.0f;
        bool hasRedKey = false, hasGreenKey = false, hasBlueKey = false, hasGoldKey = false;
        float yaw = 0.0f, pitch = 0.0f; // degrees
    };

    struct SwimmerTransform {
        Vector3D position;
        Vector3D up;
    };

    static constexpr unsigned int roomSlots = 10;

    Sarn2016();
    ~Sarn2016();
    Sarn2016(const Sarn2016&) = delete;
    Sarn2016& operator=(const Sarn2016&) = delete;

    // Loads every asset and the level; true whatever a load did (each loader
    // reports its own failures).
    bool init();
    // Reloads the level and restarts the game. A refused level leaves every
    // room empty open water, the swimmer in rooms[0].
    void reset();
    // A minimised window (no area) changes nothing.
    void onResize(int width, int height);
    void shutdown();
    // Replaces the level's tables and rooms from a level file; false (reported
    // on stderr) when the file or one of its rooms is refused, with every room
    // then emptied and the tables freed.
    bool loadLevel(const char* fileName);

    // One frame of play: seaweed, room changes, input, swimming, keys,
    // triggers, levers, doors and the camera path's clock.
    void prepare(float dt);
    // One frame of drawing: the chase camera (or the running path), the
    // underwater scene, the fades and the overlay.
    void render();
    // Draws o at coords with texture on unit 0, then puts o back at the origin.
    void renderObject(ObjectApp* o, Texture* texture, Vector3D coords);
    // As renderObject, sending the shader o's model matrix turned by
    // refractionRotMat as "refractionModelMat" first.
    void renderUnderwaterObject(ObjectApp* o, Texture* texture, Vector3D coords,
                                float* refractionRotMat);

    void takeRedKey() { swimmer.hasRedKey = true; }
    void takeGreenKey() { swimmer.hasGreenKey = true; }
    void takeBlueKey() { swimmer.hasBlueKey = true; }
    void takeGoldKey() { swimmer.hasGoldKey = true; }
    void removeRedKey() { swimmer.hasRedKey = false; }
    void removeGreenKey() { swimmer.hasGreenKey = false; }
    void removeBlueKey() { swimmer.hasBlueKey = false; }
    void removeGoldKey() { swimmer.hasGoldKey = false; }

    // Frees the level's arrays and tables and empties every room.
    void clearLevel();

    // The border strips of currentRoom: the first build fixes how many vertex
    // pairs each side has; the rebuilds move them for the room current now.
    void buildBorderMeshes();
    void updateTopBorderMesh();
    void updateBottomBorderMesh();

    ClientWindowEventHandler windowEventHandler; // first member: the window's link
    bool L3 = false, R3 = false, L1 = false, R1 = false, BUTTON_A = false, BUTTON_B = false,
         mouseLeft = false; // button latches
    CameraPath* currentCameraPath = nullptr;
    Vector3D oldDirection = Vector3D(0.0f, -1.0f, 0.0f);
    float m_rotationAngle = 0.0f, projAngle = 0.0f, aspect = 0.0f;
    Texture tex[1]; // the glyph atlas
    Texture mWaterTexture;
    ObjectApp trucApp[3];
    World monde; // the 3-D scene
    World GUI;   // the flat 20 x 11.25 overlay
    ObjectApp mTile;
    FlatCollideMesh mQuadCollider;
    Texture texWall, texWallGold, texGrass, texPavement, texCliff, texCar, texSeaweed, texBG,
        texWood, texDoor, texLever, texRedKey, texGreenKey, texBlueKey, texGoldKey, texRedLock,
        texGreenLock, texBlueLock, texGoldLock, texCtrl, texSwimmingControls,
        texUnderwaterRefraction;
    Texture underwaterRefractionTextures[36]; // the first 32 are loaded
    int refractionIndex = 0;
    Object3D quad, mSeaweedModel, mWallModel, mTallWallModel, mWoodModel, mFloorWoodModel,
        mWaterModel, mSwimmerModel, mDoorModel, mLockModel, mLeverModel, mLeverSocleModel;
    Shader shader, waterShader, shaderGameOver, seaweedShader, underwaterShader,
        roomTransitionShader, underwaterRefractionShader;
    float temps = 0.0f;
    float tutoTime = 0.0f, tutoTotalTime = 10.0f;
    Room rooms[roomSlots];
    std::map<std::string, Room*> roomDictionary;
    Room* currentRoom = &rooms[0];
    float roomTransitingTime = 0.7f;
    Editor* editor = nullptr;
    ObjectApp wallModel, tallWallModel, treeModel, floorWoodModel, mMapWall, mWater, mDoor, mLever,
        mLeverSocle, mRedKey, mGreenKey, mBlueKey, mGoldKey, mScreenQuad, mRedKeySprite,
        mGreenKeySprite, mBlueKeySprite, mGoldKeySprite, mRedLock, mGreenLock, mBlueLock, mGoldLock,
        guiCtrl, guiSwimmingControls;
    float distance = 0.0f, mScore = 0.0f, mResetTimer = 0.0f;
    bool gameOver = false;
    float mMultiplicateur = 3.0f;
    float startTime = 0.0f;
    int mDifficulty = 0;
    unsigned int mLives = 0;
    float mLifeTimer = 0.0f;
    bool gameStarted = false;
    Vector2D pos; // steering accumulator
    Vector3D screen;
    Vector2D angleScreen;
    float terrainRay = 150.0f;
    int moveMode = 0;
    bool projMode = true;
    float ySpan = 0.0f;
    float screenWidth = 0.0f, screenHeight = 0.0f;
    Swimmer swimmer;
    Vector3D v;
    std::vector<std::pair<float, SwimmerTransform>> previousPositions;
    Vector3D cameraPosition;
    Object3D mapBorderTopMesh, mapBorderBottomMesh;
    // The lagging camera up, set from the swimmer's on the first frame drawn.
    Vector3D oldSwimmerUp;
    bool oldSwimmerUpSet = false;
    Texture* textures = nullptr;
    ObjectApp* displayables = nullptr;
    Object3D* models = nullptr;
    // The name tables of the last level load (for the room writer): texture
    // path, displayable name and mesh path to the level's arrays.
    std::map<std::string, Texture*> texturesDB;
    std::map<std::string, ObjectApp*> displayablesDB;
    std::map<std::string, Object3D*> modelsDB;
    unsigned int textureCount = 0, modelCount = 0;
    // Vertex pairs per side of the strips, fixed by their first build.
    unsigned int borderSidePairs[4] = {};
};

// The code-tree callbacks, by the names of the room files.
bool g_takeRedKey(Sarn2016* game, void* data);
bool g_takeGreenKey(Sarn2016* game, void* data);
bool g_takeBlueKey(Sarn2016* game, void* data);
bool g_takeGoldKey(Sarn2016* game, void* data);
bool g_removeRedKey(Sarn2016* game, void* data);
bool g_removeGreenKey(Sarn2016* game, void* data);
bool g_removeBlueKey(Sarn2016* game, void* data);
bool g_removeGoldKey(Sarn2016* game, void* data);
bool g_hasRedKey(Sarn2016* game, void* data);
bool g_hasGreenKey(Sarn2016* game, void* data);
bool g_hasBlueKey(Sarn2016* game, void* data);
bool g_hasGoldKey(Sarn2016* game, void* data);
// data: a Sarn2016::Door*. Starts the door's move, or turns a running one back.
bool g_launchToggleDoor(Sarn2016* game, void* data);
// data: a Sarn2016::Door*. The door jumps to its other extremity.
bool g_toggleDoor(Sarn2016* game, void* data);
// data: a Sarn2016::CameraPath*. Starts it from 0 as the game's path.
bool g_launchCameraPath(Sarn2016* game, void* data);
