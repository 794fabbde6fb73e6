#pragma once

#include "Input/PC/Keyboard.h"

#include <initializer_list>

// The key sampler of the input tests: keys are down exactly when a test says so.
void holdOnly(std::initializer_list<Key> keys);
