#include "GameFixture.h"

#include "ScriptedRandom.h"
#include "support/Recorder.h"

namespace {

using Play = GameTest;

TEST_F(Play, BoxesAreStrict) {
    setRoom({{"key", 0}});
    setInventory({"hammer"});
    // Slot 0 spans 50-110 x 30-90; the key's box 700-796 x 370-466.
    for (Vector2D edge :
         {Vector2D(50, 60), Vector2D(110, 60), Vector2D(80, 30), Vector2D(80, 90)}) {
        frame(edge.x, edge.y, true);
        EXPECT_EQ(game.draggingObject, nullptr) << edge.x << ", " << edge.y;
        frame(edge.x, edge.y, false);
    }
    for (Vector2D edge :
         {Vector2D(700, 400), Vector2D(796.5f, 400), Vector2D(750, 370), Vector2D(750, 466.5f)}) {
        click(edge);
        EXPECT_FALSE(game.roomObjects[0].taken) << edge.x << ", " << edge.y;
    }
    click(Vector2D(700.5f, 370.5f));
    EXPECT_TRUE(game.roomObjects[0].taken);
    EXPECT_EQ(slotType(1), "key");
    frame(50.5f, 89.5f, true);
    EXPECT_EQ(game.draggingObject, &game.objects[0]);
    EXPECT_EQ(slotType(0), "");
}

TEST_F(Play, HoverShowsNameCardsAndNamesTheSlotEveryFrame) {
    setRoom({{"key", 0}});
    setInventory({nullptr, "hammer"});
    testing::internal::CaptureStdout();
    frame(80, 60, false);
    EXPECT_FALSE(game.mRenderDescription); // an empty slot has no card
    frame(200, 60, false);
    frame(200, 60, false);
    EXPECT_TRUE(game.mRenderDescription);
    Texture& card = type("hammer")->descriptionTexture;
    EXPECT_EQ(game.mDescriptionSprite.getTexture(), &card);
    EXPECT_EQ(game.mDescriptionSprite.x(), 200);
    EXPECT_EQ(game.mDescriptionSprite.y(), 60);
    EXPECT_EQ(game.mDescriptionSprite.scale().x, card.getWidth() / 2.0f);
    EXPECT_EQ(game.mDescriptionSprite.scale().y, card.getHeight() / 2.0f);
    frame(750, 400, false);
    EXPECT_EQ(game.mDescriptionSprite.getTexture(), &type("key")->descriptionTexture);
    frame(600, 600, false);
    EXPECT_FALSE(game.mRenderDescription);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Mouse inside slot 0\nMouse inside slot 1\nMouse inside slot 1\n");
}

TEST_F(Play, MouseFollowsTheWindowSize) {
    game.windowEventHandler.onResize(640, 360); // as the window passes size messages on
    EXPECT_EQ(game.screenWidthRatio, 0.5f);
    EXPECT_EQ(game.screenHeightRatio, 0.5f);
    RecordedEvent viewPort = recorder().events(RecordedEvent::viewPort).back();
    EXPECT_EQ(viewPort.width, 640);
    EXPECT_EQ(viewPort.height, 360);
    // The projection still spans the 1280 x 720 screen.
    EXPECT_FLOAT_EQ(game.GUI.projMat[0], 2.0f / 1280.0f);
    EXPECT_FLOAT_EQ(game.GUI.projMat[5], 2.0f / 720.0f);

    setRoom({{"key", 0}});
    setInventory({nullptr, "hammer"});
    frame(100, 30, true); // window pixels: screen (200, 60) in slot 1
    EXPECT_EQ(game.mouse.x, 200);
    EXPECT_EQ(game.mouse.y, 60);
    ASSERT_NE(game.draggingObject, nullptr);
    frame(40, 30, false); // over slot 0
    EXPECT_EQ(slotType(0), "hammer");
    click(Vector2D(375, 200)); // the key at screen (750, 400)
    EXPECT_TRUE(game.roomObjects[0].taken);

    // A minimised window reports 0 x 0: the mouse keeps its scale.
    game.onResize(0, 0);
    EXPECT_EQ(game.screenWidthRatio, 0.5f);
    EXPECT_EQ(game.screenHeightRatio, 0.5f);
    frame(40, 30, false);
    EXPECT_EQ(game.mouse.x, 80);

    // A window of another shape than the screen scales each axis on its own.
    game.onResize(1920, 540);
    setRoom({{"key", 0}});
    click(Vector2D(1125, 300)); // the key at screen (750, 400)
    EXPECT_TRUE(game.roomObjects[0].taken);
}

// Types that do several things, to see which rule a click follows.
const char* manyRules = R"({"objectsList": {"objects": [
    {"name": "open_door", "finishLevelOnInteract": true, "canSpawnObject": true,
     "turnIntoOnInteract": "sack"},
    {"name": "closed_door", "canSpawnObject": true, "turnIntoOnInteract": "sack"},
    {"name": "sack", "canSpawnObject": true},
    {"name": "key"}]}})";

TEST_F(Play, ClickFinishesThenTurnsThenReleasesThenTakes) {
    ASSERT_TRUE(useCatalogue(manyRules)) << loadErrors;
    setRoom({{"open_door", 16, "key"}, {"closed_door", 0, "key"}, {"key", 2}});
    click(roomCentre(1));
    EXPECT_EQ(game.roomObjects[1].type, type("sack"));
    EXPECT_EQ(game.roomObjectCount, 3u);
    click(roomCentre(1)); // a sack that hides the key releases it on spot 0 + 4
    ASSERT_EQ(game.roomObjectCount, 4u);
    EXPECT_EQ(game.roomObjects[3].type, type("key"));
    EXPECT_EQ(game.roomObjects[3].positionIndex, 4);
    EXPECT_EQ(game.roomObjects[3].objectToSpawn, nullptr);
    EXPECT_EQ(game.roomObjects[1].objectToSpawn, nullptr);
    click(roomCentre(1)); // now empty, the sack is taken
    EXPECT_TRUE(game.roomObjects[1].taken);
    EXPECT_EQ(slotType(0), "sack");
    click(roomCentre(3));
    EXPECT_EQ(slotType(1), "key");
    EXPECT_EQ(game.objectCount, 2u);

    int level = game.levelNum;
    scriptRandom({0});
    testing::internal::CaptureStdout();
    click(roomCentre(0));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.levelNum, level + 1);
    EXPECT_EQ(slotType(0), "");
    EXPECT_EQ(game.objectCount, 0u);
}

TEST_F(Play, ShutContainerKeepsWhatItHidesUntilOpened) {
    // The generator turns a crate that hides the key back into a nailed one.
    setRoom({{"nailed_crate", 2, "key"}});
    setInventory({"crowbar"});
    click(roomCentre(0));
    EXPECT_EQ(game.roomObjectCount, 1u);
    EXPECT_EQ(game.roomObjects[0].objectToSpawn, type("key"));
    drag(slotCentre(0), roomCentre(0));
    ASSERT_EQ(game.roomObjects[0].type, type("wooden_crate"));
    click(roomCentre(0));
    ASSERT_EQ(game.roomObjectCount, 2u);
    EXPECT_EQ(game.roomObjects[1].type, type("key"));
    EXPECT_EQ(game.roomObjects[1].positionIndex, 6);
}

TEST_F(Play, FinishStartsTheNextLevelInTheSameFrame) {
    setRoom({{"open_door", 16}});
    game.temps = game.mScore = game.mResetTimer = 0;
    int level = game.levelNum;
    Vector2D door = roomCentre(0);
    testing::internal::CaptureStdout();
    frame(door.x, door.y, true);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.levelNum, level + 1);
    EXPECT_EQ(out.substr(out.size() - 25), "Fin generation du niveau\n");
    EXPECT_EQ(game.temps, 0.0f);
    EXPECT_EQ(game.mScore, 0.0f);
    EXPECT_EQ(game.mResetTimer, 0.0f);
    frame(door.x, door.y, false);
    EXPECT_FLOAT_EQ(game.temps, 0.016f);
    EXPECT_FLOAT_EQ(game.mScore, 0.016f * 15);
}

TEST_F(Play, FullInventoryOrPoolLeavesTheObjectInTheRoom) {
    setRoom({{"key", 0}});
    setInventory({"cloth", "cloth", "cloth", "cloth", "cloth", "cloth", "cloth", "cloth", "cloth",
                  "cloth", "cloth", "cloth"});
    click(roomCentre(0));
    EXPECT_FALSE(game.roomObjects[0].taken);
    EXPECT_EQ(game.objectCount, 12u);

    // Free slots but every pool entry of the level used: the take is refused
    // rather than written past the pool.
    setInventory({});
    game.objectCount = Sarn2017::poolSize;
    game.objects[Sarn2017::poolSize - 1].type = type("cloth");
    click(roomCentre(0));
    EXPECT_FALSE(game.roomObjects[0].taken);
    EXPECT_EQ(slotType(0), "");
    EXPECT_EQ(game.objectCount, Sarn2017::poolSize);
    EXPECT_EQ(game.objects[Sarn2017::poolSize - 1].type, type("cloth"));
    EXPECT_EQ(game.roomObjects[0].type, type("key"));
}

TEST_F(Play, DragWithinTheInventory) {
    setInventory({"hammer", nullptr, "cloth"});
    drag(slotCentre(0), slotCentre(11)); // to an empty slot, the last one
    EXPECT_EQ(slotType(0), "");
    EXPECT_EQ(slotType(11), "hammer");
    drag(slotCentre(11), slotCentre(11)); // its own slot is empty during the drag
    EXPECT_EQ(slotType(11), "hammer");
    drag(slotCentre(11), Vector2D(600, 650)); // over nothing: back
    EXPECT_EQ(slotType(11), "hammer");
    drag(slotCentre(11), slotCentre(2)); // onto an object it does not combine with: back
    EXPECT_EQ(slotType(11), "hammer");
    EXPECT_EQ(slotType(2), "cloth");
    EXPECT_EQ(game.draggingObject, nullptr);
    // A press over an empty slot drags nothing.
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(1), "");
}

TEST_F(Play, InventoryCombinations) {
    // The target's combination, used up: rusty key + oil can -> key.
    setInventory({"oil_can", "rusty_key"});
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(0), "");
    EXPECT_EQ(slotType(1), "key");

    // The target's combination, kept: geode + hammer -> crystal; the hammer goes back.
    setInventory({"hammer", "geode"});
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(0), "hammer");
    EXPECT_EQ(slotType(1), "crystal");

    // The dragged object's combination, partner used up: it takes the partner's slot.
    setInventory({"rusty_key", "oil_can"});
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(0), "");
    EXPECT_EQ(slotType(1), "key");

    // The dragged object's combination, partner kept: it changes and goes back.
    setInventory({"geode", "hammer"});
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(0), "crystal");
    EXPECT_EQ(slotType(1), "hammer");
}

TEST_F(Play, TargetCombinationWinsWhenBothNameEachOther) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
        {"name": "key", "combinations": [
            {"combineWith": "hammer", "turnInto": "crystal", "destroy": false}]},
        {"name": "hammer", "combinations": [
            {"combineWith": "cloth", "turnInto": "cloth", "destroy": true},
            {"combineWith": "key", "turnInto": "shears", "destroy": false},
            {"combineWith": "key", "turnInto": "cloth", "destroy": true}]},
        {"name": "crystal"}, {"name": "shears"}, {"name": "cloth"}]}})"))
        << loadErrors;
    setInventory({"key", "hammer"});
    drag(slotCentre(0), slotCentre(1));
    EXPECT_EQ(slotType(0), "key");
    EXPECT_EQ(slotType(1), "shears"); // first matching entry of the target's list
}

TEST_F(Play, RoomCombinations) {
    // The room object's combination, item used up.
    setRoom({{"locked_door", 16}});
    setInventory({"key"});
    drag(slotCentre(0), roomCentre(0));
    EXPECT_EQ(game.roomObjects[0].type, type("closed_door"));
    EXPECT_EQ(slotType(0), "");

    // The room object's combination, item kept.
    setRoom({{"dusty_trophy", 16}});
    setInventory({"cloth"});
    drag(slotCentre(0), roomCentre(0));
    EXPECT_EQ(game.roomObjects[0].type, type("golden_trophy"));
    EXPECT_EQ(slotType(0), "cloth");

    // The item's own combination: it changes and goes back, the partner stays
    // in the room although the combination says it is used up.
    setRoom({{"oil_can", 3}});
    setInventory({nullptr, "rusty_key"});
    drag(slotCentre(1), roomCentre(0));
    EXPECT_EQ(slotType(1), "key");
    EXPECT_EQ(game.roomObjects[0].type, type("oil_can"));
    EXPECT_FALSE(game.roomObjects[0].taken);

    // No combination: back. A taken object is not there to drop on.
    setRoom({{"hammer", 3}, {"locked_door", 16}});
    setInventory({"cloth"});
    drag(slotCentre(0), roomCentre(0));
    EXPECT_EQ(slotType(0), "cloth");
    game.roomObjects[1].taken = true;
    setInventory({"key"});
    drag(slotCentre(0), roomCentre(1));
    EXPECT_EQ(game.roomObjects[1].type, type("locked_door"));
    EXPECT_EQ(slotType(0), "key");
}

TEST_F(Play, F4StartsOneLevelPerPress) {
    int level = game.levelNum;
    testing::internal::CaptureStdout();
    frame(600, 600, false, {Key::F4});
    frame(600, 600, false, {Key::F4});
    frame(600, 600, false, {Key::F4, Key::F1, Key::Space});
    EXPECT_EQ(game.levelNum, level + 1);
    frame(600, 600, false, {Key::F1, Key::F2, Key::F3, Key::Space, Key::LeftControl});
    EXPECT_EQ(game.levelNum, level + 1); // the other buttons do nothing
    frame(600, 600, false, {Key::F4});
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.levelNum, level + 2);
    EXPECT_TRUE(game.R3);
    frame(600, 600, false);
    EXPECT_FALSE(game.R3);
}

TEST_F(Play, F4DuringADragKeepsTheDraggedObjectApart) {
    setInventory({"cloth", "hammer", "crowbar", "matches"});
    frame(slotCentre(3).x, slotCentre(3).y, true);
    ASSERT_EQ(game.draggingObject, &game.objects[3]);
    testing::internal::CaptureStdout();
    frame(slotCentre(3).x, slotCentre(3).y, true, {Key::F4});
    testing::internal::GetCapturedStdout();
    // The new level's pool starts after the dragged object.
    ASSERT_EQ(game.draggingObject, &game.objects[0]);
    EXPECT_EQ(game.draggingObject->type, type("matches"));
    EXPECT_EQ(game.objectCount, 1u);
    for (int slot = 0; slot < 12; ++slot)
        EXPECT_EQ(slotType(slot), "") << slot;

    // A take during the drag is impossible (the button is held), so take after
    // the drop and check that the two objects stay apart.
    frame(slotCentre(6).x, slotCentre(6).y, true);
    frame(slotCentre(6).x, slotCentre(6).y, false);
    EXPECT_EQ(slotType(6), "matches");
    setRoom({{"key", 0}});
    click(roomCentre(0));
    EXPECT_EQ(slotType(0), "key");
    EXPECT_EQ(game.inventorySlots[0].object, &game.objects[1]);
    EXPECT_EQ(slotType(6), "matches");

    // Dropped over nothing, it goes back to its old slot number in the new level.
    frame(slotCentre(6).x, slotCentre(6).y, true);
    testing::internal::CaptureStdout();
    frame(600, 650, true, {Key::F4});
    testing::internal::GetCapturedStdout();
    frame(600, 650, false);
    EXPECT_EQ(slotType(6), "matches");
    EXPECT_EQ(game.inventorySlots[6].object, &game.objects[0]);
}

} // namespace
