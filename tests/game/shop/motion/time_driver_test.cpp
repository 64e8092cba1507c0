#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shop/motion/time_driver.h"

namespace {

// Records every call as text; may refuse steps or restart the driver at its end.
class Recorder : public iMoveEvent {
public:
    void OnMoveCheck(clsTimeDriver*, float value, bool* goOn) override {
        calls.push_back("check " + std::to_string(value));
        *goOn = !refuse;
    }
    void OnMoveStep(clsTimeDriver*, float value, int elapsedMs) override {
        calls.push_back("step " + std::to_string(value) + " " + std::to_string(elapsedMs));
    }
    void OnMoveEnd(clsTimeDriver* driver) override {
        calls.push_back("end");
        if (restart) {
            driver->Set(driver->GetEnd(), driver->GetStart(), driver->GetDuration());
            driver->Start();
        }
    }

    std::vector<std::string> calls;
    bool refuse = false;
    bool restart = false;
};

std::string Step(float value, int elapsed) { return "step " + std::to_string(value) + " " + std::to_string(elapsed); }

TEST(TimeDriverTest, ValuesRunToTheExactEndAndEndOnce) {
    struct Case {
        const char* name;
        float start, end;
        int duration;
        std::vector<int> updates;
        std::vector<float> values;  // after each update
        bool finished;
    };
    const Case cases[] = {
        {"rising, overshoot dropped", 0.0f, 1.0f, 1000, {400, 400, 400}, {0.4f, 0.8f, 1.0f}, true},
        {"falling", 5.0f, -5.0f, 100, {30, 60, 30}, {2.0f, -4.0f, -5.0f}, true},
        {"landing exactly", 2.0f, 4.0f, 10, {10}, {4.0f}, true},
        {"float steps a hair short of the end", -440.0f, 312.0f, 120, {60, 60}, {-64.0f, 312.0f}, true},
        {"standing still for its duration", 2.0f, 2.0f, 50, {30, 20}, {2.0f, 2.0f}, true},
        {"zero duration, start above the end", 3.0f, 1.0f, 0, {5}, {1.0f}, true},
        {"zero duration, start below the end", 1.0f, 3.0f, 0, {5, 1000}, {1.0f, 1.0f}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder recorder;
        clsTimeDriver driver(&recorder, c.start, c.end, c.duration);
        driver.Hook(clsTimeDriver::kAll);
        driver.Start();
        int elapsed = 0;
        std::vector<std::string> expected;
        for (size_t i = 0; i < c.updates.size(); ++i) {
            driver.Update(c.updates[i]);
            elapsed += c.updates[i];
            EXPECT_FLOAT_EQ(driver.GetValue(), c.values[i]);
            expected.push_back("check " + std::to_string(c.values[i]));
            expected.push_back(Step(c.values[i], elapsed));
        }
        if (c.finished) expected.push_back("end");
        EXPECT_EQ(driver.IsFinished(), c.finished);
        EXPECT_EQ(recorder.calls, expected);
        // A finished driver stays silent.
        if (c.finished) {
            size_t calls = recorder.calls.size();
            driver.Update(100);
            EXPECT_EQ(recorder.calls.size(), calls);
        }
    }
}

TEST(TimeDriverTest, TheLastStepReportsTheEndValueWithTheWholeElapsedTime) {
    Recorder recorder;
    clsTimeDriver driver(&recorder, 0.0f, 1.0f, 1000);
    driver.Hook(clsTimeDriver::kStep | clsTimeDriver::kEnd);
    driver.Start();
    for (int i = 0; i < 3; ++i) driver.Update(400);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{Step(0.4f, 400), Step(0.8f, 800), Step(1.0f, 1200), "end"}));
}

TEST(TimeDriverTest, ARefusedStepKeepsTheValueAndCallsNothingElse) {
    Recorder recorder;
    clsTimeDriver driver(&recorder, 0.0f, 10.0f, 10);
    driver.Hook(clsTimeDriver::kAll);
    driver.Start();
    driver.Update(4);
    recorder.refuse = true;
    driver.Update(3);
    EXPECT_FLOAT_EQ(driver.GetValue(), 4.0f);
    // Refusing the last step ends the driver without an end call.
    driver.Update(10);
    EXPECT_TRUE(driver.IsFinished());
    EXPECT_FLOAT_EQ(driver.GetValue(), 4.0f);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"check " + std::to_string(4.0f), Step(4.0f, 4),
                                                        "check " + std::to_string(7.0f),
                                                        "check " + std::to_string(10.0f)}));
}

TEST(TimeDriverTest, UnhookedCallsAreSilentWhileTheDriverRuns) {
    Recorder recorder;
    clsTimeDriver driver(&recorder, 0.0f, 1.0f, 10);
    driver.Hook(clsTimeDriver::kAll);
    driver.Unhook(clsTimeDriver::kCheck | clsTimeDriver::kStep);
    driver.Start();
    driver.Update(5);
    EXPECT_FLOAT_EQ(driver.GetValue(), 0.5f);
    driver.Update(5);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"end"});

    clsTimeDriver untargeted(nullptr, 0.0f, 1.0f, 10);
    untargeted.Hook(clsTimeDriver::kAll);
    untargeted.Start();
    untargeted.Update(20);
    EXPECT_TRUE(untargeted.IsFinished());
}

TEST(TimeDriverTest, TheEndCallMayRestartTheDriver) {
    Recorder recorder;
    recorder.restart = true;
    clsTimeDriver driver(&recorder, 0.0f, 2.0f, 20);
    driver.Hook(clsTimeDriver::kStep | clsTimeDriver::kEnd);
    driver.Start();
    driver.Update(20);
    EXPECT_FALSE(driver.IsFinished());
    driver.Update(5);
    EXPECT_FLOAT_EQ(driver.GetValue(), 1.5f);
    driver.Update(15);
    EXPECT_FLOAT_EQ(driver.GetValue(), 0.0f);
    EXPECT_EQ(std::count(recorder.calls.begin(), recorder.calls.end(), "end"), 2);
}

}  // namespace
