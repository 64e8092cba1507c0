// A game manager over a temporary user folder, a two-level config, a clock-driven sound manager and
// a script state, with stand-ins for the screens and the game session. Tests drive it through the
// script functions as the menus' scripts do.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/base/config.h"
#include "engine/core/files/asset.h"
#include "engine/core/prefs/prefs_db.h"
#include "engine/scripthost/script.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound_manager.h"
#include "game/data/game_manager.h"
#include "platform/clock/clock.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/engine/sound/sound_test_util.h"

namespace gamemanagertest {

constexpr char kConfig[] = R"(<config>
  <game><maxSecsElapsed>0.05</maxSecsElapsed></game>
  <levels multiple="true">
    <level id="1"><timeMinutes>2</timeMinutes><potions>0, 1</potions><potionsTypes>1</potionsTypes></level>
    <level id="2"><timeMinutes>3</timeMinutes><potions>1, 0, 1</potions><potionsTypes>1</potionsTypes></level>
  </levels>
  <potions multiple="true">
    <potion id="p1"><value>15</value><ingredients>A</ingredients></potion>
    <potion id="p2"><value>15</value><ingredients>B</ingredients></potion>
  </potions>
</config>)";

// The modal stack as the game manager sees it: for each window from the top, whether it has a parent.
class StandInScreens : public GameScreens {
public:
    bool TopModalHasParent() override { return !modalHasParent.empty() && modalHasParent.front(); }
    void PopTopModal() override { modalHasParent.erase(modalHasParent.begin()); }
    void StartTransition(const TString& from, const TString& to) override {
        transitions.emplace_back(from.CStr(), to.CStr());
    }

    std::vector<bool> modalHasParent;
    std::vector<std::pair<std::string, std::string>> transitions;
};

class StandInSession : public GameSessionLink {
public:
    int GetCurrentLevel() override { return level; }
    void SetCurrentLevel(int value) override { level = value; }
    void SetMoneyTotal(int value) override { money = value; }
    void SetCollapseDue(bool due) override { collapseDue = due; }
    void ResetSession() override { ++sessionResets; }
    void ResetLevelCounters() override { ++counterResets; }

    int level = 0;
    int money = 0;
    bool collapseDue = false;
    int sessionResets = 0;
    int counterResets = 0;
};

class GameManagerTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        StartLog();
        SetConfig("encryptionkey", "BrineKelpVQZ");
        soundtest::AddFile("config.xml", std::vector<uint8_t>(kConfig, kConfig + sizeof kConfig - 1));
        platform::SetTestClock(0);
        platform::UseClockBackend(platform::ClockBackend::Test);
        platform::UseAudioBackend(platform::AudioBackend::Headless);
        sound_ = std::make_unique<TSoundManager>();
        sound_->Init();
        script_ = std::make_unique<TScript>();
        Start();
    }
    void TearDown() override {
        GameManager::Destroy();
        script_.reset();
        sound_.reset();
        platform::UseAudioBackend(platform::AudioBackend::Real);
        platform::UseClockBackend(platform::ClockBackend::Real);
        ClearDataSourceBuilders();
        soundtest::ForgetFiles();
        FileLayerTest::TearDown();
    }

    // A new run of the game over the same store.
    void Start() { manager_ = GameManager::Create({script_->GetState(), &screens_, &session_}); }
    void Restart() {
        GameManager::Destroy();
        Start();
    }

    void Run(const std::string& code) { ASSERT_EQ(script_->DoLuaString(code.c_str()), 0) << code; }
    double Number(const std::string& expression) {
        Run("result = " + expression);
        return script_->GetGlobalNumber("result");
    }
    bool Truth(const std::string& expression) { return Number("(" + expression + ") and 1 or 0") == 1; }

    // The store as another program sees it (the manager's own connection stays open).
    std::unique_ptr<TPrefsDB> OpenStore() { return std::make_unique<TPrefsDB>(true); }

    std::unique_ptr<TSoundManager> sound_;
    std::unique_ptr<TScript> script_;
    StandInScreens screens_;
    StandInSession session_;
    GameManager* manager_ = nullptr;
};

}  // namespace gamemanagertest
