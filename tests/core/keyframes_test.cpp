#include <gtest/gtest.h>

#include <cmath>

#include "KeyFrameAnimationsSet.h"
#include "support/TestFiles.h"

namespace {

using Floats = std::vector<float>;

// One frame whose every value is v (uvs v + 100, colours v + 200), of two
// vertices, uvs and colours unless said otherwise.
std::string frame(float start, float v, int vertices = 2, int uvs = 2, int colors = 2) {
    auto s = [](float f) { return std::to_string(f); };
    auto list = [](const std::string& item, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += (i ? ", " : "") + item;
        return "[" + out + "]";
    };
    std::string vertex = "{\"x\": " + s(v) + ", \"y\": " + s(v) + ", \"z\": " + s(v) + "}";
    std::string uv = "{\"u\": " + s(v + 100) + ", \"v\": " + s(v + 100) + "}";
    std::string color =
        "{\"r\": " + s(v + 200) + ", \"g\": " + s(v + 200) + ", \"b\": " + s(v + 200) + "}";
    return "{\"startTime\": " + s(start) + ", \"vertices\": " + list(vertex, vertices) +
           ", \"uvs\": " + list(uv, uvs) + ", \"colors\": " + list(color, colors) + "}";
}

// Animation 0: frames at 0, 1, 3 (values 0, 10, 30); animation 1: frames at
// 0, 2 (values 50, 70).
std::string twoAnimations() {
    return "[{\"frames\": [" + frame(0, 0) + ", " + frame(1, 10) + ", " + frame(3, 30) +
           "]}, {\"frames\": [" + frame(0, 50) + ", " + frame(2, 70) + "]}]";
}

void load(KeyFrameAnimationsSet& set, const std::string& json) {
    rapidjson::Document doc;
    doc.Parse(json.c_str());
    ASSERT_FALSE(doc.HasParseError()) << json;
    set.loadFromJSONNode(doc);
}

Floats current(KeyFrameAnimationsSet& s) {
    Floats out(s.getLastCalculatedFrameVertices(), s.getLastCalculatedFrameVertices() + 6);
    out.push_back(s.getLastCalculatedFrameTexCoords()[3]);
    out.push_back(s.getLastCalculatedFrameColors()[5]);
    return out;
}

Floats all(float v) {
    return {v, v, v, v, v, v, v + 100, v + 200};
}

TEST(KeyFrames, ClampsBlendsAndKeepsAnimationsApart) {
    std::string json = twoAnimations();
    writeFuzzSeed("keyframes", "two-animations.json", json);
    KeyFrameAnimationsSet s;
    load(s, json);
    ASSERT_EQ(s.mNbAnims, 2);
    EXPECT_EQ(s.mNbFrames, 5u);
    EXPECT_EQ(s.mNbVertex, 2u);

    s.calculateFrameMesh(0, 0.5f);
    EXPECT_EQ(current(s), all(5));
    s.calculateFrameMesh(0, 2); // halfway between the frames at 1 and 3
    EXPECT_EQ(current(s), all(20));
    s.calculateFrameMesh(0, 2.5f); // three quarters of the way
    EXPECT_EQ(current(s), all(25));
    s.calculateFrameMesh(0, 0);
    EXPECT_EQ(current(s), all(0));
    s.calculateFrameMesh(0, -4);
    EXPECT_EQ(current(s), all(0));
    s.calculateFrameMesh(0, 3);
    EXPECT_EQ(current(s), all(30));
    s.calculateFrameMesh(0, 99); // clamped to its own last frame, not animation 1's
    EXPECT_EQ(current(s), all(30));
    s.calculateFrameMesh(1, 1);
    EXPECT_EQ(current(s), all(60));
    s.calculateFrameMesh(1, 99);
    EXPECT_EQ(current(s), all(70));
    s.calculateFrameMesh(1, NAN);
    EXPECT_EQ(current(s), all(50));
    s.calculateFrameMesh(2, 1); // no such animation: nothing changes
    EXPECT_EQ(current(s), all(50));

    EXPECT_EQ(s.getEndTime(0), 3);
    EXPECT_EQ(s.getEndTime(1), 2);
    EXPECT_EQ(s.getEndTime(2), -1);

    load(s, "[{\"frames\": [" + frame(0, 1) + "]}]"); // a reload frees the first set
    EXPECT_EQ(s.mNbFrames, 1u);
    EXPECT_EQ(s.mNbAnims, 1);
}

TEST(KeyFrames, FramesWithoutEarlyStartOrWithoutFramesAtAll) {
    KeyFrameAnimationsSet s;
    // Animation 0 has no frames, animation 1 starts at time 1, animation 2 has
    // a "frames" that is not an array.
    load(s, "[{\"frames\": []}, {\"frames\": [" + frame(1, 10) + ", " + frame(2, 20) +
                "]}, {\"other\": 1}]");
    ASSERT_EQ(s.mNbAnims, 3);
    EXPECT_EQ(s.mAnimationStartFrames[0], 0u);
    EXPECT_EQ(s.mAnimationStartFrames[2], 2u);
    s.calculateFrameMesh(1, 0.5f); // before its first frame: the first frame
    EXPECT_EQ(current(s), all(10));
    s.calculateFrameMesh(0, 1);
    s.calculateFrameMesh(2, 1);
    EXPECT_EQ(current(s), all(10)); // both are no-ops
    EXPECT_EQ(s.getEndTime(0), -1);
    EXPECT_EQ(s.getEndTime(2), -1);
}

// A node that is not an array is legal and leaves the set empty; a node the
// set cannot hold leaves it empty too. Nothing is reported either way.
TEST(KeyFrames, MalformedNodesLeaveTheSetEmpty) {
    std::string f = frame(0, 1), oneVertex = frame(1, 1, 1, 1, 1);
    const std::string bad[] = {
        "{\"frames\": []}",                                               // not an array (legal)
        "[{\"frames\": [" + f + ", " + oneVertex + "]}]",                 // vertex count differs
        "[{\"frames\": [" + f + "]}, {\"frames\": [" + oneVertex + "]}]", // between animations
        "[{\"frames\": [" + frame(0, 1, 2, 1, 2) + "]}]",                 // one uv short
        "[{\"frames\": [" + frame(0, 1, 2, 2, 3) + "]}]",                 // a colour over
        "[{\"frames\": [{\"startTime\": 0, \"vertices\": []}]}]",         // no uvs
        "[{\"frames\": [{\"startTime\": \"0\", \"vertices\": [], \"uvs\": [], \"colors\": []}]}]",
        "[{\"frames\": [" + f.replace(f.find("\"y\""), 3, "\"w\"") + "]}]", // y missing
    };
    for (const std::string& json : bad) {
        KeyFrameAnimationsSet s;
        load(s, "[{\"frames\": [" + frame(0, 1) + "]}]");
        ASSERT_EQ(s.mNbFrames, 1u);
        testing::internal::CaptureStderr();
        load(s, json);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << json; // nothing is reported
        EXPECT_EQ(s.mNbAnims, 0) << json;
        EXPECT_EQ(s.mNbFrames, 0u) << json;
        EXPECT_EQ(s.mNbVertex, 0u) << json;
        EXPECT_EQ(s.mVertices, nullptr) << json;
        s.calculateFrameMesh(0, 1);
        EXPECT_EQ(s.getEndTime(0), -1);
    }

    std::string many = "[";
    for (int i = 0; i < 65536; ++i)
        many += i ? ",{}" : "{}";
    KeyFrameAnimationsSet s;
    testing::internal::CaptureStderr();
    load(s, many + "]");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.mNbAnims, 0);
}

} // namespace
