#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "Input/PC/Keyboard.h"
#include "example.h"

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

    std::unique_ptr<Example> game;
};
