// The traffic file, the car slots and the start of a run.
#include "example.h"

#include "DataFile.h"
#include "LevelRandom.h"

#include <cmath>

namespace {

// A car the spawner can send: three numbers and a speed that moves it down.
bool readCar(const rapidjson::Value& entry, Example::CarAttributes& out, std::string& reason) {
    if (!getFloat(entry, "x", out.x) || !getFloat(entry, "speed", out.speed) ||
        !getFloat(entry, "time", out.time)) {
        reason = "lacks a number \"x\", \"speed\" or \"time\"";
        return false;
    }
    if (!(out.speed > 0.0f) || !std::isfinite(out.speed)) {
        reason = "has a speed that is not above 0";
        return false;
    }
    return true;
}

void readCars(const std::string& path, const rapidjson::Value& array, const char* where,
              std::vector<Example::CarAttributes>& out) {
    out.clear();
    for (rapidjson::SizeType i = 0; i < array.Size(); ++i) {
        Example::CarAttributes car;
        std::string reason;
        if (readCar(array[i], car, reason))
            out.push_back(car);
        else
            dataFileError(path,
                          std::string(where) + " car " + std::to_string(i) + " skipped: " + reason);
    }
}

} // namespace

void Example::loadCarsFile(const std::string& path) {
    rapidjson::Document doc;
    if (!parseJsonFile(path, doc))
        return;
    if (!doc.IsObject()) {
        dataFileError(path, "the root is not an object");
        return;
    }
    const rapidjson::Value* list = nullptr;
    const rapidjson::Value* patterns = nullptr;
    if (hasMember(doc, "cars") && !(list = getArray(doc, "cars"))) {
        dataFileError(path, "\"cars\" is not an array");
        return;
    }
    if (hasMember(doc, "patterns")) {
        patterns = getArray(doc, "patterns");
        bool arrays = patterns != nullptr;
        for (rapidjson::SizeType i = 0; arrays && i < patterns->Size(); ++i)
            arrays = (*patterns)[i].IsArray();
        if (!arrays) {
            dataFileError(path, "\"patterns\" is not an array of arrays");
            return;
        }
    }
    if (list) {
        std::vector<CarAttributes> read;
        readCars(path, *list, "schedule", read);
        mCarsList.clear();
        for (const CarAttributes& car : read) {
            if (car.time >= startTime)
                mCarsList.push_back(car);
        }
    }
    if (patterns) {
        mCarsPatterns.assign(patterns->Size(), {});
        for (rapidjson::SizeType i = 0; i < patterns->Size(); ++i)
            readCars(path, (*patterns)[i], ("pattern " + std::to_string(i)).c_str(),
                     mCarsPatterns[i]);
    }
}

void Example::spawnCars() {
    if (mCarsList.empty()) {
        // Without patterns there is no random traffic.
        if (mCarsPatterns.empty())
            return;
        const std::vector<CarAttributes>& pattern =
            mCarsPatterns[levelRandom() % static_cast<int>(mCarsPatterns.size())];
        for (CarAttributes car : pattern) {
            car.time += temps + 3.0f;
            mCarsList.push_back(car);
        }
        return;
    }
    std::size_t sent = 0;
    while (sent < mCarsList.size() && temps > mCarsList[sent].time) {
        Car* slot = nullptr;
        for (Car& car : cars) {
            if (!car.alive) {
                slot = &car;
                break;
            }
        }
        // All slots on the road: the car waits for one to come free.
        if (!slot)
            break;
        slot->model.x() = mCarsList[sent].x;
        slot->model.y() = 16.5f;
        slot->speed = mCarsList[sent].speed;
        slot->alive = true;
        ++sent;
    }
    mCarsList.erase(mCarsList.begin(), mCarsList.begin() + static_cast<std::ptrdiff_t>(sent));
}

void Example::reset() {
    placeSprite(mTruckSprite, 0, 0, -2, &quad, &texTruck, 2.55f, 7);
    placeSprite(mBarSprite, 0, 0, -1, &quad, &texBar, 0.5f, 13);
    mBarSprite.setCollideMesh(&mQuadCollider);
    loadCarsFile("data/cars.json");
    seedLevelRandom();
    for (Car& car : cars) {
        int k = levelRandom() % 4;
        car.speed = 7.0f;
        placeSprite(car.model, 0, 13, -1, &mCarModels[k], &texCar, 2.4f, 4);
        car.model.setCollideMesh(&mQuadCollider);
        car.alive = false;
    }
    gameOver = false;
    temps = startTime;
    cameraY = 200.0f;
    distance = 0.0f;
    mBackground.y() = 50.0f;
    // The road goes back with the background, so short runs cannot walk it
    // off the screen.
    mRaceTrack.oa.y() = 0.0f;
    mMultiplicateur = 3.0f;
    mScore = 0.0f;
    mResetTimer = 0.0f;
    mLives = static_cast<unsigned int>(mDifficulty);
    mLifeTimer = 0.0f;
    gameStarted = true;
}
