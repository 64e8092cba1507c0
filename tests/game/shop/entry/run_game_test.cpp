// The game's main function, recorded step by step over scripted events.
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "game/shop/entry/game_steps.h"
#include "game/shop/entry/game_window_types.h"

namespace {

class RecordingSteps : public GameSteps {
public:
    void SetUpPlayLog() override { Note("SetUpPlayLog"); }
    void SetRendererOption(const char* name, const char* value) override {
        Note(std::string("SetRendererOption ") + name + "=" + value);
    }
    void SetWindowTitle() override { Note("SetWindowTitle"); }
    void CreateGameManager() override { Note("CreateGameManager"); }
    void StartSession() override { Note("StartSession"); }
    void LoadUserData() override { Note("LoadUserData"); }
    void AddWindowType(const char* name, TWindowFactory) override { typeNames.push_back(name); }
    bool RunScript(const char* file) override {
        Note(std::string("RunScript ") + file);
        return scriptsRun;
    }
    void DoLuaString(const TString& text) override { Note(std::string("DoLuaString ") + text.CStr()); }
    int LevelOfPlant() override { return 5; }
    int LevelOfPhoenix() override { return 8; }
    void InsideGame(bool on) override {
        insideGame = on;
        Note(on ? "InsideGame true" : "InsideGame false");
    }
    bool AreInsideGame() override { return insideGame; }

    void NextEvent(TAppEvent& event) override {
        // The scripts start a level once the start-up is over.
        if (enterLevel) insideGame = true;
        enterLevel = false;
        if (events.empty()) {
            MakeAppEvent(event, kEventQuit);
            return;
        }
        event = events.front();
        events.pop_front();
    }
    void StoreFullScreenSetting() override { Note("StoreFullScreenSetting"); }
    void DispatchEvent(const TAppEvent& event) override {
        Note("DispatchEvent " + std::to_string(event.type) + "/" + std::to_string(event.param));
    }
    void PostQuit() override { Note("PostQuit"); }

    int LevelsWon() override { return 2; }
    int LevelsLost() override { return 1; }
    void RecordPlayLog(const char* name, int value) override {
        Note(std::string("RecordPlayLog ") + name + "=" + std::to_string(value));
    }
    void SendPlayLog() override { Note("SendPlayLog"); }
    void DeleteSession() override { Note("DeleteSession"); }
    void DestroyGameManager() override { Note("DestroyGameManager"); }
    void DeleteTrophyTracker() override { Note("DeleteTrophyTracker"); }
    void FinishPlayLog() override { Note("FinishPlayLog"); }

    void Add(int type, int param = 0) {
        TAppEvent event;
        MakeAppEvent(event, type, 0, 0, param);
        events.push_back(event);
    }
    void Note(const std::string& step) { steps.push_back(step); }
    // The steps of the main loop: those after the start-up and before the shut-down.
    std::vector<std::string> LoopSteps() const {
        return std::vector<std::string>(steps.begin() + static_cast<long>(kStartUp.size()),
                                        steps.end() - static_cast<long>(kShutDown.size()));
    }

    static inline const std::vector<std::string> kStartUp = {
        "SetUpPlayLog",
        "SetRendererOption new_subtractive=1",
        "SetRendererOption new_render_blend=1",
        "SetRendererOption texture_rectangle=1",
        "SetRendererOption fps=0",
        "SetWindowTitle",
        "CreateGameManager",
        "StartSession",
        "LoadUserData",
        "RunScript scripts/mainloop.lua",
        "DoLuaString setLevelOfPlant(4)",
        "DoLuaString setLevelOfPhoenix(7)",
        "InsideGame false",
    };
    static inline const std::vector<std::string> kShutDown = {
        "RecordPlayLog Alembria: LevelsWon=2",
        "RecordPlayLog Alembria: LevelsFailed=1",
        "SendPlayLog",
        "DeleteSession",
        "DestroyGameManager",
        "DeleteTrophyTracker",
        "FinishPlayLog",
    };

    std::deque<TAppEvent> events;
    std::vector<std::string> steps;
    std::vector<std::string> typeNames;
    bool insideGame = false;
    bool enterLevel = false;
    bool scriptsRun = true;
};

TEST(RunGameTest, StartsUpInOrderAndShutsDownAfterAnUndispatchedQuit) {
    RecordingSteps steps;
    RunGame(steps);
    std::vector<std::string> expected = RecordingSteps::kStartUp;
    expected.insert(expected.end(), RecordingSteps::kShutDown.begin(), RecordingSteps::kShutDown.end());
    EXPECT_EQ(steps.steps, expected);
}

TEST(RunGameTest, RegistersThirtyFourTypesOfThirtyThreeNamesBeforeTheMainScript) {
    RecordingSteps steps;
    RunGame(steps);
    ASSERT_EQ(steps.typeNames.size(), 34u);
    EXPECT_EQ(std::set<std::string>(steps.typeNames.begin(), steps.typeNames.end()).size(), 33u);
    // The later registration of a name wins: the credits of row 32, the game's own text edit last.
    EXPECT_EQ(steps.typeNames[5], "CreditsWindow");
    EXPECT_EQ(steps.typeNames[31], "CreditsWindow");
    EXPECT_EQ(steps.typeNames.front(), "ShopGameWindow");
    EXPECT_EQ(steps.typeNames.back(), "TextEdit");
}

struct LoopCase {
    const char* name;
    std::vector<std::pair<int, int>> events;  // type, parameter
    bool insideLevel;                         // a level is being played
    bool quitVerifyRuns;
    std::vector<std::string> loop;
};

void PrintTo(const LoopCase& c, std::ostream* out) { *out << c.name; }

class RunGameLoopTest : public testing::TestWithParam<LoopCase> {};

TEST_P(RunGameLoopTest, HandlesEachEventThenDispatchesIt) {
    const LoopCase& c = GetParam();
    RecordingSteps steps;
    for (auto [type, param] : c.events) steps.Add(type, param);
    steps.enterLevel = c.insideLevel;
    steps.scriptsRun = c.quitVerifyRuns;
    RunGame(steps);
    EXPECT_EQ(steps.LoopSteps(), c.loop);
}

const char kPause[] = "DoLuaString DoModal('scripts/pause.lua');";

INSTANTIATE_TEST_SUITE_P(
    Events, RunGameLoopTest,
    testing::Values(
        LoopCase{"Close", {{kEventClose, 0}}, false, true, {"RunScript scripts/quitverify.lua", "DispatchEvent 3/0"}},
        LoopCase{"CloseWithoutQuitVerify", {{kEventClose, 0}}, false, false,
                 {"RunScript scripts/quitverify.lua", "PostQuit", "DispatchEvent 3/0"}},
        LoopCase{"FullScreen", {{kEventFullScreen, 1}}, false, true, {"StoreFullScreenSetting", "DispatchEvent 19/1"}},
        LoopCase{"TwoLossesOfActivationInALevel", {{kEventActivation, 0}, {kEventActivation, 0}}, true, true,
                 {"InsideGame false", kPause, "DispatchEvent 18/0", "DispatchEvent 18/0"}},
        LoopCase{"LossOfActivationInAMenu", {{kEventActivation, 0}}, false, true, {"DispatchEvent 18/0"}},
        LoopCase{"ActivationInALevel", {{kEventActivation, 1}}, true, true, {"DispatchEvent 18/1"}},
        LoopCase{"Idle", {{kEventIdle, 0}, {kEventLeftDown, 0}}, true, true, {"DispatchEvent 1/0", "DispatchEvent 5/0"}}),
    [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

}  // namespace
