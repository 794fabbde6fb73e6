#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "Sarn2016.h"

// The shipped game on the recording back end in a 1280 x 720 window, started
// after Renderer::init as a driver starts it, keys and mouse up, randomness
// scripted: the tests that look at its screen.
class ShippedSarn2016 : public testing::Test {
protected:
    void SetUp() override;
    std::unique_ptr<Sarn2016> game;
};

// The mouse pixel (y up from the bottom) over world point p drawn with these
// matrices in a 1280 x 720 view; false when p is behind the eye or off screen.
bool pixelOf(const float* proj, const float* mv, const Vector3D& p, Vector2D& pixel);
