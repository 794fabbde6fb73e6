#include "FrameTime.h"

float frameSeconds(std::int64_t elapsedTicks, std::int64_t frequency) {
    if (frequency <= 0)
        return 0.0f;
    // Unsigned so that a product past 2^63 wraps instead of being undefined.
    std::int64_t microseconds = std::int64_t(std::uint64_t(elapsedTicks) * 1000000u) / frequency;
    return float(float(microseconds) / 1000000.0);
}
