#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/graphics/sprite.h"
#include "game/screens/loading/loading_screen.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/session/game_session.h"
#include "tests/game/data/log_capture.h"
#include "tests/game/screens/dialog_fixture.h"
#include "tests/game/shop/recording_assets.h"

namespace {

class LoadingScreenTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Run("finished = 0; function OnFinishedLoadingAssets() finished = finished + 1 end");
    }
    void TearDown() override {
        delete loading;
        clsGameSession::DeleteInstance();
        DialogTest::TearDown();
    }

    TLoading* MakeLoading() {
        return loading = Create<TLoading>(modal, "{ name = 'loading', x = 0, y = 0, w = 800, h = 600 }");
    }
    static float Alpha(clsSprite* sprite) { return sprite->GetFrameworkSprite()->GetState().alpha; }
    size_t Pending() { return clsGameSession::Instance()->GetPendingCount(); }

    TLoading* loading = nullptr;
};

// What the screens ask for, in the order they are asked.
std::vector<std::string> AskedNames() {
    RecordingAssets asked;
    FillPreloadLists(asked);
    return asked.preload;
}

// The names the log says could not be found, in the order they were tried.
std::vector<std::string> TriedNames(const LogCapture& log) {
    const std::string prefix = "TAssetMap::AddAsset: Failed to find asset ";
    std::vector<std::string> names;
    for (const std::string& message : log.Messages()) {
        size_t at = message.find(prefix);
        if (at == std::string::npos) continue;
        std::string rest = message.substr(at + prefix.size());
        names.push_back(rest.substr(0, rest.find(" with any standard extension")));
    }
    return names;
}

TEST_F(LoadingScreenTest, RiseStepSharesFourHundredFiftyPixelsAmongTheNames) {
    EXPECT_FLOAT_EQ(TLoading::RiseStep(10), 45.0f);
    EXPECT_FLOAT_EQ(TLoading::RiseStep(450), 1.0f);
    EXPECT_FLOAT_EQ(TLoading::RiseStep(0), 0.0f);  // nothing to load: the water stays
}

// One name a step, each once, the last asked first; then "OnFinishedLoadingAssets()" once, and the
// screen stands still.
TEST_F(LoadingScreenTest, LoadsEveryNameOnceInOrderThenFinishesOnce) {
    LogCapture log;
    std::vector<std::string> asked = AskedNames();
    MakeLoading();
    ASSERT_EQ(loading->GetTotal(), asked.size());
    ASSERT_GT(asked.size(), 10u);
    for (size_t step = 1; step <= asked.size(); ++step) {
        Step();
        ASSERT_EQ(Pending(), asked.size() - step) << "step " << step;
        ASSERT_EQ(Global("finished"), "0") << "step " << step;
    }
    Steps(5);
    EXPECT_EQ(Global("finished"), "1");

    std::vector<std::string> expected(asked.rbegin(), asked.rend());
    std::vector<std::string> tried = TriedNames(log);
    // Loader pictures of the screen itself come first; every preload name follows once, in order.
    ASSERT_GE(tried.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(tried.end() - static_cast<long>(expected.size()), tried.end()), expected);
}

TEST_F(LoadingScreenTest, WaterRisesByTheStepAndSwaysBetweenItsTurningPoints) {
    MakeLoading();
    const float step = loading->GetStep();
    EXPECT_FLOAT_EQ(step, static_cast<float>(450.0 / static_cast<double>(loading->GetTotal())));
    float lowestX = 1000.0f, highestX = 0.0f;
    for (int i = 1; i <= 200 && Pending() > 0; ++i) {
        Advance(16);
        ASSERT_TRUE(loading->OnAnimate());
        TVec2 place = loading->GetWater(0)->GetPosition();
        EXPECT_NEAR(place.y, 700.0f - static_cast<float>(i) * step, 0.01f * static_cast<float>(i));
        EXPECT_EQ(loading->GetWater(1)->GetPosition().x, place.x);
        lowestX = std::min(lowestX, place.x);
        highestX = std::max(highestX, place.x);
    }
    EXPECT_GE(lowestX, 300.0f);
    EXPECT_LE(highestX, 500.0f + 1.6f);  // one frame's sway past the turning point at most
    EXPECT_GT(highestX, 490.0f);         // 200 frames of 16 ms sway 320 px: it turned at the right
}

TEST_F(LoadingScreenTest, LongPauseSwaysNoMoreThanTheLongestStep) {
    MakeLoading();
    Advance(16);
    loading->OnAnimate();
    float x = loading->GetWater(0)->GetPosition().x;
    Advance(5000);
    loading->OnAnimate();
    EXPECT_NEAR(loading->GetWater(0)->GetPosition().x - x, 5.0f, 0.01f);  // 0.05 s x 100 px/s
}

// At every step one water frame is fully shown and drawn below the other, which fades in.
TEST_F(LoadingScreenTest, ShimmerAlternatesTheTwoWaterFrames) {
    MakeLoading();
    int flips = 0;
    int front = loading->GetFrontIndex();
    for (int i = 0; i < 100; ++i) {
        Advance(16);
        loading->OnAnimate();
        int now = loading->GetFrontIndex();
        if (now != front) ++flips, front = now;
        EXPECT_EQ(Alpha(loading->GetWater(1 - front)), 1.0f) << "frame " << i;
        EXPECT_LT(Alpha(loading->GetWater(front)), 1.0f) << "frame " << i;
    }
    EXPECT_EQ(flips, 2);  // a fade takes 2/3 s: 1.6 s hold two
}

}  // namespace
