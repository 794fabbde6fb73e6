#pragma once

#include <vector>

// Free descriptor slots of the view heap, kept as inclusive ranges. Texture
// slots are handed out once for the whole run; constant-block slots are given
// back all at once at the end of every frame by reset().
struct SlotRanges {
    struct Range {
        int first;
        int last;
    };
    std::vector<Range> ranges;

    // One range {first, last} and nothing else.
    void reset(int first, int last);
    // The lowest free slot of the first range, or -1 when every slot is taken.
    int take();
};
