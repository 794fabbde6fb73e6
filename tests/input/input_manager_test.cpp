#include "Input/PC/InputManager.h"
#include "ScriptedKeyboard.h"

#include <gtest/gtest.h>

static void expectAxes(const InputManager& input, float x, float y) {
    for (const Vector2D* v : {&input.dPad(), &input.leftStick(), &input.rightStick()}) {
        EXPECT_EQ(v->x, x);
        EXPECT_EQ(v->y, y);
    }
}

static void expectButtons(const InputManager& input, bool a, bool b, bool l1, bool r1, bool l3,
                          bool r3) {
    EXPECT_EQ(input.buttonA(), a);
    EXPECT_EQ(input.buttonB(), b);
    EXPECT_EQ(input.buttonL1(), l1);
    EXPECT_EQ(input.buttonR1(), r1);
    EXPECT_EQ(input.buttonL3(), l3);
    EXPECT_EQ(input.buttonR3(), r3);
    EXPECT_FALSE(input.buttonX());
    EXPECT_FALSE(input.buttonY());
    EXPECT_EQ(input.buttonL2(), 0.0f);
    EXPECT_EQ(input.buttonR2(), 0.0f);
}

TEST(InputManager, GlobalStartsEmpty) {
    expectAxes(inputManager, 0, 0);
    expectButtons(inputManager, false, false, false, false, false, false);
    EXPECT_FALSE(inputManager.mouseLeft());
    EXPECT_EQ(inputManager.mousePosition().x, 0.0f);
    EXPECT_EQ(inputManager.mousePosition().y, 0.0f);
    EXPECT_EQ(inputManager.mWritableMousePosition.y, 0.0f);
}

TEST(InputManager, EachKeyDrivesOneButton) {
    InputManager input;
    struct Case {
        Key key;
        bool a, b, l1, r1, l3, r3;
    };
    const Case cases[] = {
        {Key::Space, true, false, false, false, false, false},
        {Key::LeftControl, false, true, false, false, false, false},
        {Key::F1, false, false, true, false, false, false},
        {Key::F2, false, false, false, true, false, false},
        {Key::F3, false, false, false, false, true, false},
        {Key::F4, false, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        holdOnly({c.key});
        input.pollAll();
        SCOPED_TRACE(static_cast<int>(c.key));
        expectButtons(input, c.a, c.b, c.l1, c.r1, c.l3, c.r3);
        expectAxes(input, 0, 0);
    }
    holdOnly({Key::Space, Key::LeftControl, Key::F1, Key::F2, Key::F3, Key::F4});
    input.pollAll();
    expectButtons(input, true, true, true, true, true, true);
    holdOnly({});
    input.pollAll();
    expectButtons(input, false, false, false, false, false, false);
}

TEST(InputManager, ArrowsFillDPadAndBothSticks) {
    InputManager input;
    struct Case {
        std::initializer_list<Key> keys;
        float x, y;
    };
    const Case cases[] = {
        {{Key::Left}, -1, 0},
        {{Key::Right}, 1, 0},
        {{Key::Up}, 0, 1},
        {{Key::Down}, 0, -1},
        {{Key::Right, Key::Down}, 1, -1},
        {{Key::Left, Key::Right}, -1, 0}, // Left wins
        {{Key::Up, Key::Down}, 0, 1},     // Up wins
        {{Key::Left, Key::Right, Key::Up, Key::Down}, -1, 1},
        {{}, 0, 0},
    };
    for (const Case& c : cases) {
        holdOnly(c.keys);
        input.pollAll();
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        expectAxes(input, c.x, c.y);
        expectButtons(input, false, false, false, false, false, false);
    }
}

TEST(InputManager, MouseIsSnapshotAtPoll) {
    InputManager input;
    holdOnly({});
    input.mWritableMouseLeft = true;
    input.mWritableMousePosition = Vector2D(10, 721);
    EXPECT_FALSE(input.mouseLeft()); // not before the poll
    input.pollAll();
    EXPECT_TRUE(input.mouseLeft());
    EXPECT_EQ(input.mousePosition().x, 10.0f);
    EXPECT_EQ(input.mousePosition().y, 721.0f);

    // Press and release between two polls: the next poll sees it up.
    input.mWritableMouseLeft = true;
    input.mWritableMouseLeft = false;
    input.mWritableMousePosition = Vector2D(20, 30);
    EXPECT_EQ(input.mousePosition().x, 10.0f);
    input.pollAll();
    EXPECT_FALSE(input.mouseLeft());
    EXPECT_EQ(input.mousePosition().y, 30.0f);
}
