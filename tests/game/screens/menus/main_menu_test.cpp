#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/files/stringtable.h"
#include "engine/ui/text.h"
#include "game/screens/menus/main_menu.h"
#include "tests/game/screens/dialog_fixture.h"
#include "tests/game/screens/player_store_fixture.h"

namespace {
constexpr char kStrings[] =
    "<Workbook><Table><Row><Cell><Data>welcome</Data></Cell><Cell><Data>Welcome, %1%!</Data></Cell></Row>"
    "</Table></Workbook>";

// The main menu over a game manager with a store of its own and the welcome line in the strings.
class MainMenuTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        strings_.LoadText(kStrings, sizeof kStrings - 1);
        windowHost.strings = &strings_;
        store_ = std::make_unique<PlayerStore>();
        game = store_->game;
    }
    void TearDown() override {
        store_.reset();
        windowHost.strings = nullptr;
        DialogTest::TearDown();
    }

    // The menu with its welcome text and change-player button; both carry a further flag of their own.
    TMainMenu* MakeMenu() {
        return Create<TMainMenu>(modal, "{ name = 'menu', x = 0, y = 0, w = 800, h = 600 }", [&](TMainMenu* menu) {
            Create<TText>(menu, "{ name = 'welcome', label = 'hello', x = 10, y = 10, w = 300, h = 40 }");
            AddChildWindow(menu, TMainMenu::kChangePlayerWindow, TRect(10, 60, 200, 100));
            for (const char* name : {TMainMenu::kWelcomeWindow, TMainMenu::kChangePlayerWindow}) {
                TWindow* child = menu->FindChild(name);
                child->SetFlags(child->GetFlags() | kOwnFlag);
            }
        });
    }
    static std::string Welcome(TMainMenu* menu) {
        return static_cast<TText*>(menu->FindChild(TMainMenu::kWelcomeWindow))->GetText().CStr();
    }

    static constexpr uint32_t kOwnFlag = 0x1000;
    GameManager* game = nullptr;

private:
    std::unique_ptr<PlayerStore> store_;
    TStringTable strings_;
};

// Without any player the welcome and the change of player are hidden: only their visible flag goes.
TEST_F(MainMenuTest, WithoutPlayersWelcomeAndChangePlayerAreHidden) {
    TMainMenu* menu = MakeMenu();
    for (const char* name : {TMainMenu::kWelcomeWindow, TMainMenu::kChangePlayerWindow}) {
        SCOPED_TRACE(name);
        TWindow* child = menu->FindChild(name);
        EXPECT_FALSE(child->HasFlags(kWindowVisible));
        EXPECT_TRUE(child->HasFlags(kOwnFlag));
    }
    EXPECT_EQ(Welcome(menu), "hello");
    ASSERT_NE(menu->GetTitleCard(), nullptr);
    delete menu;
}

// The welcome names the current player as typed (the backslash escaped, so that it shows);
// "SetWelcomeName" writes it again after a change.
TEST_F(MainMenuTest, WelcomeNamesTheCurrentPlayer) {
    game->CreateNewUser("O'Brien \\ <b>test");
    TMainMenu* menu = MakeMenu();
    EXPECT_EQ(Welcome(menu), "Welcome, O'Brien \\\\ \\<b>test!");
    EXPECT_TRUE(Visible(menu->FindChild(TMainMenu::kChangePlayerWindow)));
    game->CreateNewUser("Tessa");
    Run("SetWelcomeName()");
    EXPECT_EQ(Welcome(menu), "Welcome, Tessa!");
    delete menu;
    Run("SetWelcomeName()");  // no menu any more: nothing happens
}

}  // namespace
