#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/data/game_tables.h"
#include "game/screens/transition/transition.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

using Xs = std::array<float, clsTransition::kPanelCount>;

constexpr Xs kResting = {5, 175, 345, 515, 685};

// Transition windows over a script that notes every call the transition makes into it ("calls").
class TransitionTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Run("calls = ''\n"
            "function Note(what) calls = calls .. what .. ' ' end\n"
            "function DisableAllButtons() Note('disable') end\n"
            "function EnableAllButtons() Note('enable') end\n"
            "function NextScreen() Note('next') end");
        clsTransition::SetPrecededByClosing(false);
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        clsTransition::SetPrecededByClosing(false);
        DialogTest::TearDown();
    }

    clsTransition* MakeTransition() {
        return Create<clsTransition>(modal, "{ name = 'transition', x = 0, y = 0, w = 800, h = 600 }");
    }
    // Moves the clock to ms after the start (ms only grows) and runs one frame.
    bool FrameAt(clsTransition* transition, int ms) {
        Advance(static_cast<uint32_t>(ms - nowMs_));
        nowMs_ = ms;
        return transition->OnAnimate();
    }
    static Xs PanelXs(const clsTransition* transition) {
        Xs xs{};
        for (int panel = 0; panel < clsTransition::kPanelCount; ++panel) xs[panel] = transition->GetPanelX(panel);
        return xs;
    }
    std::string Calls() { return Global("calls"); }

    int nowMs_ = 0;
};

TEST_F(TransitionTest, ClosingSlidesThePanelsInOneAfterTheOtherAndRunsTheCodeAfterThePause) {
    clsTransition* transition = MakeTransition();
    EXPECT_EQ(transition->GetName(), TString("swtTransitionWindow"));
    EXPECT_EQ(transition->GetPhase(), clsTransition::Phase::kIdle);
    EXPECT_FALSE(transition->IsShown());

    transition->Start("Note('code')", "NextScreen");
    EXPECT_EQ(Calls(), "disable ");
    EXPECT_TRUE(clsTransition::PrecededByClosing());
    EXPECT_EQ(PanelXs(transition), (Xs{-125, 45, 215, 385, 555}));

    // Step 150 ms, pause 300 ms: panel s moves 130 px during [150 s, 150 (s + 1)); the ones below rest.
    struct Case {
        int ms;
        int moving;
        Xs xs;
        clsTransition::Phase phase;
    } cases[] = {
        {75, 0, {-60, 45, 215, 385, 555}, clsTransition::Phase::kClosing},
        {150, 1, {5, 45, 215, 385, 555}, clsTransition::Phase::kClosing},
        {225, 1, {5, 110, 215, 385, 555}, clsTransition::Phase::kClosing},
        {600, 4, {5, 175, 345, 515, 555}, clsTransition::Phase::kClosing},
        {700, 4, {5, 175, 345, 515, 555 + 100 * 130 / 150.0f}, clsTransition::Phase::kClosing},
        {750, 4, kResting, clsTransition::Phase::kClosed},
        {1049, 4, kResting, clsTransition::Phase::kClosed},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(FrameAt(transition, c.ms)) << c.ms;
        EXPECT_EQ(transition->GetMovingPanel(), c.moving) << c.ms;
        for (int panel = 0; panel < clsTransition::kPanelCount; ++panel)
            EXPECT_NEAR(transition->GetPanelX(panel), c.xs[panel], 0.01f) << c.ms << " panel " << panel;
        EXPECT_EQ(transition->GetPhase(), c.phase) << c.ms;
        EXPECT_EQ(Calls(), "disable ") << c.ms;
    }

    // 5 x 150 + 300 ms after the start: the code line, not the function, then the buttons again.
    EXPECT_FALSE(FrameAt(transition, 1050));
    EXPECT_EQ(Calls(), "disable code enable ");
    EXPECT_EQ(transition->GetPhase(), clsTransition::Phase::kDone);
    EXPECT_FALSE(transition->IsShown());
}

TEST_F(TransitionTest, TheEndActionIsTheCodeLineElseTheFunctionTimedByTheGameData) {
    struct Case {
        const char* code;
        const char* function;
        int step, end;
        const char* calls;
    } cases[] = {
        {"Note('code')", "", 150, 300, "disable code enable "},
        {"", "NextScreen", 150, 300, "disable next enable "},
        {"", "NoSuchFunction", 150, 300, "disable enable "},
        {"Note('code')", "", 40, 100, "disable code enable "},
    };
    for (const Case& c : cases) {
        GetGameTables().transitionTimeStep = c.step;
        GetGameTables().transitionTimeEnd = c.end;
        Run("calls = ''");
        clsTransition* transition = MakeTransition();
        transition->Start(c.code, c.function);
        nowMs_ = 0;
        for (int ms = 16; ms < 5 * c.step; ms += 16) ASSERT_TRUE(FrameAt(transition, ms)) << c.calls << " " << ms;
        EXPECT_TRUE(FrameAt(transition, 5 * c.step)) << c.calls;
        EXPECT_TRUE(FrameAt(transition, 5 * c.step + c.end - 1)) << c.calls;
        EXPECT_FALSE(FrameAt(transition, 5 * c.step + c.end)) << c.calls;
        EXPECT_EQ(Calls(), c.calls);
    }
}

TEST_F(TransitionTest, TheNextScreensWindowOpensWhenAClosingCameBeforeAndNeverEnablesTheButtons) {
    clsTransition* quiet = MakeTransition();
    EXPECT_FALSE(quiet->IsShown());

    MakeTransition()->Start("", "NextScreen");  // the screen being left
    clsTransition* opening = MakeTransition();
    EXPECT_EQ(opening->GetPhase(), clsTransition::Phase::kOpening);
    EXPECT_FALSE(clsTransition::PrecededByClosing());
    EXPECT_TRUE(opening->IsShown());
    EXPECT_EQ(opening->GetMovingPanel(), 4);
    EXPECT_EQ(PanelXs(opening), kResting);

    // Step 150 ms: panel s leaves its place by 130 px while 150 s < elapsed <= 150 (s + 1), the
    // elapsed time counting down from 750.
    struct Case {
        int ms;
        int moving;
        float x;  // of the moving panel
    } cases[] = {{0, 4, 685}, {75, 4, 620}, {150, 4, 555}, {225, 3, 450}, {700, 0, 5 + (50 / 150.0f - 1) * 130},
                 {750, 0, -125}, {850, 0, 5 + (-100 / 150.0f - 1) * 130}};
    for (const Case& c : cases) {
        EXPECT_TRUE(FrameAt(opening, c.ms)) << c.ms;
        EXPECT_EQ(opening->GetMovingPanel(), c.moving) << c.ms;
        EXPECT_NEAR(opening->GetPanelX(c.moving), c.x, 0.01f) << c.ms;
    }
    // A whole step past panel 0 nothing is left to draw; the window waits without an end.
    EXPECT_TRUE(FrameAt(opening, 900));
    EXPECT_EQ(opening->GetMovingPanel(), -1);
    EXPECT_EQ(opening->GetPhase(), clsTransition::Phase::kOpen);
    EXPECT_TRUE(FrameAt(opening, 5000));
    EXPECT_EQ(Calls(), "disable ");
}

TEST_F(TransitionTest, AStalledFrameRestsEverySkippedPanelAndStillWaitsThePause) {
    clsTransition* transition = MakeTransition();
    transition->Start("Note('code')", "");
    EXPECT_TRUE(FrameAt(transition, 200));
    EXPECT_TRUE(FrameAt(transition, 500));  // from panel 1 straight to panel 3
    EXPECT_EQ(transition->GetMovingPanel(), 3);
    EXPECT_EQ(PanelXs(transition), (Xs{5, 175, 345, 385 + 50 * 130 / 150.0f, 555}));

    EXPECT_TRUE(FrameAt(transition, 2000));  // far past the last panel
    EXPECT_EQ(transition->GetPhase(), clsTransition::Phase::kClosed);
    EXPECT_EQ(transition->GetMovingPanel(), 4);
    EXPECT_EQ(PanelXs(transition), kResting);
    EXPECT_EQ(Calls(), "disable ");
    EXPECT_TRUE(FrameAt(transition, 2299));
    EXPECT_FALSE(FrameAt(transition, 2300));
    EXPECT_EQ(Calls(), "disable code enable ");
}

TEST_F(TransitionTest, AStepThatIsNotPositiveIsWarnedAndTakenAsOneMillisecond) {
    for (int step : {0, -20}) {
        GetGameTables().transitionTimeStep = step;
        Run("calls = ''");
        clsTransition* transition = MakeTransition();
        transition->Start("Note('code')", "");
        EXPECT_TRUE(Logged("[WARN] transitionTimeStep " + std::to_string(step) + " is not positive")) << step;
        nowMs_ = 0;
        EXPECT_TRUE(FrameAt(transition, 5));
        EXPECT_EQ(transition->GetPhase(), clsTransition::Phase::kClosed) << step;
        EXPECT_FALSE(FrameAt(transition, 305)) << step;
        EXPECT_EQ(Calls(), "disable code enable ") << step;
    }
}

}  // namespace
