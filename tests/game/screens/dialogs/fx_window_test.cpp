#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/screens/dialogs/fx_window.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

// Notes each leg as it ends (its duration and the elasticity it ran with) and each rest.
class RecordingFxWindow : public clsFxWindow {
public:
    struct Leg {
        int durationMs;
        float elasticity;
    };

    void OnMoveEnd(clsTimeDriver* driver) override {
        legs.push_back({GetLegDurationMs(), GetElasticity()});
        clsFxWindow::OnMoveEnd(driver);
    }
    void PlaceAtRest() override {
        ++rests;
        clsFxWindow::PlaceAtRest();
    }

    std::vector<Leg> legs;
    int rests = 0;
};

class FxWindowTest : public DialogTest {
protected:
    RecordingFxWindow* MakeWindow() { return MakeDialog<RecordingFxWindow>(); }
    TWindow* Panel(TWindow* window) { return window->FindChild("BackGround"); }
};

TEST_F(FxWindowTest, PanelSlideRunsNineShrinkingLegsAndRestsAfter596Ms) {
    RecordingFxWindow* window = MakeWindow();
    window->StartSlideTransition(Panel(window), clsFxWindow::kSlideInLeft, 0.3f, 400);

    const int kLegMs[] = {120, 92, 75, 64, 57, 52, 48, 45, 43};
    const float kElasticity[] = {0.3f, 0.24f, 0.192f, 0.1536f, 0.12288f, 0.098304f, 0.0786432f, 0.0629146f, 0.0503316f};
    for (int leg = 0; leg < 9; ++leg) {
        RunFrames(window, kLegMs[leg] - 1, 1);
        ASSERT_EQ(window->legs.size(), static_cast<size_t>(leg)) << "leg " << leg << " ended early";
        RunFrames(window, 1, 1);
        ASSERT_EQ(window->legs.size(), static_cast<size_t>(leg + 1)) << "leg " << leg << " did not end";
        EXPECT_EQ(window->legs[leg].durationMs, kLegMs[leg]);
        EXPECT_NEAR(window->legs[leg].elasticity, kElasticity[leg], 1e-6);
    }
    EXPECT_EQ(window->rests, 1);
    EXPECT_EQ(Panel(window)->GetRect(), kPanel);
    RunFrames(window, 500);
    EXPECT_EQ(window->rests, 1);
    EXPECT_EQ(Panel(window)->GetRect(), kPanel);
}

TEST_F(FxWindowTest, SlideFromTheLeftPassesItsPlaceAndComesBack) {
    RecordingFxWindow* window = MakeWindow();
    window->StartSlideTransition(Panel(window), clsFxWindow::kSlideInLeft, 0.3f, 400);
    // Leg 1: -440 to 312 in 120 ms; leg 2: back to 148.32 in 92 ms; leg 3: out to 186.144 in 75 ms.
    const struct {
        int atMs;
        int left;
    } kPositions[] = {{0, -440}, {30, -252}, {60, -64}, {120, 312}, {166, 230}, {212, 148}, {287, 186}, {596, 180}};
    int nowMs = 0;
    for (const auto& expected : kPositions) {
        RunFrames(window, expected.atMs - nowMs, 1);
        nowMs = expected.atMs;
        EXPECT_EQ(Panel(window)->GetRect().left, expected.left) << "at " << expected.atMs << " ms";
        EXPECT_EQ(Panel(window)->GetRect().top, kPanel.top);
    }
}

// Each code's start (right after the call) and where the target stays once the transition is over.
TEST_F(FxWindowTest, EachCodeStartsAndEndsWhereItsTableSays) {
    const struct {
        int code;
        TRect start;
        TRect end;
    } kCases[] = {
        {clsFxWindow::kSlideInLeft, {-440, 150, 0, 450}, kPanel},
        {clsFxWindow::kSlideInRight, {800, 150, 1240, 450}, kPanel},
        {clsFxWindow::kSlideInTop, {180, -300, 620, 0}, kPanel},
        {clsFxWindow::kSlideInBottom, {180, 600, 620, 900}, kPanel},
        {clsFxWindow::kZoomIn, {180, 150, 180, 150}, kPanel},
        {clsFxWindow::kZoomDown, {180, 150, 1060, 750}, kPanel},
        {clsFxWindow::kSlideOutLeft, kPanel, {-440, 150, 0, 450}},
        {clsFxWindow::kSlideOutRight, kPanel, {800, 150, 1240, 450}},
        {clsFxWindow::kSlideOutTop, kPanel, {180, -300, 620, 0}},
        {clsFxWindow::kSlideOutBottom, kPanel, {180, 600, 620, 900}},
        {clsFxWindow::kZoomOut, kPanel, {180, 150, 180, 150}},
        {clsFxWindow::kZoomUp, kPanel, {180, 150, 1060, 750}},
        {99, kPanel, kPanel},
    };
    for (const auto& test : kCases) {
        RecordingFxWindow* window = MakeWindow();
        window->StartSlideTransition(Panel(window), test.code, 0.3f, 400);
        EXPECT_EQ(Panel(window)->GetRect(), test.start) << "code " << test.code;
        RunFrames(window, 1000);
        EXPECT_EQ(Panel(window)->GetRect(), test.end) << "code " << test.code;
        EXPECT_EQ(window->rests, 1) << "code " << test.code;
        // Outward transitions and unknown codes run one leg only.
        size_t expectedLegs = test.code >= clsFxWindow::kSlideOutLeft ? 1u : 9u;
        EXPECT_EQ(window->legs.size(), expectedLegs) << "code " << test.code;
        delete window;
    }
}

TEST_F(FxWindowTest, ZoomBouncesAroundItsSize) {
    RecordingFxWindow* window = MakeWindow();
    window->StartSlideTransition(Panel(window), clsFxWindow::kZoomIn, 0.3f, 400);
    RunFrames(window, 120, 1);
    EXPECT_EQ(Panel(window)->GetWidth(), 572);  // 1.3 x 440
    RunFrames(window, 92, 1);
    EXPECT_EQ(Panel(window)->GetWidth(), 408);  // 1 - 0.3 x 0.24 = 0.928
    RunFrames(window, 400, 16);
    EXPECT_EQ(Panel(window)->GetRect(), kPanel);
}

TEST_F(FxWindowTest, RandomCodeIsAlwaysOneOfTheFourSlideIns) {
    std::set<int> drawn;
    for (int i = 0; i < 40; ++i) {
        RecordingFxWindow* window = MakeWindow();
        window->StartPanelEntry();
        int code = window->GetTransitionCode();
        EXPECT_GE(code, clsFxWindow::kSlideInLeft);
        EXPECT_LE(code, clsFxWindow::kSlideInBottom);
        drawn.insert(code);
        delete window;
        Advance(37);  // another seed
    }
    EXPECT_EQ(drawn.size(), 4u);
}

TEST_F(FxWindowTest, SameClockTimeDrawsTheSameSlide) {
    RecordingFxWindow* first = MakeWindow();
    RecordingFxWindow* second = MakeWindow();
    first->StartPanelEntry();
    second->StartPanelEntry();
    EXPECT_EQ(first->GetTransitionCode(), second->GetTransitionCode());
}

TEST_F(FxWindowTest, WithoutATargetNothingMovesAndNothingRests) {
    RecordingFxWindow* window = MakeDialog<RecordingFxWindow>({}, false);
    window->StartPanelEntry();
    RunFrames(window, 1000);
    EXPECT_EQ(window->legs.size(), 0u);
    EXPECT_EQ(window->rests, 0);
    EXPECT_EQ(window->GetTransitionTarget(), nullptr);
}

TEST_F(FxWindowTest, PausedClockFreezesTheTransition) {
    RecordingFxWindow* window = MakeWindow();
    window->StartSlideTransition(Panel(window), clsFxWindow::kSlideInLeft, 0.3f, 400);
    RunFrames(window, 60, 1);
    modal->GetClock().Pause();
    RunFrames(window, 1000);
    EXPECT_EQ(Panel(window)->GetRect().left, -64);
    EXPECT_EQ(window->rests, 0);
}

TEST_F(FxWindowTest, RestartDuringATransitionStartsOverFromTheNewStart) {
    RecordingFxWindow* window = MakeWindow();
    window->StartSlideTransition(Panel(window), clsFxWindow::kSlideInLeft, 0.3f, 400);
    RunFrames(window, 200, 1);
    window->StartSlideTransition(Panel(window), clsFxWindow::kSlideInTop, 0.3f, 400);
    EXPECT_EQ(Panel(window)->GetRect().top, -300);
    EXPECT_EQ(window->GetLegDurationMs(), 120);
    RunFrames(window, 1000);
    EXPECT_EQ(window->rests, 1);
    EXPECT_EQ(Panel(window)->GetRect().top, kPanel.top);
}

}  // namespace
