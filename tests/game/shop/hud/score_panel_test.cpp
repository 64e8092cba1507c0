#include "game/shop/hud/score_panel.h"

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/text_sprite.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

class ScorePanelTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        AddAnimation("anim/clock", 61);
        AddPicture("gui/gui_score_goal_time", 40, 30);
    }

    static TString Text(TSprite& label) { return static_cast<TTextSprite&>(label).GetBlock().text; }
    static TVec2 Place(TSprite& sprite) {
        return TVec2(sprite.GetState().transform.m[6], sprite.GetState().transform.m[7]);
    }
};

TEST_F(ScorePanelTest, TheClockFramesFollowTheTimeUsedAndTheDayClosesOnce) {
    clsGuiScoreGoalTime panel(scene.get(), 120.0f, 1);
    struct Case {
        float dt;
        int frame;
        int closed;
    };
    const Case cases[] = {{0.0f, 0, 0}, {60.0f, 30, 0}, {59.5f, 59, 0}, {0.5f, 60, 1}, {30.0f, 60, 1}};
    for (const Case& c : cases) {
        panel.UpdateClock(c.dt);
        EXPECT_EQ(panel.GetClock().GetAnimation().GetCurrentFrame(), c.frame) << panel.GetElapsedSeconds();
        EXPECT_EQ(scene->Count("CloseShop"), c.closed) << panel.GetElapsedSeconds();
    }
    EXPECT_TRUE(panel.IsTimeOver());
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/time_over"});
}

TEST_F(ScorePanelTest, AStepPastTheLimitOrNoTimeAtAllClosesAtOnce) {
    struct Case {
        float limit;
        float dt;
    };
    for (Case c : {Case{120.0f, 500.0f}, Case{0.0f, 0.016f}}) {
        RecordingScene day;
        clsGuiScoreGoalTime panel(&day, c.limit, 1);
        panel.UpdateClock(c.dt);
        EXPECT_EQ(day.Count("CloseShop"), 1) << "limit " << c.limit;
        EXPECT_TRUE(panel.IsTimeOver());
    }
}

TEST_F(ScorePanelTest, WithoutAnOwnerTheClockStillRunsOut) {
    clsGuiScoreGoalTime panel(nullptr, 1.0f, 1);
    panel.UpdateClock(2.0f);
    EXPECT_TRUE(panel.IsTimeOver());
}

TEST_F(ScorePanelTest, NumbersFollowThePanelAndCaptionsStay) {
    clsGuiScoreGoalTime panel(scene.get(), 120.0f, 1);
    panel.SetPosition(10.0f, 20.0f);
    panel.SetScore(42);
    panel.SetGoal(-5);
    panel.SetDay(3);
    EXPECT_EQ(Text(panel.GetScoreValue()), "42");
    EXPECT_EQ(Text(panel.GetGoalValue()), "-5");
    EXPECT_EQ(Text(panel.GetDayValue()), "3");
    EXPECT_EQ(Text(panel.GetGoalCaption()), "lblGuiGoal") << "no string table: the label itself";
    panel.SetGoalCaption("Expert");
    EXPECT_EQ(Text(panel.GetGoalCaption()), "Expert");
    EXPECT_EQ(Place(panel.GetScoreValue()), TVec2(190.0f, 52.0f));
    EXPECT_EQ(Place(panel.GetGoalValue()), TVec2(190.0f, 82.0f));
    EXPECT_EQ(Place(panel.GetGoalCaption()), TVec2(107.0f, 57.0f));
    EXPECT_EQ(Place(panel.GetDayValue()), TVec2(46.0f, 99.0f));
    EXPECT_EQ(panel.GetClock().GetPosition(), TVec2(59.0f, 66.5f));
}

TEST_F(ScorePanelTest, PreloadsThePanelTheClockAndTheBell) {
    PreloadGuiScoreGoalTimeAnims(scene->assets);
    EXPECT_EQ(scene->assets.preload, (std::vector<std::string>{"gui/gui_score_goal_time", "anim/clock",
                                                               "audio/sfx/time_over?group=1000"}));
}

}  // namespace
