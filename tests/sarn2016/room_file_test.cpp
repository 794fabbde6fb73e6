// The room file's replacement on every platform (Windows renames differently).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "DataFile.h"
#include "Sarn2016.h"
#include "TestFiles.h"

TEST(Sarn2016RoomFile, ReplacedOnlyByACompleteFile) {
    auto room = std::make_unique<Sarn2016::Room>();
    std::map<std::string, Sarn2016::Room*> rooms;
    std::string path = writeTestFile("sarn2016writer/replaced.json", "old bytes");
    std::string text;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(room->toJson(path.c_str(), nullptr, nullptr, rooms));
    room->left = 2.0f;
    EXPECT_TRUE(room->toJson(path.c_str(), nullptr, nullptr, rooms));
    ASSERT_TRUE(readDataFile(path, text));
    EXPECT_NE(std::string::npos, text.find("\"left\": 2.0"));

    room->top = std::nanf("");
    EXPECT_FALSE(room->toJson(path.c_str(), nullptr, nullptr, rooms));
    std::string kept;
    ASSERT_TRUE(readDataFile(path, kept));
    EXPECT_EQ(text, kept);
    EXPECT_FALSE(readFileQuietly(path + ".part", kept, kept));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("room: \"top\""));
}
