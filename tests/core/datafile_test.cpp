#include <gtest/gtest.h>

#include <filesystem>

#include "DataFile.h"
#include "support/TestFiles.h"

namespace {

TEST(DataFile, ReadsWholeFilesInBinaryAndReportsFailures) {
    std::string bytes("a\r\nb\0c\x1a", 7);
    std::string out;
    ASSERT_TRUE(readDataFile(writeTestFile("bytes.bin", bytes), out));
    EXPECT_EQ(out, bytes);

    std::string dir = std::filesystem::path(writeTestFile("a-dir/x", "")).parent_path().string();
    for (std::string path : {std::string("no/such/file.json"), dir}) {
        out = "stale";
        testing::internal::CaptureStderr();
        EXPECT_FALSE(readDataFile(path, out)) << path;
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.find(path + ": "), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_TRUE(out.empty());
    }
}

TEST(DataFile, ParsesJsonWithAnErrorCheck) {
    rapidjson::Document doc;
    ASSERT_TRUE(parseJsonFile(writeTestFile("ok.json", R"({"a": [1, 2]})"), doc));
    EXPECT_TRUE(doc.IsObject());

    std::string path = writeTestFile("broken.json", R"({"a": [1, 2})");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(parseJsonFile(path, doc));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(path + ": JSON error at offset 11"), std::string::npos) << err;
    EXPECT_TRUE(doc.IsNull());

    // Deep nesting is parsed without recursion.
    std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_TRUE(parseJsonFile(writeTestFile("deep.json", deep), doc));
}

TEST(DataFile, MembersAreCheckedForPresenceAndType) {
    rapidjson::Document doc;
    doc.Parse(R"({"f": 1.5, "i": 3, "big": 1e300, "s": "text", "b": true, "arr": [1], "obj": {},
                  "idx": 1.9, "neg": -0.5})");
    float f = 0;
    int i = 0;
    bool b = false;
    std::string s;
    EXPECT_TRUE(getFloat(doc, "f", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(getFloat(doc, "i", f)); // integers are numbers too
    EXPECT_FALSE(getFloat(doc, "big", f));
    EXPECT_FALSE(getFloat(doc, "s", f));
    EXPECT_FALSE(getFloat(doc, "missing", f));
    EXPECT_EQ(f, 3.0f); // untouched by the failures
    EXPECT_TRUE(getInt(doc, "i", i));
    EXPECT_FALSE(getInt(doc, "f", i));
    EXPECT_TRUE(getString(doc, "s", s));
    EXPECT_EQ(s, "text");
    EXPECT_FALSE(getString(doc, "b", s));
    EXPECT_TRUE(getBool(doc, "b", b));
    EXPECT_FALSE(getBool(doc, "i", b));
    EXPECT_NE(getArray(doc, "arr"), nullptr);
    EXPECT_EQ(getArray(doc, "obj"), nullptr);
    EXPECT_NE(getObject(doc, "obj"), nullptr);
    EXPECT_EQ(getObject(doc, "arr"), nullptr);
    EXPECT_TRUE(hasMember(doc, "obj"));
    // Access through a value that is not an object is refused, not asserted.
    EXPECT_FALSE(hasMember(doc["arr"], "x"));
    EXPECT_FALSE(getFloat(doc["arr"][0], "x", f));

    unsigned int index = 9;
    EXPECT_TRUE(getIndex(doc, "idx", 2, index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(getIndex(doc, "idx", 1, index));
    EXPECT_FALSE(getIndex(doc, "neg", 5, index));
    EXPECT_FALSE(getIndex(doc, "big", 5, index));
    EXPECT_EQ(index, 1u);
}

} // namespace
