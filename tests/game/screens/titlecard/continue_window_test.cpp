#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/screens/titlecard/continue_window.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

using Points = std::vector<std::array<float, 2>>;

// The first two coordinates of each control point of the effect's path, segment by segment.
Points PathPoints(clsParticleFx& effect) {
    Points points;
    for (int segment = 0; segment < effect.GetPath().GetCount(); ++segment) {
        float p[12] = {};
        effect.GetPath().GetSegment(segment, p);
        for (int i = 0; i < 4; ++i) points.push_back({p[3 * i], p[3 * i + 1]});
    }
    return points;
}

class ContinueWindowTest : public DialogTest {};

TEST_F(ContinueWindowTest, TitleCardGlowsInPlaceAndSparklesCircleItWithoutMovingTheChildren) {
    auto* window = MakeDialog<clsContinueWnd>({"question"});
    ASSERT_NE(window->GetTitleCard(), nullptr);
    clsTitleCard& card = *window->GetTitleCard();
    EXPECT_EQ(PathPoints(card.GetShine()), (Points{{480, 137}, {480, 137}, {480, 137}, {480, 137}}));
    EXPECT_EQ(PathPoints(card.GetStar()), (Points{{477, 77}, {379, 150}, {557, 186}, {477, 173},
                                                  {477, 172}, {404, 186}, {578, 152}, {475, 77}}));
    EXPECT_STREQ(window->GetClassName(), "clsContinueWnd");

    // Many circuits later the sparkles still run and nothing of the window has moved.
    RunFrames(window, 5000);
    EXPECT_EQ(window->FindChild("BackGround")->GetRect(), kPanel);
    EXPECT_EQ(window->FindChild("question")->GetRect(), TRect(10, 10, 90, 50));
    EXPECT_TRUE(card.GetStar().IsVisible());
    EXPECT_FALSE(card.GetStar().IsStopped());
}

}  // namespace
