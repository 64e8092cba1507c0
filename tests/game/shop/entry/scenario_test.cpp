// Scenarios of headless runs: the file format, the waits on the probe, and the steps played pass by pass.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/shop/entry/scenario.h"
#include "game/shop/entry/scenario_player.h"

namespace {

namespace fs = std::filesystem;

// A scenario file of the given text in a folder of the test's own.
class ScenarioFile {
public:
    explicit ScenarioFile(const std::string& text)
        : path_(fs::temp_directory_path() / ("alembria-scenario-" + std::to_string(::getpid()) + ".scenario")) {
        std::ofstream(path_) << text;
    }
    ~ScenarioFile() { fs::remove(path_); }
    std::string Path() const { return path_.string(); }

private:
    fs::path path_;
};

std::vector<ScenarioStep> Read(const std::string& text, std::string& error) {
    ScenarioFile file(text);
    std::vector<ScenarioStep> steps;
    if (!ReadScenario(file.Path(), steps, error)) steps.clear();
    return steps;
}

TEST(ScenarioFormatTest, ReadsEveryStepWithItsLine) {
    std::string error;
    std::vector<ScenarioStep> steps = Read(
        "# brew\n"
        "\n"
        "  wait until cauldron0 != idle  \n"
        "wait until money >= 20\n"
        "click 462 470\n"
        "right-click 300 -5\n"
        "move 578 200\n"
        "key p\n"
        "key 27\n"
        "lua  onPotionSelected(0); print('a b')\n"
        "drag 1 2 3 -4\n"
        "type O'Brien \\  test\n"
        "shot lost\n",
        error);
    ASSERT_EQ(steps.size(), 11u) << error;
    EXPECT_EQ(steps[0].kind, ScenarioStep::kWait);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].text, "wait until cauldron0 != idle");
    EXPECT_EQ(steps[0].field, "cauldron0");
    EXPECT_EQ(steps[0].compare, ProbeCompare::kNotEqual);
    EXPECT_EQ(steps[0].value, "idle");
    EXPECT_EQ(steps[1].compare, ProbeCompare::kGreaterOrEqual);
    EXPECT_EQ(steps[1].value, "20");
    EXPECT_EQ(steps[2].kind, ScenarioStep::kClick);
    EXPECT_EQ(steps[2].x, 462);
    EXPECT_EQ(steps[2].y, 470);
    EXPECT_EQ(steps[3].kind, ScenarioStep::kRightClick);
    EXPECT_EQ(steps[3].y, -5);
    EXPECT_EQ(steps[4].kind, ScenarioStep::kMove);
    EXPECT_EQ(steps[5].key, 'P');  // letters name their keys as key events carry them, in upper case
    EXPECT_EQ(steps[6].key, 27);
    EXPECT_EQ(steps[7].kind, ScenarioStep::kLua);
    EXPECT_EQ(steps[7].argument, "onPotionSelected(0); print('a b')");
    EXPECT_EQ(steps[7].line, 10);
    EXPECT_EQ(steps[8].kind, ScenarioStep::kDrag);
    EXPECT_EQ(steps[8].x, 1);
    EXPECT_EQ(steps[8].y, 2);
    EXPECT_EQ(steps[8].toX, 3);
    EXPECT_EQ(steps[8].toY, -4);
    EXPECT_EQ(steps[9].kind, ScenarioStep::kType);
    EXPECT_EQ(steps[9].argument, "O'Brien \\  test");  // as typed, blanks and all
    EXPECT_EQ(steps[10].kind, ScenarioStep::kShot);
    EXPECT_EQ(steps[10].argument, "lost");
}

struct BadLine {
    const char* name;
    const char* line;
};

class ScenarioBadLineTest : public testing::TestWithParam<BadLine> {};

TEST_P(ScenarioBadLineTest, IsRefusedWithItsLineNumber) {
    std::string error;
    EXPECT_TRUE(Read(std::string("click 1 2\n") + GetParam().line + "\n", error).empty());
    EXPECT_NE(error.find(".scenario:2: expected"), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScenarioBadLineTest,
    testing::Values(BadLine{"UnknownStep", "jump 1 2"}, BadLine{"WaitWithoutUntil", "wait money = 1"},
                    BadLine{"UnknownComparison", "wait until money == 1"},
                    BadLine{"OrderingWithText", "wait until carry > potion0"},
                    BadLine{"WaitWithMore", "wait until money = 1 2"}, BadLine{"ClickWithOneNumber", "click 4"},
                    BadLine{"ClickWithText", "click four 5"}, BadLine{"ClickWithMore", "click 4 5 6"},
                    BadLine{"DragWithThreeNumbers", "drag 1 2 3"},
                    BadLine{"KeyWord", "key Escape"}, BadLine{"KeyFraction", "key 2.5"},
                    BadLine{"KeyMissing", "key"}, BadLine{"LuaWithoutText", "lua   "},
                    BadLine{"TypeWithoutText", "type"}, BadLine{"ShotWithoutName", "shot"},
                    BadLine{"ShotWithTwoNames", "shot a b"}, BadLine{"ShotNameWithAPath", "shot ../day"}),
    [](const testing::TestParamInfo<BadLine>& info) { return std::string(info.param.name); });

TEST(ScenarioFormatTest, MissingFileIsNamed) {
    std::vector<ScenarioStep> steps;
    std::string error;
    EXPECT_FALSE(ReadScenario("/no/such.scenario", steps, error));
    EXPECT_EQ(error, "cannot read the scenario /no/such.scenario");
}

struct ProbeCase {
    const char* name;
    const char* wait;
    bool shown;
};

class ProbeShowsTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeShowsTest, ComparesTheField) {
    const char kProbe[] = "level=0 money=25 carry=potion0 cauldron0=boiling place0=Alchemist:2 moneyBack=3";
    std::string error;
    std::vector<ScenarioStep> steps = Read(GetParam().wait, error);
    ASSERT_EQ(steps.size(), 1u) << error;
    EXPECT_EQ(ProbeShows(kProbe, steps[0]), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Waits, ProbeShowsTest,
    testing::Values(ProbeCase{"TextEqual", "wait until carry = potion0", true},
                    ProbeCase{"TextDiffers", "wait until carry = potion1", false},
                    ProbeCase{"TextNotEqual", "wait until cauldron0 != idle", true},
                    ProbeCase{"TextWithColon", "wait until place0 = Alchemist:2", true},
                    ProbeCase{"NumbersAsNumbers", "wait until money = 25.0", true},
                    ProbeCase{"Less", "wait until money < 25", false},
                    ProbeCase{"LessOrEqual", "wait until money <= 25", true},
                    ProbeCase{"Greater", "wait until money > 24.5", true},
                    ProbeCase{"GreaterOrEqual", "wait until money >= 26", false},
                    ProbeCase{"OrderingOnText", "wait until carry >= 1", false},
                    // A field is matched whole, never by the start of a longer key.
                    ProbeCase{"KeyPrefix", "wait until money = 3", false},
                    ProbeCase{"MissingField", "wait until order = none", false},
                    ProbeCase{"MissingFieldNotEqual", "wait until order != none", false}),
    [](const testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

// A game that records the input and script text it is given and shows the probe line it is told to.
class RecordingGame : public ScenarioPlayer::Game {
public:
    std::string ProbeLine() override { return probe; }
    void Input(const TAppEvent& event) override {
        input.push_back(std::to_string(event.type) + "/" + std::to_string(event.param) + "@" +
                        std::to_string(event.x) + "," + std::to_string(event.y));
    }
    bool RunLua(const std::string& text) override {
        lua.push_back(text);
        return scriptsRun;
    }
    void Shot(const std::string& name) override { lua.push_back("shot " + name); }

    std::string probe = "money=0";
    std::vector<std::string> input;
    std::vector<std::string> lua;  // the script texts run and the shots taken, in turn
    bool scriptsRun = true;
};

ScenarioPlayer Player(const std::string& text) {
    std::string error;
    std::vector<ScenarioStep> steps = Read(text, error);
    EXPECT_TRUE(error.empty()) << error;
    return ScenarioPlayer("play.scenario", steps);
}

using Progress = ScenarioPlayer::Progress;

TEST(ScenarioPlayerTest, InputStepsBecomeThePlayersEvents) {
    ScenarioPlayer player = Player("click 10 20\nright-click 30 40\nmove 5 6\ndrag 1 2 3 4\nkey P\nkey -128\n");
    RecordingGame game;
    while (player.OnIdle(0, game) == Progress::kPlaying) {
    }
    EXPECT_EQ(game.input, (std::vector<std::string>{
                              "8/0@10,20", "5/0@10,20", "7/0@10,20",  // move, left down, left up
                              "8/0@30,40", "6/1@30,40", "6/0@30,40",  // move, right down, right up
                              "8/0@5,6",                              //
                              "8/0@1,2", "5/0@1,2", "8/0@3,4", "7/0@3,4",  // a drag
                              "11/80@0,0", "12/80@0,0",               // key down, key up
                              "11/-128@0,0", "12/65408@0,0"}));       // key up in its 16-bit form
}

TEST(ScenarioPlayerTest, EachActionHasAPassOfItsOwnAndMetWaitsDoNot) {
    ScenarioPlayer player = Player("wait until money = 0\nclick 1 1\nwait until money = 0\nlua a()\nshot b\n");
    RecordingGame game;
    EXPECT_EQ(player.OnIdle(0, game), Progress::kPlaying);
    EXPECT_EQ(game.input.size(), 3u);
    EXPECT_TRUE(game.lua.empty());
    EXPECT_EQ(player.OnIdle(16, game), Progress::kPlaying);
    EXPECT_EQ(game.lua, std::vector<std::string>{"a()"});
    EXPECT_EQ(player.OnIdle(32, game), Progress::kPlaying);
    EXPECT_EQ(game.lua, (std::vector<std::string>{"a()", "shot b"}));
    EXPECT_EQ(player.OnIdle(48, game), Progress::kDone);
    EXPECT_EQ(player.OnQuit(game), Progress::kDone);
}

TEST(ScenarioPlayerTest, WaitHoldsUntilTheProbeShowsIt) {
    ScenarioPlayer player = Player("click 1 1\nwait until money >= 20\nlua done()\n");
    RecordingGame game;
    player.OnIdle(1000, game);
    EXPECT_EQ(player.OnIdle(1016, game), Progress::kPlaying);
    game.probe = "money=19";
    EXPECT_EQ(player.OnIdle(30000, game), Progress::kPlaying);
    EXPECT_TRUE(game.lua.empty());
    game.probe = "money=20";
    EXPECT_EQ(player.OnIdle(61000, game), Progress::kPlaying);  // shown: the cap no longer matters
    EXPECT_EQ(game.lua, std::vector<std::string>{"done()"});
}

TEST(ScenarioPlayerTest, WaitFailsAfterSixtySecondsOfGameTimeWithTheProbe) {
    ScenarioPlayer player = Player("click 1 1\n\nwait until money >= 20\nlua never()\n");
    RecordingGame game;
    player.OnIdle(0, game);
    EXPECT_EQ(player.OnIdle(500, game), Progress::kPlaying);
    EXPECT_EQ(player.OnIdle(500 + kScenarioWaitMs - 1, game), Progress::kPlaying);
    EXPECT_EQ(player.OnIdle(500 + kScenarioWaitMs, game), Progress::kFailed);
    EXPECT_EQ(player.Failure(),
              "play.scenario:3: wait until money >= 20: not shown within 60 s of game time; probe: money=0");
    EXPECT_EQ(player.OnIdle(500 + kScenarioWaitMs + 16, game), Progress::kDone);
    EXPECT_TRUE(game.lua.empty());
}

TEST(ScenarioPlayerTest, WaitCapCountsAcrossTheClocksWrap) {
    ScenarioPlayer player = Player("wait until money = 1\n");
    RecordingGame game;
    EXPECT_EQ(player.OnIdle(0xFFFFFF00u, game), Progress::kPlaying);
    EXPECT_EQ(player.OnIdle(0xFFFFFF00u + kScenarioWaitMs - 1, game), Progress::kPlaying);
    EXPECT_EQ(player.OnIdle(0xFFFFFF00u + kScenarioWaitMs, game), Progress::kFailed);
}

TEST(ScenarioPlayerTest, FailingScriptStopsTheScenario) {
    ScenarioPlayer player = Player("lua broken(\nclick 1 1\n");
    RecordingGame game;
    game.scriptsRun = false;
    EXPECT_EQ(player.OnIdle(0, game), Progress::kFailed);
    EXPECT_EQ(player.Failure(), "play.scenario:1: lua broken(: the script failed (the log holds its error)");
    EXPECT_TRUE(game.input.empty());
}

TEST(ScenarioPlayerTest, GameQuittingWithStepsLeftFailsAtTheNextStep) {
    ScenarioPlayer player = Player("click 1 1\nwait until money = 0\nwait until won = 1\nlua a()\n");
    RecordingGame game;
    player.OnIdle(0, game);
    EXPECT_EQ(player.OnQuit(game), Progress::kFailed);
    EXPECT_EQ(player.Failure(), "play.scenario:3: wait until won = 1: the game quit first; probe: money=0");
}

TEST(ScenarioPlayerTest, WaitsShownAsTheGameQuitsAreMet) {
    ScenarioPlayer player = Player("click 1 1\nwait until money = 0\nwait until won = 1\n");
    RecordingGame game;
    player.OnIdle(0, game);
    game.probe = "money=0 won=1";
    EXPECT_EQ(player.OnQuit(game), Progress::kDone);
}

TEST(ScenarioPlayerTest, EmptyScenarioIsDoneAtOnce) {
    ScenarioPlayer player = Player("# nothing\n");
    RecordingGame game;
    EXPECT_EQ(player.OnIdle(0, game), Progress::kDone);
}

}  // namespace
