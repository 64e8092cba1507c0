#include <gtest/gtest.h>

#include <memory>

#include "engine/core/app/game_state.h"
#include "engine/ui/text.h"
#include "game/screens/results/result_screens.h"
#include "game/shop/scene/game_interface.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

// Notes every named state the screens send to the host, and answers the jump-to-menu question.
class RecordingHost : public TGameStateHandler {
public:
    RecordingHost(std::vector<std::string>& states, bool& jump) : states_(states), jump_(jump) {}
    bool SetState(const TString& name, const TString&) override {
        states_.push_back(name.CStr());
        return true;
    }
    bool QueryJumpToMenu() override { return jump_; }

private:
    std::vector<std::string>& states_;
    bool& jump_;
};

class ResultScreensTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        TGameState::CreateInstance()->AddHandler(std::make_unique<RecordingHost>(hostStates, jumpToMenu));
        Run("function DoModal(file) opened = file end");
        Run("quits = 0; function SendGameMessage(m) if m == 'quit' then quits = quits + 1 end end");
    }
    void TearDown() override {
        TGameState::DestroyInstance();
        DialogTest::TearDown();
    }

    // A result screen with its table, backdrop and button, as the game's layouts give it.
    template <class T>
    T* MakeScreen() {
        return Create<T>(modal, "{ name = 'result', x = 0, y = 0, w = 800, h = 600 }", [this](T* screen) {
            AddChildWindow(screen, "BackGround", kPanel);
            AddChildWindow(screen, "AlphaBackGround", TRect(0, 0, 800, 600));
            AddChildWindow(screen, T::kButton, TRect(310, 400, 490, 460));
            description = Create<TText>(screen, "{ name = 'txtDataDescription', x = 200, y = 200, w = 200, h = 150 }");
            values = Create<TText>(screen, "{ name = 'txtDataValue', x = 400, y = 200, w = 200, h = 150 }");
        });
    }
    static bool AllEffectsVisible(clsResultScreen* screen) {
        bool visible = screen->GetBorder().GetEffect().IsVisible();
        for (const auto& effect : screen->GetEffects()) visible = visible && effect->IsVisible();
        return visible;
    }

    std::vector<std::string> hostStates;
    bool jumpToMenu = false;
    TText* description = nullptr;
    TText* values = nullptr;
};

TEST_F(ResultScreensTest, ValueLinesShowTheScenesEarningsOrZeroWithoutAScene) {
    EXPECT_STREQ(clsResultScreen::ValueText(nullptr).CStr(), "$0\n$0\n$0\n$0\n$0");
    clsGameInterface scene;
    scene.AddEarnings(clsGameInterface::kPotionEarnings, 120);
    scene.AddEarnings(clsGameInterface::kArtifactEarnings, 35);
    scene.AddEarnings(clsGameInterface::kFruitEarnings, 0);
    scene.AddEarnings(clsGameInterface::kTipEarnings, 17);
    EXPECT_STREQ(clsResultScreen::ValueText(&scene).CStr(), "$120\n$35\n$0\n$17\n$172");
}

TEST_F(ResultScreensTest, WinScreenFillsItsTableFromTheSceneThatEnded) {
    auto scene = std::make_unique<clsGameInterface>();
    scene->AddEarnings(clsGameInterface::kPotionEarnings, 250);
    scene->AddEarnings(clsGameInterface::kTipEarnings, 40);
    MakeScreen<TYouWin>();
    EXPECT_STREQ(description->GetText().CStr(),
                 "Potions: \nMagic artifacts: \nFruit of the plants: \nTips: \nThe day's profit");
    EXPECT_STREQ(values->GetText().CStr(), "$250\n$0\n$0\n$40\n$290");
}

TEST_F(ResultScreensTest, LoseScreenWithoutASceneShowsZeroes) {
    MakeScreen<TYouLose>();
    EXPECT_STREQ(values->GetText().CStr(), "$0\n$0\n$0\n$0\n$0");
}

// The backdrop, the button and every effect wait for the panel to rest.
TEST_F(ResultScreensTest, ButtonBackdropAndEffectsShowOnlyAtRest) {
    for (bool win : {true, false}) {
        SCOPED_TRACE(win ? "win" : "lose");
        clsResultScreen* screen = win ? static_cast<clsResultScreen*>(MakeScreen<TYouWin>())
                                      : static_cast<clsResultScreen*>(MakeScreen<TYouLose>());
        TWindow* button = screen->FindChild(win ? TYouWin::kButton : TYouLose::kButton);
        TWindow* backdrop = screen->FindChild("AlphaBackGround");
        EXPECT_EQ(screen->GetEffects().size(), win ? 2u : 1u);
        RunFrames(screen, 580);
        EXPECT_FALSE(Visible(button));
        EXPECT_FALSE(Visible(backdrop));
        EXPECT_FALSE(screen->GetBorder().GetEffect().IsVisible());
        for (const auto& effect : screen->GetEffects()) EXPECT_FALSE(effect->IsVisible());
        RunFrames(screen, 160);
        EXPECT_TRUE(Visible(button));
        EXPECT_TRUE(Visible(backdrop));
        EXPECT_TRUE(AllEffectsVisible(screen));
        EXPECT_EQ(screen->FindChild("BackGround")->GetRect(), kPanel);
        delete screen;
    }
}

// Escape opens the pause script over the screen; a key whose code only ends in the Escape byte
// does not.
TEST_F(ResultScreensTest, EscapeByItsWholeKeyCodeOpensThePause) {
    TYouWin* screen = MakeScreen<TYouWin>();
    manager->SetFocus(screen);
    KeyDown(27 + 256);
    EXPECT_EQ(Global("opened"), "nil");
    KeyDown('P');
    EXPECT_EQ(Global("opened"), "nil");
    KeyDown(27);
    EXPECT_EQ(Global("opened"), "scripts/pause.lua");
}

TEST_F(ResultScreensTest, ClosingTellsTheHostGameOverOnce) {
    TYouLose* screen = MakeScreen<TYouLose>();
    RunFrames(screen, 100);
    EXPECT_TRUE(hostStates.empty());
    delete screen;
    EXPECT_EQ(hostStates, std::vector<std::string>{"gameover"});
}

TEST_F(ResultScreensTest, LoseScreenSendsQuitEveryFrameWhileTheHostWantsTheMenu) {
    TYouLose* lose = MakeScreen<TYouLose>();
    TYouWin* win = MakeScreen<TYouWin>();
    RunFrames(lose, 48);
    EXPECT_EQ(Global("quits"), "0");
    jumpToMenu = true;
    RunFrames(lose, 48);
    RunFrames(win, 48);
    EXPECT_EQ(Global("quits"), "3");
}

}  // namespace
