#include "KeyFrameAnimationsSet.h"

#include <cstdint>

// The node comes from memory: key frames are read from a JSON value, not a file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseIterativeFlag>(reinterpret_cast<const char*>(data), size);
    if (doc.HasParseError())
        return 0;
    KeyFrameAnimationsSet set;
    set.loadFromJSONNode(doc);
    for (unsigned int a = 0; a <= set.mNbAnims && a < 8; ++a) {
        float end = set.getEndTime(a);
        for (float t : {-1.0f, 0.0f, 0.25f, 0.5f, 1.0f, end * 0.5f, end, end + 1.0f})
            set.calculateFrameMesh(a, t);
    }
    return 0;
}
