// The frame loop of both editions (Renderer/PC/FrameLoop.h) with a stand-in
// window, game, renderer and testClock: what it waits, what dt it hands on, what
// paused passes still do, and where it stops.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Renderer/PC/FrameLoop.h"

namespace {

// Everything the loop does, in order.
std::vector<std::string> journal;

// A 1 MHz counter that moves only when told: by the stand-ins' work and by
// the loop's sleeps.
struct ScriptedClock {
    std::int64_t ticks = 0;
    std::vector<unsigned int> sleeps;
    std::int64_t now() { return ticks; }
    std::int64_t frequency() { return 1000000; }
    void sleep(unsigned int milliseconds) {
        sleeps.push_back(milliseconds);
        ticks += std::int64_t(milliseconds) * 1000;
        journal.push_back("sleep");
    }
    void work(double milliseconds) { ticks += std::int64_t(milliseconds * 1000); }
};

ScriptedClock testClock;

// processEvents runs the script of the pass (by pass number from 0), which
// may pause, resume or close; by default it takes no time.
struct StandInWindow {
    bool on = true;
    bool running = true;
    int pass = 0;
    std::function<void(StandInWindow&, int)> script = [](StandInWindow&, int) {};
    bool isRunning() { return running; }
    void processEvents() {
        journal.push_back("events");
        script(*this, pass++);
    }
};

struct StandInGame {
    std::vector<float> dts;
    double renderMilliseconds = 0; // work of each frame
    void prepare(float dt) {
        dts.push_back(dt);
        journal.push_back("prepare");
    }
    void render() {
        journal.push_back("render");
        testClock.work(renderMilliseconds);
    }
};

struct StandInRenderer {
    void beginFrame() { journal.push_back("beginFrame"); }
    void endFrame() { journal.push_back("endFrame"); }
};

struct FrameLoop : testing::Test {
    StandInWindow window;
    StandInGame game;
    StandInRenderer renderer;
    double endPassMilliseconds = 0;
    int endPasses = 0;
    void SetUp() override {
        journal.clear();
        testClock = ScriptedClock();
    }
    void closeAfter(int passes) {
        auto previous = window.script;
        window.script = [previous, passes](StandInWindow& w, int pass) {
            previous(w, pass);
            if (pass == passes)
                w.running = false;
        };
    }
    void run() {
        runFrameLoop(
            window, game, renderer,
            [this] {
                journal.push_back("endPass");
                ++endPasses;
                testClock.work(endPassMilliseconds);
            },
            testClock);
    }
};

} // namespace

TEST_F(FrameLoop, APassOrdersEventsGameRendererAndEndPass) {
    game.renderMilliseconds = 20;
    closeAfter(1);
    run();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"events", "sleep", "sleep", "sleep", "sleep", "prepare",
                                        "beginFrame", "render", "endFrame", "endPass", "events"}));
}

TEST_F(FrameLoop, ShortFramesWaitInThreeMillisecondSleepsAndHandOnTheLastMeasure) {
    // 5 ms of work: 5, 8, 11 are short of 12 ms, 14 is not.
    game.renderMilliseconds = 5;
    closeAfter(3);
    run();
    ASSERT_EQ(game.dts.size(), 3u);
    // The first pass starts where start-up ended: 4 sleeps to 12 ms.
    EXPECT_FLOAT_EQ(game.dts[0], 0.012f);
    EXPECT_FLOAT_EQ(game.dts[1], 0.014f);
    EXPECT_FLOAT_EQ(game.dts[2], 0.014f);
    EXPECT_EQ(testClock.sleeps, (std::vector<unsigned int>(4 + 3 + 3, 3u)));
}

TEST_F(FrameLoop, LongFramesDoNotSleepAndArriveWhole) {
    game.renderMilliseconds = 2500; // a stall of 2.5 s
    closeAfter(3);
    run();
    ASSERT_EQ(game.dts.size(), 3u);
    EXPECT_FLOAT_EQ(game.dts[1], 2.5f);
    EXPECT_FLOAT_EQ(game.dts[2], 2.5f);
    EXPECT_EQ(testClock.sleeps.size(), 4u); // only the first pass's
}

TEST_F(FrameLoop, PausedPassesStillEndButNeitherSleepNorDrawNorPileUpTime) {
    game.renderMilliseconds = 20;
    endPassMilliseconds = 100; // each swap or GPU wait takes 100 ms
    // Frames on passes 0 and 1, paused on passes 2 to 6, running again from 7.
    window.script = [](StandInWindow& w, int pass) {
        if (pass == 2 || pass == 7)
            w.on = !w.on;
    };
    closeAfter(8);
    run();
    EXPECT_EQ(endPasses, 8);
    ASSERT_EQ(game.dts.size(), 3u);
    // Pass 1: the 20 ms frame and the 100 ms end of pass 0.
    EXPECT_FLOAT_EQ(game.dts[1], 0.120f);
    // After five paused passes of 100 ms each, the first frame carries only
    // the last pass's time, not the 500 ms of the pause.
    EXPECT_FLOAT_EQ(game.dts[2], 0.100f);
    EXPECT_EQ(testClock.sleeps.size(), 4u);
    int frames = 0;
    for (const std::string& line : journal)
        frames += line == "beginFrame";
    EXPECT_EQ(frames, 3);
}

TEST_F(FrameLoop, AClosedWindowEndsThePassAtOnce) {
    closeAfter(0);
    run();
    EXPECT_EQ(journal, (std::vector<std::string>{"events"}));
    EXPECT_EQ(endPasses, 0);

    // A window that is not running never enters the loop.
    journal.clear();
    window.running = false;
    run();
    EXPECT_TRUE(journal.empty());
}

#ifdef _WIN32
// The real performance counter and Sleep: every frame takes at least 12 ms.
TEST(FrameLoopWin32, RealFramesTakeAtLeastTwelveMilliseconds) {
    StandInWindow window;
    window.script = [](StandInWindow& w, int pass) {
        if (pass == 5)
            w.running = false;
    };
    struct {
        std::vector<float> dts;
        void prepare(float dt) { dts.push_back(dt); }
        void render() {}
    } game;
    StandInRenderer renderer;
    SystemClock system;
    journal.clear();
    runFrameLoop(
        window, game, renderer, [] {}, system);
    ASSERT_EQ(game.dts.size(), 5u);
    for (float dt : game.dts) {
        EXPECT_GE(dt, minimumFrameSeconds);
        EXPECT_LT(dt, 1.0f);
    }
}
#endif
