#include "Renderer/PC/DX12/SlotRanges.h"

void SlotRanges::reset(int first, int last) {
    ranges.clear();
    if (first <= last)
        ranges.push_back({first, last});
}

int SlotRanges::take() {
    if (ranges.empty())
        return -1;
    Range& range = ranges.front();
    int slot = range.first;
    if (slot + 1 > range.last)
        ranges.erase(ranges.begin());
    else
        range.first = slot + 1;
    return slot;
}
