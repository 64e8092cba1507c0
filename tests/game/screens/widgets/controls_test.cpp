#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/animated_sprite.h"
#include "engine/ui/button.h"
#include "game/screens/widgets/control_animation.h"
#include "game/screens/widgets/control_button.h"
#include "game/screens/widgets/control_tab.h"
#include "game/screens/widgets/fx_button.h"
#include "tests/engine/graphics/animation_fixture.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

// The control widgets over the real window script, which notes what the widgets run ("calls").
class ControlsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Run("calls = ''\n"
            "function Note(what) calls = calls .. what .. ' ' end\n"
            "function Ended() Note('ended') end\n"
            "function Other() Note('other') end");
    }
    void TearDown() override {
        AnimationTaskList().Clear();
        DialogTest::TearDown();
    }

    // A tab with toggle buttons named "btn_<id>", 50 px apart from (10, 10).
    controlTab* MakeTab(std::initializer_list<int> ids) {
        return Create<controlTab>(modal, "{ name = 'tab', x = 0, y = 0, w = 800, h = 600 }", [&](controlTab* tab) {
            int x = 10;
            for (int id : ids) {
                Create<TButton>(tab, "{ name = 'btn_" + std::to_string(id) + "', type = kToggle, x = " + std::to_string(x) +
                                         ", y = 10, w = 40, h = 20 }");
                x += 50;
            }
        });
    }
    static TPoint Place(TWindow* window) { return {window->GetRect().left, window->GetRect().top}; }
    std::string Calls() { return Global("calls"); }

    PictureAssetKinds kinds;
};

TEST_F(ControlsTest, TheNewestTabAnswersTheTabFunctionsAndHidesItsButtonsFarBelow) {
    controlTab* older = MakeTab({1});
    controlTab* tab = MakeTab({1, 2, 3});
    auto* first = static_cast<TButton*>(tab->FindChild("btn_1"));
    auto* second = static_cast<TButton*>(tab->FindChild("btn_2"));
    auto* third = static_cast<TButton*>(tab->FindChild("btn_3"));
    ASSERT_EQ(tab->GetTabs().size(), 3u);
    EXPECT_EQ(tab->GetTabs().front().id, 1);  // the last child button first: the child list runs front first

    second->SetToggleState(true);
    Run("ActivateButtonsTab(false)");
    for (TButton* button : {first, second, third}) EXPECT_EQ(Place(button), controlTab::kHiddenPoint);
    EXPECT_FALSE(second->GetToggleState());
    EXPECT_EQ(Place(older->FindChild("btn_1")), (TPoint{10, 10}));

    // Back to the places noted when the tab was made, wherever a button was moved since.
    first->MoveTo(300, 300);
    Run("ActivateButtonsTab(true)");
    EXPECT_EQ(Place(first), (TPoint{10, 10}));
    EXPECT_EQ(Place(third), (TPoint{110, 10}));

    struct Case {
        const char* call;
        TPoint first, second, third;
    } cases[] = {
        {"ActivateButton(false, 2)", {10, 10}, controlTab::kHiddenPoint, {110, 10}},
        {"ActivateButton(false, 7)", {10, 10}, controlTab::kHiddenPoint, {110, 10}},
        {"ActivateButton(true, 2)", {10, 10}, {60, 10}, {110, 10}},
        {"ActivateButton(false, 3)", {10, 10}, {60, 10}, controlTab::kHiddenPoint},
    };
    for (const Case& c : cases) {
        Run(c.call);
        EXPECT_EQ(Place(first), c.first) << c.call;
        EXPECT_EQ(Place(second), c.second) << c.call;
        EXPECT_EQ(Place(third), c.third) << c.call;
    }

    Run("ActivateTabLayer(2)");
    EXPECT_EQ(tab->GetCurrentLayer(), 2);
    EXPECT_EQ(older->GetCurrentLayer(), 0);

    // Once the newest tab is gone its functions do nothing; the older tab does not take them back.
    modal->RemoveChild(tab);
    delete tab;
    Run("ActivateButtonsTab(false) ActivateTabLayer(3)");
    EXPECT_EQ(Place(older->FindChild("btn_1")), (TPoint{10, 10}));
    EXPECT_EQ(older->GetCurrentLayer(), 0);
}

TEST_F(ControlsTest, AControlButtonRunsItsTextsOnEveryWayInAndOut) {
    auto* button = Create<controlButton>(
        modal, "{ name = 'hover', x = 100, y = 100, w = 80, h = 40, onMouseOver = \"Note('over')\", "
               "onMouseLeave = \"Note('leave')\" }");
    EXPECT_STREQ(button->GetClassName(), "controlButton");
    struct Case {
        TPoint point;
        bool inside;
        const char* calls;
    } cases[] = {
        {{50, 50}, false, ""},          {{120, 120}, true, "over "},
        {{150, 130}, true, "over "},    {{300, 300}, false, "over leave "},
        {{179, 139}, true, "over leave over "}, {{180, 139}, false, "over leave over leave "},
    };
    for (const Case& c : cases) {
        MouseMove(c.point.x, c.point.y);
        EXPECT_EQ(button->IsPointerInside(), c.inside) << c.point.x << "," << c.point.y;
        EXPECT_EQ(manager->HasCapture(button), c.inside) << c.point.x << "," << c.point.y;
        EXPECT_EQ(Calls(), c.calls) << c.point.x << "," << c.point.y;
    }
}

// An animation of four frames whose "DoAnim" shows them 16 ms apart.
class ControlAnimationTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        AddFile("anim/sparkle_sheet.png", ToString(Sheet()));
        AddFile("anim/sparkle.anm", ToString(AnmFile("sparkle", "sparkle_sheet.png", 8,
                                                     {{0, 0, 0, 1.0f, -1e7f}, {0, 0, 4, 1.0f, -1e7f},
                                                      {0, 0, 0, 1.0f, -1e7f}, {0, 0, 4, 1.0f, -1e7f}},
                                                     "function DoAnim() frames{1, 2, 3, 4} end")));
    }
    static std::string ToString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

    controlAnimation* MakeAnimation(const std::string& fields) {
        return Create<controlAnimation>(modal, "{ name = 'sparkle', x = 40, y = 50, w = 20, h = 10, "
                                               "animation = 'anim/sparkle', " + fields + " }");
    }
    // One frame: the clock, the animation scripts, then the window's own frame.
    bool Frame(controlAnimation* animation) {
        Advance(16);
        AnimationTaskList().Run();
        return animation->OnAnimate();
    }
};

TEST_F(ControlAnimationTest, ShowsFrameZeroUntilAskedThenCallsTheEndCallbackOnce) {
    controlAnimation* idle = MakeAnimation("onEndAnimation = 'Ended', scale = 2, regx = '3', regy = '1'");
    EXPECT_EQ(idle->GetRect(), TRect(40, 50, 80, 70));
    EXPECT_FALSE(idle->GetSprite().IsPlaying(0));
    EXPECT_EQ(idle->GetSprite().GetCurrentFrame(), 0);
    EXPECT_FLOAT_EQ(idle->GetSprite().GetState().transform.m[6], 6.0f);
    EXPECT_FLOAT_EQ(idle->GetSprite().GetState().transform.m[7], 2.0f);
    EXPECT_FLOAT_EQ(idle->GetSprite().GetState().transform.m[0], 2.0f);

    // The newest animation answers; a call while it plays changes nothing, its callback included.
    controlAnimation* newest = MakeAnimation("onEndAnimation = 'Ended'");
    Run("PlayAnimationControl('', '')");
    EXPECT_TRUE(newest->GetSprite().IsPlaying(0));
    Run("PlayAnimationControl('DoAnim', 'Other')");
    EXPECT_EQ(newest->GetEndCallback(), TString("Ended"));
    EXPECT_FALSE(idle->GetSprite().IsPlaying(0));

    int frames = 0;
    while (Frame(newest)) ASSERT_LT(++frames, 20);
    EXPECT_EQ(Calls(), "ended ");
    EXPECT_EQ(newest->GetSprite().GetCurrentFrame(), 3);

    // Played again with a callback of its own.
    Run("PlayAnimationControl('', 'Other')");
    while (Frame(newest)) ASSERT_LT(++frames, 40);
    EXPECT_EQ(Calls(), "ended other ");
}

TEST_F(ControlAnimationTest, StartPlaysAtOnceAndANegativePlaceMovesTheWindow) {
    controlAnimation* animation = MakeAnimation("start = true, x = '-10', y = '5'");
    EXPECT_EQ(animation->GetRect().left, -10);
    EXPECT_EQ(animation->GetRect().top, 5);
    EXPECT_TRUE(animation->GetSprite().IsPlaying(0));
    int frames = 0;
    while (Frame(animation)) ASSERT_LT(++frames, 20);
    EXPECT_EQ(Calls(), "");
}

// FxButton: what each button state does to the glitter (move) and the border loop (down).
TEST_F(ControlsTest, AnFxButtonSwapsItsEffectsWithItsState) {
    auto* button = Create<clsFxButton>(modal, "{ name = 'play', x = 100, y = 100, w = 120, h = 40 }");
    EXPECT_STREQ(button->GetClassName(), "clsFxButton");
    EXPECT_TRUE(button->IsKindOf(TButton::ClassId()));
    EXPECT_FALSE(button->GetMoveFx().IsVisible());
    EXPECT_FALSE(button->GetDownFx().IsVisible());

    struct Case {
        const char* what;
        int state;
        bool moveShown, moveStopped, downShown, downStopped;
    } cases[] = {
        {"roll over", kButtonRollOver, true, false, false, true},
        {"press", kButtonPressed, true, true, true, false},
        {"release", kButtonActivated, true, true, true, true},
        {"roll over again", kButtonRollOver, true, false, true, true},
        {"leave", kButtonNormal, true, true, true, true},
    };
    for (const Case& c : cases) {
        button->OnStateChanged(c.state, button->GetState());
        EXPECT_EQ(button->GetMoveFx().IsVisible(), c.moveShown) << c.what;
        EXPECT_EQ(button->GetMoveFx().IsStopped(), c.moveStopped) << c.what;
        EXPECT_EQ(button->GetDownFx().IsVisible(), c.downShown) << c.what;
        EXPECT_EQ(button->GetDownFx().IsStopped(), c.downStopped) << c.what;
    }

    // The arches and the loop lie over the button where it stands on the screen.
    float p[12] = {};
    button->GetMoveFx().GetPath().GetSegment(0, p);
    EXPECT_EQ((std::vector<float>(p, p + 12)),
              (std::vector<float>{100, 100, 0.2f, 130, 140, 0.2f, 130, 140, 0.2f, 160, 100, 0.2f}));
    button->GetDownFx().GetPath().GetSegment(1, p);
    EXPECT_EQ((std::vector<float>(p, p + 12)),
              (std::vector<float>{220, 120, 0.2f, 220, 140, 0.2f, 100, 140, 0.2f, 100, 120, 0.2f}));
}

}  // namespace
