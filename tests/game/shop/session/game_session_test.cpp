// The game session: level flow, preload order, cursor and the script functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/display_service.h"
#include "engine/scripthost/script.h"
#include "game/data/game_tables.h"
#include "game/shop/session/game_session.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/game/data/log_capture.h"

namespace {

constexpr int kLevelCount = 6;

class GameSessionTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        GetGameTables() = GameTables();
        for (int i = 0; i < kLevelCount; ++i) GetGameTables().levels.Append(LevelRecord());
        GetLevelFlow() = LevelFlow();
        session_ = std::make_unique<clsGameSession>(&script_);
    }
    void TearDown() override {
        session_.reset();
        GetGameTables() = GameTables();
        GetLevelFlow() = LevelFlow();
        FileLayerTest::TearDown();
    }

    void Run(const std::string& code) { ASSERT_EQ(script_.DoLuaString(code.c_str()), 0) << code; }
    std::string Text(const std::string& expression) {
        Run("result = tostring(" + expression + ")");
        return script_.GetGlobalString("result").CStr();
    }

    TScript script_;
    std::unique_ptr<clsGameSession> session_;
};

struct AdvanceCase {
    int levelBefore;
    int levelAfter;
    bool collapseNext;
};

void PrintTo(const AdvanceCase& c, std::ostream* out) {
    *out << c.levelBefore << " to " << c.levelAfter << (c.collapseNext ? ", collapse next" : "");
}

class AdvanceLevelTest : public GameSessionTest, public testing::WithParamInterface<AdvanceCase> {};

TEST_P(AdvanceLevelTest, MovesOnAddsTheMoneyAndCountsTheWin) {
    const AdvanceCase& c = GetParam();
    GetLevelFlow().currentLevel = c.levelBefore;
    GetLevelFlow().playerMoney = 100;
    session_->AdvanceLevel(40);
    EXPECT_EQ(GetLevelFlow().currentLevel, c.levelAfter);
    EXPECT_EQ(GetLevelFlow().playerMoney, 140);
    EXPECT_EQ(session_->IsNextLevelCollapse(), c.collapseNext);
    EXPECT_EQ(session_->GetLevelsWon(), 1);
}

// Six levels: the collapse game comes before the levels 3 and 6 (the last wraps to 0, which sets nothing).
INSTANTIATE_TEST_SUITE_P(Levels, AdvanceLevelTest,
                         testing::Values(AdvanceCase{0, 1, false}, AdvanceCase{1, 2, false}, AdvanceCase{2, 3, true},
                                         AdvanceCase{3, 4, false}, AdvanceCase{5, 0, false}));

TEST_F(GameSessionTest, TheCollapseFlagStaysUntilCleared) {
    GetLevelFlow().currentLevel = 2;
    session_->AdvanceLevel(0);
    session_->AdvanceLevel(0);
    EXPECT_TRUE(session_->IsNextLevelCollapse());
    session_->ClearCollapseFlag();
    EXPECT_FALSE(session_->IsNextLevelCollapse());
}

TEST_F(GameSessionTest, ResetClearsTheFlowAndTheCounters) {
    GetLevelFlow() = LevelFlow{4, 2, 300};
    session_->AdvanceLevel(10);
    session_->CountLoss();
    session_->ResetSession();
    EXPECT_EQ(GetLevelFlow().currentLevel, 0);
    EXPECT_EQ(GetLevelFlow().collapseLevel, 0);
    EXPECT_EQ(GetLevelFlow().playerMoney, 0);
    EXPECT_EQ(session_->GetLevelsWon(), 0);
    EXPECT_EQ(session_->GetLevelsLost(), 0);
    EXPECT_FALSE(session_->IsNextLevelCollapse());
}

TEST_F(GameSessionTest, TheCurrentLevelRecordIsCheckedAgainstTheLevels) {
    GetLevelFlow().currentLevel = kLevelCount - 1;
    EXPECT_EQ(session_->GetCurrentLevelRecord(), &GetGameTables().levels.At(kLevelCount - 1));
    LogCapture log;
    GetLevelFlow().currentLevel = kLevelCount;
    EXPECT_EQ(session_->GetCurrentLevelRecord(), nullptr);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[ERROR] There is no level 6: the game data has 6 levels"});
}

TEST_F(GameSessionTest, PendingAssetsLoadTheGameListThenTheMenuListEachLastFirst) {
    for (const char* name : {"g1", "g2", "g3"}) session_->AddPreloadAnim(name);
    session_->AddPreloadSound("s");
    for (const char* name : {"m1", "m2"}) session_->AddMenuPreloadAnim(name);
    LogCapture log;
    int loads = 0;
    while (session_->LoadPendingAssets()) ++loads;
    EXPECT_EQ(loads, 6);
    std::vector<std::string> order;
    for (const std::string& message : log.Messages()) {
        std::string name = message.substr(message.find("asset ") + 6);
        order.push_back(name.substr(0, name.find(' ')));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"s?group=1000", "g3", "g2", "g1", "m2", "m1"}));
    EXPECT_FALSE(session_->LoadPendingAssets());
}

TEST_F(GameSessionTest, MenuAssetsLoadFromTheMenuListOnly) {
    session_->AddPreloadAnim("g");
    session_->AddMenuPreloadAnim("m");
    EXPECT_TRUE(session_->LoadMenuAssets());
    EXPECT_FALSE(session_->LoadMenuAssets());
    EXPECT_TRUE(session_->LoadPendingAssets());  // the game list is still there
}

TEST_F(GameSessionTest, MissingSoundsAreNotPlayed) {
    EXPECT_FALSE(session_->PlaySound("audio/sfx/none", false));
    EXPECT_FALSE(session_->PauseSound("audio/sfx/none", true));
    session_->StopSound("audio/sfx/none");
}

TEST_F(GameSessionTest, SetCurrentLevelStartsTheNextGameWithoutChangingIt) {
    Run("calls = '' function playShopGame(n) calls = calls .. 'shop' .. n .. ';' end "
        "function playCollapseGame() calls = calls .. 'collapse;' end");
    GetLevelFlow().currentLevel = 4;
    Run("setCurrentLevel()");
    EXPECT_EQ(Text("calls"), "shop4;");
    EXPECT_EQ(Text("getCurrentLevel()"), "4");
    EXPECT_EQ(Text("isNextLevelCollapse()"), "false");

    GetLevelFlow().currentLevel = 2;
    session_->AdvanceLevel(0);
    Run("calls = '' setCurrentLevel() setCurrentLevel()");
    EXPECT_EQ(Text("calls"), "collapse;collapse;");
    EXPECT_EQ(Text("isNextLevelCollapse()"), "true");
    EXPECT_EQ(Text("getCurrentLevel()"), "3");
}

TEST_F(GameSessionTest, ScriptFunctionsEndWithTheSession) {
    session_.reset();
    EXPECT_EQ(Text("getCurrentLevel()"), "0");
}

// The cursor pictures the application was handed.
int cursorsSet = 0;

class CursorDisplay : public IDisplay {
public:
    void SetMouseImage(const std::shared_ptr<TTexture>&, int hotX, int hotY, bool direct) override {
        EXPECT_EQ(hotX, 0);
        EXPECT_EQ(hotY, 0);
        EXPECT_TRUE(direct);
        ++cursorsSet;
    }
};

class GameSessionCursorTest : public GameSessionTest {
protected:
    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        cursorsSet = 0;
        SetDisplayFactory([]() -> std::unique_ptr<IDisplay> { return std::make_unique<CursorDisplay>(); });
        GameSessionTest::SetUp();
        auto* data = new TApplicationData("", true);
        data->startupFolder = Path("");
        data->userDataFolder = Path("user");
        data->commonDataFolder = Path("common");
        application_ = std::make_unique<TApplication>(data);
        application_->CreateDisplay();
    }
    void TearDown() override {
        session_.reset();
        application_.reset();
        SetDisplayFactory(nullptr);
        std::filesystem::current_path(previousFolder_);
        GameSessionTest::TearDown();
    }

    std::unique_ptr<TApplication> application_;
    std::filesystem::path previousFolder_;
};

TEST_F(GameSessionCursorTest, TheSameKindIsSetOnceUnlessForced) {
    session_->SetCursor(clsGameSession::kArrowCursor, false);  // no application yet
    EXPECT_EQ(cursorsSet, 0);
    session_->SetApplication(application_.get());
    session_->SetCursor(clsGameSession::kArrowCursor, false);
    EXPECT_EQ(cursorsSet, 1);
    session_->SetCursor(clsGameSession::kHandCursor, false);
    session_->SetCursor(clsGameSession::kHandCursor, false);
    EXPECT_EQ(cursorsSet, 2);
    session_->SetCursor(clsGameSession::kHandCursor, true);
    EXPECT_EQ(cursorsSet, 3);
    session_->SetCursor(7, false);  // recorded only
    EXPECT_EQ(cursorsSet, 3);
    EXPECT_EQ(session_->GetCursorKind(), 7);
}

}  // namespace
