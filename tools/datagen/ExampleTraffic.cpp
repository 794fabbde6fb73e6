#include "DataOutput.h"
#include "ExampleData.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Car {
    float x, speed, time;
};

// About forty cars, one wave every 3 s from 4 s to 97 s, every fifth one
// beside the car before it; the 70 s mode starts at the wave due at 70 s.
std::vector<Car> schedule() {
    const float lanes[] = {-9, 6, -2, 10, -11, 3, 8, -6, 0, -4, 11, -8};
    const float speeds[] = {7, 9, 8, 11, 6, 10, 12, 8};
    std::vector<Car> cars;
    float time = 4.0f;
    for (int i = 0; i < 40; ++i) {
        Car car{lanes[i % 12], speeds[i % 8], time};
        if (i % 5 == 4) {
            float beside = cars.back().x;
            car.x = beside > 2 || beside < -2 ? -beside : beside + 8;
            car.time = cars.back().time;
        } else if (i > 0) {
            car.time = (time += 3.0f);
        }
        cars.push_back(car);
    }
    return cars;
}

// Relative times, ascending within each pattern.
const std::vector<std::vector<Car>> patterns = {
    {{-8, 9, 0}, {8, 9, 1.5f}, {-8, 9, 3}, {8, 9, 4.5f}},
    {{-10, 8, 0}, {10, 8, 0}, {0, 12, 2.5f}},
    {{-4, 12, 0}, {4, 12, 1}, {-11, 9, 2}, {11, 9, 3}},
    {{-6, 10, 0}, {-6, 10, 0.8f}, {-6, 10, 1.6f}, {6, 7, 2.4f}},
    {{-11, 7, 0}, {0, 7, 2}, {11, 7, 4}},
};

std::string carJson(const Car& car) {
    char text[96];
    std::snprintf(text, sizeof text, "{ \"x\": %g, \"speed\": %g, \"time\": %g }", double(car.x),
                  double(car.speed), double(car.time));
    return text;
}

} // namespace

void writeExampleTraffic(DataOutput& out) {
    std::string json = "{\n    \"cars\": [\n";
    std::vector<Car> cars = schedule();
    for (std::size_t i = 0; i < cars.size(); ++i)
        json += "        " + carJson(cars[i]) + (i + 1 < cars.size() ? ",\n" : "\n");
    json += "    ],\n    \"patterns\": [\n";
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        json += "        [\n";
        for (std::size_t i = 0; i < patterns[p].size(); ++i)
            json += "            " + carJson(patterns[p][i]) +
                    (i + 1 < patterns[p].size() ? ",\n" : "\n");
        json += p + 1 < patterns.size() ? "        ],\n" : "        ]\n";
    }
    json += "    ]\n}\n";
    out.text("data/cars.json", json);
}
