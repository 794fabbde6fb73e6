#include "GameFixture.h"

#include <random>
#include <set>

#include "support/Recorder.h"

namespace {

using Monkey = GameTest;

// What must hold after any frame, whatever the player did.
void expectSound(Sarn2017& game, long frame) {
    ASSERT_LE(game.objectCount, Sarn2017::poolSize) << "frame " << frame;
    ASSERT_LE(game.roomObjectCount, Sarn2017::poolSize) << "frame " << frame;
    std::set<const Sarn2017::Object*> held;
    auto inPool = [&](const Sarn2017::Object* object) {
        return object >= game.objects && object < game.objects + game.objectCount &&
               object->type != nullptr;
    };
    for (const Sarn2017::InventorySlot& slot : game.inventorySlots) {
        if (!slot.object)
            continue;
        ASSERT_TRUE(inPool(slot.object)) << "frame " << frame;
        ASSERT_TRUE(held.insert(slot.object).second)
            << "two slots share an object, frame " << frame;
    }
    if (game.draggingObject) {
        ASSERT_TRUE(inPool(game.draggingObject)) << "frame " << frame;
        ASSERT_EQ(held.count(game.draggingObject), 0u) << "dragged and in a slot, frame " << frame;
        ASSERT_GE(game.draggingFromSlot, 0);
        ASSERT_LT(game.draggingFromSlot, 12);
    }
    for (unsigned int i = 0; i < game.roomObjectCount; ++i) {
        const Sarn2017::RoomObject& object = game.roomObjects[i];
        ASSERT_NE(object.type, nullptr) << "frame " << frame;
        ASSERT_GE(object.positionIndex, 0);
        ASSERT_LE(object.positionIndex, 16) << "frame " << frame;
    }
}

TEST_F(Monkey, ThousandsOfRandomFrames) {
    std::mt19937 random(20170);
    auto chance = [&](int percent) { return int(random() % 100) < percent; };
    auto coordinate = [&](float limit) { return float(random() % unsigned(limit * 4)) / 4.0f; };
    Vector2D mouse(600, 300);
    bool button = false;
    int firstLevel = game.levelNum, resizes = 0, finished = 0;
    testing::internal::CaptureStdout();
    for (long frame = 0; frame < 60000; ++frame) {
        if (chance(30)) {
            // Aim at what is there most of the time, anywhere now and then.
            std::vector<Vector2D> targets;
            for (int slot = 0; slot < 12; ++slot)
                if (game.inventorySlots[slot].object)
                    targets.push_back(slotCentre(slot));
            for (unsigned int i = 0; i < game.roomObjectCount; ++i)
                if (!game.roomObjects[i].taken)
                    targets.push_back(roomCentre(i));
            if (chance(80) && !targets.empty())
                mouse = targets[random() % targets.size()];
            else
                mouse = Vector2D(coordinate(1300), coordinate(740));
            mouse.x *= game.screenWidthRatio;
            mouse.y *= game.screenHeightRatio;
        }
        if (chance(35))
            button = !button;
        bool f4 = random() % 400 == 0;
        // Keep the levels small, so that random play finishes some.
        if (game.targetInteractions > 6)
            game.targetInteractions = 2;
        if (chance(1)) {
            static const int sizes[][2] = {{1280, 720}, {640, 360}, {0, 0}, {1920, 1080}};
            const int* size = sizes[random() % 4];
            game.onResize(size[0], size[1]);
            ++resizes;
        }
        int level = game.levelNum;
        if (f4)
            GameTest::frame(mouse.x, mouse.y, button, {Key::F4});
        else
            GameTest::frame(mouse.x, mouse.y, button);
        if (!f4 && game.levelNum != level)
            ++finished;
        expectSound(game, frame);
        if (HasFatalFailure())
            break;
        if (frame % 50 == 0)
            game.render();
    }
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(recorder().faults().empty());
    EXPECT_GT(game.levelNum - firstLevel, 100);
    EXPECT_GT(resizes, 100);
    EXPECT_GT(finished, 30); // by clicking the end object
    std::printf("%d levels started, %d finished\n", game.levelNum - firstLevel, finished);
}

} // namespace
