#include "game/shop/hud/status_bar.h"

#include "tests/game/shop/shop_fixture.h"

namespace {

class StatusBarTest : public ShopTest {
protected:
    // A bar over totalSecs with frameCount pictures of widths 1, 2, 3, ... (to tell them apart).
    std::unique_ptr<clsStatusBar> Bar(float totalSecs, int frameCount) {
        auto bar = std::make_unique<clsStatusBar>(scene.get(), totalSecs);
        for (int i = 0; i < frameCount; ++i) bar->AddFrame(Solid(i + 1, 2, 0xFFFFFFFF));
        return bar;
    }
};

TEST_F(StatusBarTest, StartingPartWayShowsThatPictureWithItsTimeLeft) {
    auto bar = Bar(10, 10);
    bar->Start(2.5f, 1.0f);
    EXPECT_EQ(bar->GetState(), clsStatusBar::kRunning);
    EXPECT_EQ(bar->GetCurrentFrame(), 2);
    EXPECT_FLOAT_EQ(bar->GetSegmentSecsLeft(), 0.5f);
    EXPECT_FLOAT_EQ(bar->GetTimeLeft(), 7.5f);
    EXPECT_EQ(bar->GetSprite()->GetWidth(), 3);

    auto faster = Bar(10, 10);
    faster->Start(0, 0.5f);
    EXPECT_FLOAT_EQ(faster->GetSegmentSecs(), 0.5f);
    EXPECT_FLOAT_EQ(faster->GetTimeLeft(), 5.0f);

    auto empty = Bar(10, 0);
    empty->Start(0, 1.0f);
    EXPECT_EQ(empty->GetState(), clsStatusBar::kIdle);
}

TEST_F(StatusBarTest, TheBarRunsDownDroppingOvershootAndFinishesOnTheLastPicture) {
    auto bar = Bar(3, 3);
    bar->Start(0, 1.0f);
    Step(1.5f, *bar);
    EXPECT_EQ(bar->GetCurrentFrame(), 1);
    EXPECT_FLOAT_EQ(bar->GetSegmentSecsLeft(), 1.0f) << "the half second over is dropped";
    bar->SetFrozen(true);
    Step(5.0f, *bar);
    EXPECT_EQ(bar->GetCurrentFrame(), 1);
    EXPECT_FLOAT_EQ(bar->GetSegmentSecsLeft(), 1.0f);
    bar->SetFrozen(false);
    Step(1.0f, *bar);
    Step(1.0f, *bar);
    EXPECT_EQ(bar->GetState(), clsStatusBar::kFinished);
    EXPECT_EQ(bar->GetCurrentFrame(), 2);
    EXPECT_EQ(bar->GetSprite()->GetWidth(), 3);
    bar->Reset();
    EXPECT_EQ(bar->GetState(), clsStatusBar::kIdle);
}

TEST_F(StatusBarTest, AddedTimeIsMeasuredAgainstTheConstructorsTotal) {
    auto first = Bar(10, 10);
    first->Start(0.8f, 1.0f);
    first->AddTime(3);
    EXPECT_FLOAT_EQ(first->GetSegmentSecsLeft(), 1.0f) << "capped at the first picture's time";

    auto later = Bar(10, 10);
    later->Start(4.5f, 1.0f);
    later->AddTime(2);
    EXPECT_EQ(later->GetCurrentFrame(), 2);
    EXPECT_FLOAT_EQ(later->GetTimeLeft(), 7.5f);

    // The total is not scaled by the start factor: a bar run over 5 s of its 10 with 2 s left
    // counts 10 - 2 - 1 = 7 s as elapsed, past its end.
    auto scaled = Bar(10, 10);
    scaled->Start(3.0f, 0.5f);
    scaled->AddTime(1);
    EXPECT_EQ(scaled->GetCurrentFrame(), 9);
    EXPECT_FLOAT_EQ(scaled->GetSegmentSecsLeft(), 0.0f);

    auto drained = Bar(10, 10);
    drained->Start(1.5f, 1.0f);
    drained->AddTime(-20);
    EXPECT_EQ(drained->GetCurrentFrame(), 9);
    EXPECT_FLOAT_EQ(drained->GetSegmentSecsLeft(), 0.0f);
    Step(0.016f, *drained);
    EXPECT_EQ(drained->GetState(), clsStatusBar::kFinished);

    auto idle = Bar(10, 10);
    idle->AddTime(5);
    EXPECT_EQ(idle->GetCurrentFrame(), 0);
}

TEST_F(StatusBarTest, ABarWithoutTimeIgnoresAddedTimeAndANegativeStartIsAFullBar) {
    auto timeless = Bar(0, 4);
    timeless->Start(0, 1.0f);
    timeless->AddTime(-3);
    EXPECT_EQ(timeless->GetCurrentFrame(), 0);

    auto early = Bar(10, 10);
    early->Start(-4, 1.0f);
    EXPECT_EQ(early->GetCurrentFrame(), 0);
    EXPECT_FLOAT_EQ(early->GetSegmentSecsLeft(), 1.0f);
}

}  // namespace
