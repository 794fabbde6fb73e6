#pragma once

#include <cstdint>

// The frame time of both editions' loops: performance-counter ticks to whole
// microseconds (64-bit, wrapping like the counter arithmetic), then to seconds.
float frameSeconds(std::int64_t elapsedTicks, std::int64_t frequency);

// The loops wait (3 ms at a time) until a frame has taken at least this long.
const float minimumFrameSeconds = 0.012f;
