#include "GameFixture.h"

#include "ScriptedRandom.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"
#include "support/TestFiles.h"

const char* const keyHolderCatalogue = R"({"objectsList": {"objects": [
    {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
    {"name": "wooden_crate", "takeable": false, "canSpawnObject": true},
    {"name": "sack", "takeable": false, "canSpawnObject": true},
    {"name": "key", "combinations": [
        {"combineWith": "crowbar", "turnInto": "wooden_crate", "destroy": true}]},
    {"name": "latch", "takeable": false, "turnIntoOnInteract": "stuck_latch", "combinations": [
        {"combineWith": "crowbar", "turnInto": "wooden_crate", "destroy": true}]},
    {"name": "nailed_crate", "takeable": false, "combinations": [
        {"combineWith": "crowbar", "turnInto": "wooden_crate", "destroy": false}]},
    {"name": "dark_portal", "turnIntoOnInteract": "glowing_portal", "combinations": [
        {"combineWith": "hammer", "turnInto": "sack", "destroy": true}]},
    {"name": "glowing_portal", "takeable": false, "finishLevelOnInteract": true,
     "turnIntoOnInteract": "rubble"},
    {"name": "rubble", "takeable": false},
    {"name": "crowbar"}, {"name": "hammer"},
    {"name": "rusty_key", "combinations": [
        {"combineWith": "oil_can", "turnInto": "key", "destroy": true}]},
    {"name": "oil_can"},
    {"name": "stuck_latch", "takeable": false}]}})";

void GameTest::SetUp() {
    recorder().reset();
    holdOnly({});
    inputManager = InputManager();
    seedScriptedRandom(1);
    testing::internal::CaptureStdout();
    bool ready = game.init();
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ready);
    game.onResize(1280, 720);
}

void GameTest::TearDown() {
    inputManager = InputManager();
}

bool GameTest::useCatalogue(const std::string& json) {
    std::string name = std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                       "-objects.json";
    std::string path = writeTestFile(name, json);
    testing::internal::CaptureStderr();
    bool loaded = game.loadObjectTypes(path.c_str());
    loadErrors = testing::internal::GetCapturedStderr();
    game.roomObjectCount = 0;
    game.draggingObject = nullptr;
    setInventory({});
    return loaded;
}

Sarn2017::ObjectType* GameTest::type(const char* name) {
    Sarn2017::ObjectType* found = game.findTypeFromName(name);
    EXPECT_TRUE(found) << name;
    return found;
}

void GameTest::setRoom(std::initializer_list<Placed> objects) {
    game.roomObjectCount = 0;
    for (const Placed& placed : objects) {
        Sarn2017::RoomObject& object = game.roomObjects[game.roomObjectCount++];
        object.type = type(placed.type);
        object.positionIndex = placed.spot;
        object.taken = false;
        object.objectToSpawn = placed.hidden ? type(placed.hidden) : nullptr;
    }
}

void GameTest::setInventory(std::initializer_list<const char*> types) {
    for (Sarn2017::InventorySlot& slot : game.inventorySlots)
        slot.object = nullptr;
    game.objectCount = 0;
    int slot = 0;
    for (const char* name : types) {
        if (name) {
            Sarn2017::Object& object = game.objects[game.objectCount++];
            object.type = type(name);
            game.inventorySlots[slot].object = &object;
        }
        ++slot;
    }
}

std::string GameTest::slotType(int slot) {
    Sarn2017::Object* object = game.inventorySlots[slot].object;
    return object ? object->type->name : "";
}

void GameTest::frame(float x, float y, bool button, std::initializer_list<Key> keys) {
    inputManager.mWritableMousePosition = Vector2D(x, y);
    inputManager.mWritableMouseLeft = button;
    holdOnly(keys);
    game.prepare(0.016f);
}

void GameTest::click(Vector2D at) {
    frame(at.x, at.y, true);
    frame(at.x, at.y, false);
}

void GameTest::drag(Vector2D from, Vector2D to) {
    frame(from.x, from.y, true);
    frame(to.x, to.y, true);
    frame(to.x, to.y, false);
}

Vector2D GameTest::slotCentre(int slot) {
    return Vector2D(80.0f + 120.0f * float(slot % 2), 60.0f + 120.0f * float(slot / 2));
}

Vector2D GameTest::roomCentre(unsigned int index) {
    const Sarn2017::RoomObject& object = game.roomObjects[index];
    Vector2D spot = game.gridPositions[object.positionIndex];
    Texture& picture = object.type->roomTexture;
    return Vector2D(spot.x + picture.getWidth() / 3.0f, spot.y + picture.getHeight() / 3.0f);
}
