// The dodge game's committed data is what the game needs: a schedule the
// spawner can follow without ever needing more than its 30 car slots, car
// meshes that fill the collider's unit square facing the camera, images the
// readers take.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DataFile.h"
#include "FlatCollideMesh.h"
#include "Image.h"
#include "Object3D.h"
#include "support/Recorder.h"

namespace {

struct Car {
    float x, speed, time;
};

std::vector<Car> readCars(const rapidjson::Value& array) {
    std::vector<Car> cars;
    for (const rapidjson::Value& entry : array.GetArray()) {
        Car car{};
        EXPECT_TRUE(getFloat(entry, "x", car.x) && getFloat(entry, "speed", car.speed) &&
                    getFloat(entry, "time", car.time));
        EXPECT_GT(car.speed, 0.0f);
        EXPECT_LE(std::abs(car.x), 11.5f);
        cars.push_back(car);
    }
    return cars;
}

// The game's spawner at 60 frames a second: the pending list, then pattern
// after pattern (the next chosen by pick); returns the most cars alive.
int mostAlive(std::vector<Car> pending, const std::vector<std::vector<Car>>& patterns, float start,
              int (*pick)(int round, int count)) {
    std::vector<float> alive; // y of each car on the road
    std::vector<float> speeds;
    int most = 0, round = 0;
    float dt = 1.0f / 60.0f;
    for (float temps = start; temps < start + 400.0f; temps += dt) {
        if (pending.empty()) {
            for (Car car : patterns[pick(round++, int(patterns.size()))]) {
                car.time += temps + 3.0f;
                pending.push_back(car);
            }
        }
        while (!pending.empty() && temps > pending.front().time) {
            alive.push_back(16.5f);
            speeds.push_back(pending.front().speed);
            pending.erase(pending.begin());
        }
        for (std::size_t i = 0; i < alive.size(); ++i) {
            alive[i] -= speeds[i] * dt;
            if (alive[i] < -16.5f) {
                alive.erase(alive.begin() + long(i));
                speeds.erase(speeds.begin() + long(i));
                --i;
            }
        }
        most = std::max(most, int(alive.size()));
    }
    return most;
}

TEST(ExampleData, ScheduleFeedsBothModesWithinThirtySlots) {
    rapidjson::Document doc;
    ASSERT_TRUE(parseJsonFile("data/cars.json", doc));
    const rapidjson::Value* carsArray = getArray(doc, "cars");
    const rapidjson::Value* patternsArray = getArray(doc, "patterns");
    ASSERT_TRUE(carsArray && patternsArray);
    std::vector<Car> cars = readCars(*carsArray);
    EXPECT_GE(cars.size(), 35u);
    EXPECT_LE(cars.size(), 45u);
    for (std::size_t i = 1; i < cars.size(); ++i)
        EXPECT_LE(cars[i - 1].time, cars[i].time);
    std::vector<Car> late;
    std::copy_if(cars.begin(), cars.end(), std::back_inserter(late),
                 [](const Car& car) { return car.time >= 70.0f; });
    EXPECT_GE(late.size(), 5u);
    EXPECT_GE(cars.size() - late.size(), 5u);

    std::vector<std::vector<Car>> patterns;
    for (const rapidjson::Value& pattern : patternsArray->GetArray()) {
        patterns.push_back(readCars(pattern));
        EXPECT_FALSE(patterns.back().empty());
        EXPECT_TRUE(std::is_sorted(patterns.back().begin(), patterns.back().end(),
                                   [](const Car& a, const Car& b) { return a.time < b.time; }));
    }
    EXPECT_GE(patterns.size(), 4u);
    EXPECT_LE(patterns.size(), 6u);

    int (*picks[])(int, int) = {[](int round, int count) { return round % count; },
                                [](int, int) { return 0; }, [](int, int) { return 1; },
                                [](int, int) { return 2; }, [](int, int) { return 3; }};
    for (auto pick : picks) {
        EXPECT_LE(mostAlive(cars, patterns, 0.0f, pick), 30);
        EXPECT_LE(mostAlive(late, patterns, 70.0f, pick), 30);
    }
}

TEST(ExampleData, CarsFillTheColliderSquareFacingTheCamera) {
    recorder().reset();
    FlatCollideMesh collider;
    ASSERT_TRUE(collider.load("data/meshes/colliders/quadCollider.json"));
    EXPECT_EQ(collider.getNbPoints(), 4u);
    EXPECT_EQ(collider.getNbSegments(), 4u);

    for (const char* colour : {"Blue", "Yellow", "Red", "Green"}) {
        std::string path = std::string("data/meshes/display/car") + colour + ".json";
        auto mesh = std::make_unique<Object3D>();
        ASSERT_TRUE(mesh->load(path)) << path;
        std::size_t n = mesh->m_vertices.size() / 3;
        ASSERT_GT(n, 0u);
        EXPECT_EQ(mesh->m_colors.size(), 3 * n);
        EXPECT_EQ(mesh->m_texCoords.size(), 2 * n);
        float low = 1, high = 0;
        for (std::size_t i = 0; i < 3 * n; ++i) {
            low = std::min(low, mesh->m_vertices[i]);
            high = std::max(high, mesh->m_vertices[i]);
        }
        EXPECT_GE(low, 0.0f) << path;
        EXPECT_LE(high, 1.0f) << path;
        for (std::size_t t = 0; t + 2 < mesh->m_indices.size(); t += 3) {
            const float* p = mesh->m_vertices.data();
            unsigned a = mesh->m_indices[t], b = mesh->m_indices[t + 1], c = mesh->m_indices[t + 2];
            ASSERT_LT(std::max({a, b, c}), n);
            float turn = (p[3 * b] - p[3 * a]) * (p[3 * c + 1] - p[3 * b + 1]) -
                         (p[3 * b + 1] - p[3 * a + 1]) * (p[3 * c] - p[3 * b]);
            EXPECT_GT(turn, 0.0f) << path << " triangle " << t / 3;
        }
    }
}

TEST(ExampleData, ImagesReadAsTheGameReadsThem) {
    for (const char* bmp :
         {"data/truck.bmp", "data/paroi.bmp", "data/grass.bmp", "data/whitepixel.bmp"}) {
        unsigned short w = 0, h = 0;
        std::unique_ptr<unsigned char[]> pixels(Image::loadBMP24(bmp, &w, &h));
        EXPECT_TRUE(pixels) << bmp;
        EXPECT_EQ(w % 4, 0) << bmp;
    }
    for (const char* png : {"data/road6.png", "data/heart.png", "data/title.png"}) {
        unsigned short w = 0, h = 0;
        std::unique_ptr<unsigned char[]> pixels(Image::loadPNG(png, &w, &h));
        EXPECT_TRUE(pixels) << png;
    }
}

} // namespace
