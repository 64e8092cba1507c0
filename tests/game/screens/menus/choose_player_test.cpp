#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ui/button.h"
#include "game/screens/menus/choose_player.h"
#include "game/screens/menus/player_choices.h"
#include "tests/game/screens/dialog_fixture.h"
#include "tests/game/screens/player_store_fixture.h"

namespace {

// The chooser over a game manager with a store of its own; the menu script's two functions record
// what the chooser tells them.
class ChoosePlayerTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        store_ = std::make_unique<PlayerStore>();
        game = store_->game;
        Run("gMaximumNumberOfPlayers = 6; kScrollOffset = 0; gCalls = ''\n"
            "function InitOffset(current, count) gCalls = gCalls .. 'InitOffset ' .. current .. ' ' .. count .. ';' end\n"
            "function UpdatePlayerChoices(current, count, names)\n"
            "  gCalls = gCalls .. 'Update ' .. current .. ' ' .. count .. ' ' .. table.getn(names) .. ';'\n"
            "  gNames = names\n"
            "end\n");
    }
    void TearDown() override {
        store_.reset();
        DialogTest::TearDown();
    }

    void AddPlayers(const std::vector<std::string>& names) {
        for (const std::string& name : names) game->CreateNewUser(TString(name.c_str()));
    }

    // The chooser with toggle buttons btnUser0 .. btnUser<buttons - 1>.
    TChoosePlayer* MakeChooser(int buttons = 6) {
        return Create<TChoosePlayer>(modal, "{ name = 'chooser', x = 0, y = 0, w = 800, h = 600 }",
                                     [&](TChoosePlayer* chooser) {
                                         AddChildWindow(chooser, "BackGround", kPanel);
                                         for (int i = 0; i < buttons; ++i)
                                             Create<TButton>(chooser, "{ name = 'btnUser" + std::to_string(i) +
                                                                          "', type = kToggle, x = 0, y = 0, w = 20, h = 20 }");
                                     });
    }
    static void SetButton(TChoosePlayer* chooser, int i, bool on) {
        WindowCastToTButton(chooser->FindChild(TString::Format("btnUser%d", i)))->SetToggleState(on);
    }

    GameManager* game = nullptr;

private:
    std::unique_ptr<PlayerStore> store_;
};

// Names are handed over as typed: quotes, backslashes, line breaks and script text in a name show
// as they stand and run nothing.
TEST_F(ChoosePlayerTest, NamesReachTheScriptsAsTypedAndRunNothing) {
    const std::vector<std::string> kNames = {
        "Tessa", "O'Brien \\ test", "say \"hi\"\\", "two\nlines", "x'); gRan = true; ('", "]] gRan = true --[["};
    AddPlayers(kNames);
    TChoosePlayer* chooser = MakeChooser();
    EXPECT_EQ(Global("gCalls"), "InitOffset 5 6;Update 5 6 6;");
    for (size_t i = 0; i < kNames.size(); ++i) {
        SCOPED_TRACE(kNames[i]);
        Run("gName = gNames[" + std::to_string(i + 1) + "]");
        EXPECT_EQ(Global("gName"), kNames[i]);
    }
    EXPECT_EQ(Global("gRan"), "nil");
    EXPECT_EQ(PlayerChoicesList({}), "{}");
    EXPECT_EQ(PlayerChoicesList({"A", "B'C"}), "{\"A\",\"B'C\",}");
    delete chooser;
}

// The list stops at the most players the script allows; the count does not.
TEST_F(ChoosePlayerTest, ListHoldsAtMostTheMaximumWhileTheCountIsAll) {
    AddPlayers({"A", "B", "C", "D", "E"});
    Run("gMaximumNumberOfPlayers = 3");
    TChoosePlayer* chooser = MakeChooser(3);
    EXPECT_EQ(chooser->GetMaximumPlayers(), 3);
    EXPECT_EQ(Global("gCalls"), "InitOffset 4 5;Update 4 5 3;");
    delete chooser;
}

TEST_F(ChoosePlayerTest, WithoutPlayersBothLinesNameNoCurrentPlayer) {
    TChoosePlayer* chooser = MakeChooser();
    EXPECT_EQ(Global("gCalls"), "InitOffset -1 0;Update -1 0 0;");
    delete chooser;
}

// The selected player: the first button on, counted from the scroll offset; none on answers 0.
TEST_F(ChoosePlayerTest, SelectionCountsFromTheScrollOffset) {
    AddPlayers({"A", "B", "C", "D", "E"});
    TChoosePlayer* chooser = MakeChooser(3);
    EXPECT_EQ(chooser->GetCurrentSelectedUser(), 0);
    EXPECT_EQ(chooser->GetSelectedPlayerName(), "A");
    Run("kScrollOffset = 2");
    SetButton(chooser, 1, true);
    SetButton(chooser, 2, true);
    EXPECT_EQ(chooser->GetCurrentSelectedUser(), 3);
    EXPECT_EQ(chooser->GetSelectedPlayerName(), "D");
    Run("gSelected = GetCurrentSelectedUser(); gName = GetSelectedPlayerName(); gCount = GetNumberOfUsers()");
    EXPECT_EQ(Global("gSelected"), "3");
    EXPECT_EQ(Global("gName"), "D");
    EXPECT_EQ(Global("gCount"), "5");
    delete chooser;
    // The functions kept by a script no longer reach the chooser.
    Run("gSelected = GetCurrentSelectedUser(); gName = GetSelectedPlayerName()");
    EXPECT_EQ(Global("gSelected"), "0");
    EXPECT_EQ(Global("gName"), "nil");
}

}  // namespace
