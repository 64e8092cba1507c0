#include <gtest/gtest.h>

#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "game/modes/tutorials/tutorial.h"
#include "game/shop/session/game_session.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

// A tutorial without steps: the base's operations, reached from the test.
class StepsOnly : public clsTutorial {
public:
    StepsOnly() : clsTutorial(nullptr, "tutorialArtifact") {}
    bool tutorialNextState() override { return false; }
    void UpdateStep(float) override {}

    using clsTutorial::FadeOverlay;
    using clsTutorial::FindOverlayAndButtons;
    using clsTutorial::RemovePointers;
    using clsTutorial::SetContinue;
    using clsTutorial::SetPanel;
    using clsTutorial::SetPause;
    using clsTutorial::SetStep;
    using clsTutorial::ShowArrow;
    using clsTutorial::ShowMark;
    using clsTutorial::ShowStepMessage;
    using clsTutorial::WaitPause;
};

class TutorialTest : public DialogTest {
protected:
    void TearDown() override {
        clsGameSession::DeleteInstance();
        DialogTest::TearDown();
    }
};

TEST_F(TutorialTest, StepMessagesNameTheLabelTheButtonAndThePanelsPlace) {
    Run("function showWizardMessage(label, flag, position) shown = label .. '|' .. flag .. '|' .. position end");
    StepsOnly tutorial;
    tutorial.SetContinue(true);
    tutorial.SetPanel(80, 136);
    tutorial.ShowStepMessage(3);
    EXPECT_EQ(Global("shown"), "tutorialArtifact3|1|80, 136");
    tutorial.SetContinue(false);
    tutorial.SetPanel(0, 245);
    tutorial.ShowStepMessage(12);
    EXPECT_EQ(Global("shown"), "tutorialArtifact12|0|0, 245");
}

// The pause runs out frame by frame; the frame that takes it below zero still waits.
TEST_F(TutorialTest, ThePauseHoldsTheStepsUntilItHasRunOut) {
    StepsOnly tutorial;
    EXPECT_FALSE(tutorial.WaitPause(0.016f)) << "no pause at the start";
    tutorial.SetPause(0.05f);
    EXPECT_TRUE(tutorial.WaitPause(0.02f));
    EXPECT_TRUE(tutorial.WaitPause(0.02f));
    EXPECT_TRUE(tutorial.WaitPause(0.02f));
    EXPECT_NEAR(tutorial.GetPauseSeconds(), -0.01f, 1e-6f);
    EXPECT_FALSE(tutorial.WaitPause(0.02f));
}

// The overlay under the root fades over a second; the buttons are the screen's own.
TEST_F(TutorialTest, TheOverlayFadesAndTheScreensButtonsAreCollected) {
    auto* overlay = Create<TImage>(modal, "{ name = 'OverlayWindow', w = 800, h = 600 }");
    overlay->SetAlpha(1.0f);
    auto* screen = Create<TWindow>(modal, "{ name = 'screen', w = 800, h = 600 }");
    auto* first = Create<TButton>(screen, "{ name = 'first', w = 20, h = 20 }");
    auto* panel = Create<TWindow>(screen, "{ name = 'panel', w = 200, h = 200 }");
    Create<TButton>(panel, "{ name = 'deeper', w = 20, h = 20 }");
    auto* second = Create<TButton>(screen, "{ name = 'second', w = 20, h = 20 }");
    StepsOnly tutorial;
    tutorial.FindOverlayAndButtons(*screen);
    EXPECT_EQ(tutorial.GetOverlay(), overlay);
    ASSERT_EQ(tutorial.GetButtons().size(), 2u) << "direct children only";
    EXPECT_TRUE((tutorial.GetButtons()[0] == first && tutorial.GetButtons()[1] == second) ||
                (tutorial.GetButtons()[0] == second && tutorial.GetButtons()[1] == first));
    EXPECT_FALSE(tutorial.FadeOverlay(0.6f));
    EXPECT_NEAR(overlay->GetAlpha(), 0.4f, 1e-6f);
    EXPECT_FALSE(tutorial.FadeOverlay(0.6f)) << "the frame that clears it still fades";
    EXPECT_EQ(overlay->GetAlpha(), 0.0f);
    EXPECT_TRUE(tutorial.FadeOverlay(0.016f));
}

TEST_F(TutorialTest, WithoutAnOverlayTheTutorialStartsAtOnce) {
    StepsOnly tutorial;
    EXPECT_TRUE(tutorial.FadeOverlay(0.016f));
}

// The default end hides the buttons, takes the pointers away and leaves the steps standing still.
TEST_F(TutorialTest, TheDefaultEndStopsTheSteps) {
    auto* screen = Create<TWindow>(modal, "{ name = 'screen', w = 800, h = 600 }");
    auto* button = Create<TButton>(screen, "{ name = 'button', w = 20, h = 20 }");
    StepsOnly tutorial;
    tutorial.FindOverlayAndButtons(*screen);
    tutorial.SetStep(17);
    tutorial.ShowArrow(10.0f, 20.0f);
    tutorial.ShowMark(30.0f, 40.0f);
    tutorial.finalizeTutorial();
    EXPECT_EQ(tutorial.GetStep(), clsTutorial::kStandStill);
    EXPECT_EQ(tutorial.GetArrow(), nullptr);
    EXPECT_EQ(tutorial.GetMark(), nullptr);
    EXPECT_FALSE(Visible(button));
}

}  // namespace
