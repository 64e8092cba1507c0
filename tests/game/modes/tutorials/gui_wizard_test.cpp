#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ui/button.h"
#include "engine/ui/text.h"
#include "game/modes/tutorials/gui_wizard.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/session/game_session.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

// The message panel as the tutorial script makes it: the text on both layers, the continue button on
// layer 0. Without the panel's picture its "open" and "close" end at the next frame, so every
// frame is one move of the state machine.
class WizardTest : public DialogTest {
protected:
    void TearDown() override {
        clsGameSession::DeleteInstance();
        DialogTest::TearDown();
    }

    clsGuiWizard* MakeWizard() {
        return Create<clsGuiWizard>(modal, "{ name = 'wizard', x = 190, y = 90, w = 380, h = 180 }",
                                    [&](clsGuiWizard* wizard) {
                                        wizard->SelectLayer(-1);
                                        text = Create<TText>(wizard, "{ name = 'txtWizard_message', w = 300, h = 90 }");
                                        wizard->SelectLayer(0);
                                        button = Create<TButton>(wizard, "{ name = 'btnWizard_continue', w = 120, h = 50 }");
                                    });
    }
    void Frame(clsGuiWizard* wizard) {
        Advance(16);
        wizard->OnAnimate();
    }

    TText* text = nullptr;
    TButton* button = nullptr;
};

// One call or frame after the other, and what the panel shows after each.
struct Move {
    const char* call;  // script text; empty: a frame passes
    int state;
    const char* text;  // the message text
    float alpha;       // its opacity
    bool button;       // the continue button shows
    int layer;
};

TEST_F(WizardTest, OpensClosesAndReplacesItsMessageAsTheScriptsAsk) {
    const int kHidden = clsGuiWizard::Hidden, kOpening = clsGuiWizard::Opening, kClosing = clsGuiWizard::Closing,
              kShown = clsGuiWizard::Shown;
    const std::vector<Move> moves = {
        {"wizardShowMessage('first', '1', '10, 20')", kOpening, "", 0.0f, false, 1},
        {"", kShown, "first", 1.0f, true, 0},
        // shown: the new message replaces the old one at once, here without the button
        {"wizardShowMessage('second', '0', '30, 40')", kShown, "second", 1.0f, false, 1},
        {"wizardHidePanel()", kClosing, "second", 0.0f, false, 1},
        {"wizardHidePanel()", kClosing, "second", 0.0f, false, 1},
        {"", kHidden, "second", 0.0f, false, 1},
        // replaced while opening: the last message asked for shows when the opening ends
        {"wizardShowMessage('third', '0', '0, 0')", kOpening, "second", 0.0f, false, 1},
        {"wizardShowMessage('fourth', '1', '0, 0')", kOpening, "second", 0.0f, false, 1},
        {"", kShown, "fourth", 1.0f, true, 0},
        // an empty label keeps the text
        {"wizardShowMessage('', '1', '0, 0')", kShown, "fourth", 1.0f, true, 0},
        // closing, then shown again: it reopens
        {"wizardHidePanel()", kClosing, "fourth", 0.0f, false, 1},
        {"wizardShowMessage('fifth', '0', '0, 0')", kOpening, "fourth", 0.0f, false, 1},
        {"", kShown, "fifth", 1.0f, false, 1},
    };
    clsGuiWizard* wizard = MakeWizard();
    EXPECT_EQ(wizard->GetState(), kHidden);
    EXPECT_FALSE(Visible(button)) << "no button before the first message";
    for (const Move& move : moves) {
        std::string call = move.call;
        if (call.empty()) {
            Frame(wizard);
        } else {
            Run(call);
        }
        SCOPED_TRACE(call.empty() ? "a frame" : call);
        EXPECT_EQ(wizard->GetState(), move.state);
        EXPECT_STREQ(text->GetText().CStr(), move.text);
        EXPECT_EQ(text->GetAlpha(), move.alpha);
        EXPECT_EQ(Visible(button), move.button);
        EXPECT_EQ(wizard->GetCurrentLayer(), move.layer);
    }
}

TEST_F(WizardTest, MovesToThePositionOfTheMessageWithThePictureAtItsCentre) {
    clsGuiWizard* wizard = MakeWizard();
    Run("wizardShowMessage('first', '1', '222, 101')");
    Frame(wizard);
    EXPECT_EQ(wizard->GetGlobalRect().left, 222);
    EXPECT_EQ(wizard->GetGlobalRect().top, 101);
    EXPECT_EQ(wizard->GetPanel()->GetPosition().x, 222.0f + 190.0f);
    EXPECT_EQ(wizard->GetPanel()->GetPosition().y, 101.0f + 90.0f);
    EXPECT_TRUE(wizard->GetPanel()->IsVisible());
    Run("wizardHidePanel()");
    Frame(wizard);
    EXPECT_FALSE(wizard->GetPanel()->IsVisible());
}

TEST(PanelPosition, ReadsTwoNumbersAndZeroForAMissingOne) {
    struct Case {
        const char* text;
        TPoint point;
    } cases[] = {
        {"80, 136", {80, 136}}, {" 80 ,136 ", {80, 136}}, {"0,245", {0, 245}}, {"7", {7, 0}}, {"", {0, 0}},
        {"1, 2, 3", {1, 2}},
    };
    for (const Case& c : cases) {
        TPoint point = ParsePanelPosition(c.text);
        EXPECT_EQ(point.x, c.point.x) << c.text;
        EXPECT_EQ(point.y, c.point.y) << c.text;
    }
}

// A panel without its message text or button still opens and closes.
TEST_F(WizardTest, APanelWithoutItsChildrenStillWorks) {
    auto* wizard = Create<clsGuiWizard>(modal, "{ name = 'bare', w = 380, h = 180 }");
    Run("wizardShowMessage('first', '1', '0, 0')");
    Frame(wizard);
    EXPECT_EQ(wizard->GetState(), clsGuiWizard::Shown);
    Run("wizardHidePanel()");
    Frame(wizard);
    EXPECT_EQ(wizard->GetState(), clsGuiWizard::Hidden);
}

// The script functions go with the panel: a late call does nothing.
TEST_F(WizardTest, ItsScriptFunctionsGoWithIt) {
    clsGuiWizard* wizard = MakeWizard();
    Run("keptShow = wizardShowMessage");
    modal->RemoveChild(wizard);
    delete wizard;
    Run("keptShow('late', '1', '0, 0'); wizardHidePanel()");
    SUCCEED();
}

}  // namespace
