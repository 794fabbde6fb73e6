#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Input/PC/Keyboard.h"
#include "example.h"

// One draw as the recording back end saw it: the texture bound, the mesh and
// the model-view matrix sent with it.
struct Drawn {
    const Texture* texture;
    unsigned int mesh;
    std::vector<float> mv;
    // Where the model point (px, py, 0) lands in view space.
    float x(float px = 0.5f, float py = 0.5f) const { return mv[0] * px + mv[4] * py + mv[12]; }
    float y(float px = 0.5f, float py = 0.5f) const { return mv[1] * px + mv[5] * py + mv[13]; }
    float z() const { return mv[14]; }
    float width() const;
    float height() const;
    // The turn about the view axis, degrees.
    float turn() const;
};

// The dodge game over the shipped data, drawn by the recording back end, with
// scripted keys and random numbers. The game lives on the heap.
class ExampleTest : public testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    // One frame with exactly these keys held.
    void frame(float dt, std::initializer_list<Key> keys = {});
    // A run started by Space, as a player would (the gate needs 1 s first).
    void startRun();
    // Car slot i on the road at (x, y), standing still.
    void placeCar(int i, float x, float y);
    // frame(), returning what its render drew.
    std::vector<Drawn> drawnFrame(float dt, std::initializer_list<Key> keys = {});

    std::unique_ptr<Example> game;
};
