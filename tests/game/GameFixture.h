#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Input/PC/InputManager.h"
#include "Input/PC/Keyboard.h"
#include "Sarn2017.h"

// A catalogue that invites losing a hidden object: three types combine with
// a crowbar into a wooden crate, so the generator could turn a crate that
// hides something back into any of them: a takeable key, which a click would
// take with what it hides, a latch, which a click sticks for good, and a
// nailed crate, which a click leaves as it is. A dark portal and a hammer
// make a sack; a click turns the dark portal into a glowing one, where the
// level ends, though a click there would leave rubble. A rusty key and an oil
// can make a key.
extern const char* const keyHolderCatalogue;

// A game over the shipped data, drawn by the recording back end, with the
// level generator scripted (ScriptedRandom.h) and input given as the window
// and keyboard would give it.
class GameTest : public testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Loads a catalogue from JSON text in place of the shipped one, with its
    // stderr kept in loadErrors.
    bool useCatalogue(const std::string& json);
    // Room objects by type name, on the given spots, hiding nothing.
    struct Placed {
        const char* type;
        int spot;
        const char* hidden = nullptr;
    };
    void setRoom(std::initializer_list<Placed> objects);
    // Inventory slots 0, 1, ... holding these types (null leaves a slot empty).
    void setInventory(std::initializer_list<const char*> types);
    Sarn2017::ObjectType* type(const char* name);
    // The type name in a slot, or "" when it is empty.
    std::string slotType(int slot);

    // One frame: the window's mouse (pixels, y from the bottom) and the keys held.
    void frame(float x, float y, bool button, std::initializer_list<Key> keys = {});
    void click(Vector2D at);
    void drag(Vector2D from, Vector2D to);
    // Screen points inside slot i and inside room object j's box.
    Vector2D slotCentre(int slot);
    Vector2D roomCentre(unsigned int index);

    Sarn2017 game;
    std::string loadErrors;
};
