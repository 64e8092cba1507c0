#include <gtest/gtest.h>

#include <vector>

#include "game/screens/menus/cat_naps.h"

namespace {

// Frames of 32 ms over an animation of 12 frames of 250 ms (3 s) that loops: the change waits for
// the countdown and then for the animation's last frame.
struct Changes {
    std::vector<float> changesAt;  // seconds
};

Changes Watch(std::vector<uint32_t> draws, float seconds) {
    size_t next = 0;
    CatNaps naps([&] { return draws[next++ % draws.size()]; });
    Changes run;
    const float kFrame = 0.032f;
    const float kAnimation = 3.0f;
    float phaseStart = 0.0f;
    for (float now = kFrame; now <= seconds; now += kFrame) {
        float intoPhase = now - phaseStart;
        int frame = static_cast<int>(intoPhase / (kAnimation / 12.0f)) % 12;
        if (naps.Advance(kFrame, frame == 11)) {
            run.changesAt.push_back(now);
            phaseStart = now;
        }
    }
    return run;
}

TEST(CatNapsTest, PhaseEndsOnlyOnTheAnimationsLastFrame) {
    const struct {
        const char* name;
        std::vector<uint32_t> draws;
        std::vector<float> changesNear;  // the first frames that show the last animation frame
    } kCases[] = {
        // 5 s: the animation's second run reaches its last frame at 5.75 s.
        {"five", {0}, {5.75f, 11.5f}},
        // 10 s (draw 5): its fourth run ends at 11.75 s.
        {"ten", {5, 0}, {11.75f}},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.name);
        Changes run = Watch(test.draws, 12.0f);
        ASSERT_GE(run.changesAt.size(), test.changesNear.size());
        for (size_t i = 0; i < test.changesNear.size(); ++i) EXPECT_NEAR(run.changesAt[i], test.changesNear[i], 0.04f);
    }
}

TEST(CatNapsTest, EachChangeDrawsTheNextPhaseAndSwapsTheCat) {
    std::vector<uint32_t> draws = {2, 17};  // 7 s, then 10 s
    size_t next = 0;
    CatNaps naps([&] { return draws[next++]; });
    EXPECT_FLOAT_EQ(naps.GetCountdownSeconds(), 7.0f);
    EXPECT_FALSE(naps.Advance(7.0f, false));
    EXPECT_FLOAT_EQ(naps.GetCountdownSeconds(), 0.0f);  // waits for the last frame
    EXPECT_FALSE(naps.IsSleeping());
    EXPECT_TRUE(naps.Advance(0.032f, true));
    EXPECT_TRUE(naps.IsSleeping());
    EXPECT_FLOAT_EQ(naps.GetCountdownSeconds(), 10.0f);
}

}  // namespace
