// The traffic file and the spawner.
#include "ExampleFixture.h"
#include <algorithm>

#include "support/TestFiles.h"

namespace {

std::string carsFile(const std::string& name, const std::string& json) {
    writeFuzzSeed("cars", name, json);
    return writeTestFile("example/" + name + ".json", json);
}

int lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST_F(ExampleTest, ScheduleKeepsCarsFromTheStartTimeAndPatternsWhole) {
    game->startTime = 70.0f;
    game->loadCarsFile(carsFile("filter", R"({
        "cars": [{"x": 1, "speed": 5, "time": 69.99}, {"x": 2, "speed": 5, "time": 70},
                 {"x": 3, "speed": 5, "time": 71}],
        "patterns": [[{"x": 4, "speed": 5, "time": 0}], []]})"));
    ASSERT_EQ(game->mCarsList.size(), 2u);
    EXPECT_EQ(game->mCarsList[0].x, 2.0f);
    ASSERT_EQ(game->mCarsPatterns.size(), 2u);
    EXPECT_EQ(game->mCarsPatterns[0][0].time, 0.0f);
    EXPECT_TRUE(game->mCarsPatterns[1].empty());

    // A file without a key leaves that list as it was.
    game->loadCarsFile(carsFile("patternsOnly", R"({"patterns": [[]]})"));
    EXPECT_EQ(game->mCarsList.size(), 2u);
    EXPECT_EQ(game->mCarsPatterns.size(), 1u);
    game->loadCarsFile(carsFile("carsOnly", R"({"cars": []})"));
    EXPECT_TRUE(game->mCarsList.empty());
    EXPECT_EQ(game->mCarsPatterns.size(), 1u);
}

TEST_F(ExampleTest, UnusableFilesLeaveBothListsAndBadCarsAreSkipped) {
    game->loadCarsFile(carsFile("good", R"({"cars": [{"x": 1, "speed": 5, "time": 1}],
        "patterns": [[{"x": 1, "speed": 5, "time": 1}]]})"));
    for (const char* bad : {"{", "[1, 2]", R"({"cars": 3})", R"({"patterns": [3]})",
                            R"({"cars": [], "patterns": {"a": []}})"}) {
        testing::internal::CaptureStderr();
        game->loadCarsFile(carsFile("bad", bad));
        EXPECT_EQ(lines(testing::internal::GetCapturedStderr()), 1) << bad;
        EXPECT_EQ(game->mCarsList.size(), 1u) << bad;
        EXPECT_EQ(game->mCarsPatterns.size(), 1u) << bad;
    }
    testing::internal::CaptureStderr();
    game->loadCarsFile("/nonexistent/cars.json");
    EXPECT_EQ(lines(testing::internal::GetCapturedStderr()), 1);
    EXPECT_EQ(game->mCarsList.size(), 1u);

    testing::internal::CaptureStderr();
    game->loadCarsFile(carsFile("skips", R"({"cars": [
        {"x": 1, "speed": 5}, {"x": "1", "speed": 5, "time": 1}, {"x": 1, "speed": 0, "time": 1},
        {"x": 1, "speed": -2, "time": 1}, {"x": 1, "speed": 1e300, "time": 1},
        {"x": 9, "speed": 5, "time": 1}]})"));
    EXPECT_EQ(lines(testing::internal::GetCapturedStderr()), 5);
    ASSERT_EQ(game->mCarsList.size(), 1u);
    EXPECT_EQ(game->mCarsList[0].x, 9.0f);
}

TEST_F(ExampleTest, CarsComeAfterTheirTimeAndWaitForAFreeSlot) {
    startRun();
    game->mLifeTimer = 2.0f; // full-speed time, no collision: the truck is off the road
    game->mTruckSprite.x() = -9.0f;
    game->mCarsList = {{5.0f, 10.0f, game->temps}};
    frame(0.1f);
    EXPECT_FALSE(game->cars[0].alive); // due exactly now: not yet
    frame(0.1f);
    EXPECT_TRUE(game->cars[0].alive);
    EXPECT_EQ(game->cars[0].model.x(), 5.0f);
    EXPECT_NEAR(game->cars[0].model.y(), 16.5f - 1.0f, 1e-5f);

    for (int i = 0; i < Example::carSlots; ++i)
        placeCar(i, 11.0f, 10.0f);
    game->mCarsList = {{3.0f, 10.0f, 0.0f}, {4.0f, 10.0f, 0.0f}};
    frame(0.1f);
    EXPECT_EQ(game->mCarsList.size(), 2u);
    game->cars[7].alive = false;
    frame(0.1f);
    EXPECT_EQ(game->mCarsList.size(), 1u);
    EXPECT_EQ(game->cars[7].model.x(), 3.0f);
}

TEST_F(ExampleTest, NoPatternsMeansNoRandomTraffic) {
    for (auto patterns : {std::vector<std::vector<Example::CarAttributes>>{},
                          std::vector<std::vector<Example::CarAttributes>>(3)}) {
        game->mCarsPatterns = patterns;
        game->mCarsList.clear();
        for (int i = 0; i < 20; ++i)
            frame(0.1f);
        for (const Example::Car& car : game->cars)
            EXPECT_FALSE(car.alive);
    }
}
