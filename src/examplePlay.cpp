// One frame of the dodge game: keys, collisions, traffic, scrolling, score.
#include "example.h"

#include "Input/PC/InputManager.h"

#include <cmath>
#include <cstdio>

void Example::toggleMode() {
    if (startTime > 10.0f) {
        startTime = 0.0f;
        textMode.majChaine("NORMAL");
        textChangeMode.majChaine("PRESS F2 FOR RANDOM MODE");
    } else {
        startTime = 70.0f;
        textMode.majChaine("RANDOM");
        textChangeMode.majChaine("PRESS F2 FOR NORMAL MODE");
    }
}

void Example::toggleDifficulty() {
    if (mDifficulty != 0) {
        mDifficulty = 0;
        textChangeDifficulty.majChaine("PRESS F1 FOR EASY MODE");
    } else {
        mDifficulty = 3;
        textChangeDifficulty.majChaine("PRESS F1 FOR HARD MODE");
    }
}

void Example::recordInput() {
    const Vector2D& pad = inputManager.dPad();
    InputRecord record{pad.x<-0.5f, pad.x> 0.5f, pad.y > 0.5f, pad.y < -0.5f, temps};
    if (inputRecords.empty()) {
        inputRecords.push_back(record);
        return;
    }
    const InputRecord& last = inputRecords.back();
    if (last.left != record.left || last.right != record.right || last.up != record.up ||
        last.down != record.down)
        inputRecords.push_back(record);
}

void Example::testCollisions() {
    double angle = mPlayerYaw * 0.017453292519943;
    float s = static_cast<float>(std::sin(angle));
    float c = static_cast<float>(std::cos(angle));
    float nearX, nearY, farX, farY;
    mBarSprite.findAbsolutePoint(&nearX, &nearY, 0.5f, 0.0f, s, c);
    mBarSprite.findAbsolutePoint(&farX, &farY, 0.5f, 1.0f, s, c);
    for (Car& car : cars) {
        if (!car.alive || !car.model.pointThroughCollideMesh(farX, farY, nearX, nearY, 0.0f))
            continue;
        // One life per frame at most: the grace period starts at once.
        if (mLifeTimer < 2.0f)
            continue;
        if (mLives > 0) {
            mLifeTimer = 0.0f;
            mLives -= 1;
        } else {
            gameOver = true;
        }
    }
}

void Example::moveCars(float dt) {
    for (Car& car : cars) {
        if (!car.alive)
            continue;
        car.model.y() -= car.speed * dt;
        if (car.model.y() < -16.5f)
            car.alive = false;
    }
}

void Example::scroll(float dt) {
    float d = 15.0f * dt;
    cameraY += d;
    mBackground.y() -= d;
    mRaceTrack.oa.y() -= d;
    distance += d;
    if (cameraY > 600.0f) {
        cameraY -= 400.0f;
        mBackground.y() += 400.0f;
        mRaceTrack.oa.y() += 400.0f;
    }
}

void Example::updateMultiplier() {
    // Bounds compared in double precision against the float position.
    double x = mTruckSprite.x();
    if (x > -1.05 && x < 0.84) {
        mMultiplicateur = 3.0f;
        textMultiplier.setColor(0.0f, 0.0f, 1.0f);
    } else if (x > -4.37 && x < 4.09) {
        mMultiplicateur = 2.0f;
        textMultiplier.setColor(0.5f, 0.5f, 1.0f);
    } else {
        mMultiplicateur = 1.0f;
        textMultiplier.setColor(0.9f, 0.9f, 1.0f);
    }
}

void Example::prepare(float dt) {
    inputManager.pollAll();
    if (inputManager.buttonR1() && mResetTimer > 1.0f) {
        toggleMode();
        if (gameStarted)
            reset();
        else
            mResetTimer = 0.0f;
    }
    if (inputManager.buttonL1() && mResetTimer > 1.0f) {
        toggleDifficulty();
        if (gameStarted)
            reset();
        else
            mResetTimer = 0.0f;
    }
    if (inputManager.buttonA() && mResetTimer > 1.0f)
        reset();
    recordInput();
    if (gameOver)
        return;

    char line[32];
    std::snprintf(line, sizeof line, "%d", static_cast<int>(distance));
    text.majChaine(line);

    if (mLifeTimer >= 2.0f && gameStarted)
        testCollisions();
    if (mLifeTimer < 2.0f && gameStarted) {
        mLifeTimer += dt;
        if (mLifeTimer < 1.0f)
            dt *= mLifeTimer;
    }

    mBarSprite.x() = mTruckSprite.x();
    mBarSprite.y() = mTruckSprite.y();
    mPlayerYaw = temps * 90.0f;
    // Set afresh: on the title screen the bar is not drawn, and only a draw
    // puts the orientation back.
    mBarSprite.setOrientation(Quaternion());
    mBarSprite.addYaw(mPlayerYaw);
    mBarSprite.prepare();

    spawnCars();
    moveCars(dt);
    scroll(dt);
    updateMultiplier();

    mScore += 15.0f * dt * mMultiplicateur;
    std::snprintf(line, sizeof line, "x%d", static_cast<int>(mMultiplicateur));
    textMultiplier.majChaine(line);
    std::snprintf(line, sizeof line, "%d", static_cast<int>(mScore));
    textScore.majChaine(line);

    temps += dt;
    mResetTimer += dt;
    mBike.update(dt);
}
