#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "engine/core/app/dll_game_state.h"
#include "engine/core/app/game_state.h"
#include "engine/core/app/game_state_setup.h"
#include "engine/core/app/portal_handler.h"
#include "engine/core/app/sound_service.h"
#include "tests/engine/core/files/file_fixture.h"
#include "platform/clock/clock.h"
#include "platform/hostchannel/hostchannel.h"

namespace {

class FixedAnswers : public TGameStateHandler {
public:
    FixedAnswers(bool mute, int add) : mute_(mute), add_(add) {}
    bool QueryMuteGame() override { return mute_; }
    int GetState(const TString& name, int fallback) override { return name == "sum" ? fallback + add_ : fallback; }

private:
    bool mute_;
    int add_;
};

TEST(GameStateBridge, CombinesTheHandlersAnswers) {
    EXPECT_EQ(TGameState::GetInstance(), nullptr);
    TGameState* bridge = TGameState::CreateInstance();
    ASSERT_EQ(TGameState::GetInstance(), bridge);
    EXPECT_FALSE(bridge->QueryMuteGame());
    EXPECT_FALSE(bridge->QueryJumpToMenu());
    EXPECT_EQ(bridge->GetState("sum", 5), 5);
    bridge->AddHandler(std::make_unique<FixedAnswers>(false, 10));
    bridge->AddHandler(std::make_unique<FixedAnswers>(true, 100));
    EXPECT_TRUE(bridge->QueryMuteGame());
    EXPECT_FALSE(bridge->QueryPauseGame());
    EXPECT_FALSE(bridge->QueryRestartMode());
    EXPECT_EQ(bridge->GetState("sum", 1), 111); // each handler gets the running answer
    TGameState::DestroyInstance();
    EXPECT_EQ(TGameState::GetInstance(), nullptr);
}

class MuteByState : public TGameStateHandler {
public:
    int GetState(const TString& name, int fallback) override { return name == "mute" ? 1 : fallback; }
};

TEST(GameStateBridge, MuteStateAloneMutes) {
    TGameState bridge;
    bridge.AddHandler(std::make_unique<MuteByState>());
    EXPECT_TRUE(bridge.QueryMuteGame());
}

class FakeSound : public ISoundManager {
public:
    float GetVolume(int) const override { return volume; }
    void SetVolume(float value) override { volume = value; }
    float volume = 0.6f;
};

class PortalTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        TMsnZylomHandler::ResetPortal();
        auto channel = std::make_unique<platform::RecordingHostChannel>();
        channel_ = channel.get();
        TMsnZylomHandler::SetChannel(std::move(channel));
        TMsnZylomHandler::SetSoundManager(&sound_);
    }
    void TearDown() override {
        TMsnZylomHandler::ResetPortal();
        platform::UseClockBackend(platform::ClockBackend::Real);
    }

    // The texts the host received, rebuilt from the message words.
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        std::string current;
        for (const auto& message : channel_->messages) {
            EXPECT_EQ(message.message, 1024u);
            for (uint32_t word : {message.first, message.second}) {
                for (int i = 0; i < 4; ++i) {
                    char c = static_cast<char>(word >> (8 * i));
                    if (c == 0) {
                        if (!current.empty()) calls.push_back(current);
                        current.clear();
                        goto next_message; // bytes after the NUL carry nothing
                    }
                    current += c;
                }
            }
        next_message:;
        }
        return calls;
    }

    platform::RecordingHostChannel* channel_ = nullptr;
    FakeSound sound_;
    TMsnZylomHandler handler_;
};

TEST_F(PortalTest, CallsTravelAsLittleEndianWordPairs) {
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kMsn);
    handler_.SetState("gameover", "");
    channel_->messages.clear();
    TMsnZylomHandler::PostCall("GameEnd(\"<gamedata></gamedata>\")"); // 32 bytes + NUL: 5 messages
    ASSERT_EQ(channel_->messages.size(), 5u);
    EXPECT_EQ(channel_->messages[0].first, 0x656D6147u);  // "Game"
    EXPECT_EQ(channel_->messages[0].second, 0x28646E45u); // "End("
    EXPECT_EQ(channel_->messages[3].second, 0x29223E61u); // "a>\")"
    EXPECT_EQ(channel_->messages[4].first & 0xFFu, 0u);   // the NUL

    struct Case {
        size_t length;
        size_t messages;
    } const cases[] = {{0, 1}, {7, 1}, {8, 2}, {13, 2}, {15, 2}, {16, 3}};
    for (const Case& c : cases) {
        channel_->messages.clear();
        TMsnZylomHandler::PostCall(TString(std::string(c.length, 'x').c_str()));
        EXPECT_EQ(channel_->messages.size(), c.messages) << c.length;
    }
}

TEST_F(PortalTest, NothingIsPostedWithoutAHostOrWhileHeldBack) {
    handler_.SetState("gamemode", "normal");
    EXPECT_TRUE(channel_->messages.empty());
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kZylom);
    TMsnZylomHandler::SetTrafficGate([] { return false; });
    handler_.SetState("gamemode", "normal");
    EXPECT_TRUE(channel_->messages.empty());
    EXPECT_TRUE(TMsnZylomHandler::WasMessageHeldBack());
    TMsnZylomHandler::SetTrafficGate([] { return true; });
    handler_.SetState("gamemode", "normal");
    EXPECT_EQ(Calls(), std::vector<std::string>{"GameReady(\"<data><mode>normal</mode></data>\")"});
}

TEST_F(PortalTest, StatesBecomeTheirCalls) {
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kMsn);
    handler_.SetState("loadbroadcast", "");
    handler_.SetState("sessionready", "");
    handler_.SetState("sessionready", ""); // once only
    handler_.SetState("loadbroadcast", ""); // after the session is ready: nothing
    platform::AdvanceTestClock(12000);
    handler_.SetState("breaknow", "");
    handler_.SetState("breaknow", "");
    handler_.SetState("score", "500");
    platform::AdvanceTestClock(3000);
    handler_.SetState("score", "600"); // 3 s later: throttled
    platform::AdvanceTestClock(2000);
    handler_.SetState("score", "700");
    handler_.SetState("level", "4");
    handler_.SetState("sublevel", "2");
    handler_.SetState("gameover", "");
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "LoadBroadcast(\"<data><percentcomplete>100</percentcomplete></data>\")",
                           "SessionReady(\"<data></data>\")",
                           "GameBreak(\"<data><breakpoint>0</breakpoint></data>\")",
                           "GameBreak(\"<data><breakpoint>1</breakpoint></data>\")",
                           "ScoreBroadcast(\"<game><score>500</score><time>12</time></game>\")",
                           "ScoreBroadcast(\"<game><score>700</score><time>17</time></game>\")",
                           "ScoreSubmit(\"<game><score>700</score><time>17</time><level>4</level>"
                           "<sublevel>2</sublevel></game>\")",
                           "GameEnd(\"<gamedata></gamedata>\")",
                       }));
}

TEST_F(PortalTest, ZylomPausesOnChangeAndMuteRestoresTheVolume) {
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kZylom);
    handler_.SetState("loadbroadcast", ""); // MSN only
    handler_.SetState("pause", "1");
    handler_.SetState("pause", "2");
    handler_.SetState("pause", "0");
    handler_.SetState("gameover", "");
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "GamePause(\"<data>true</data>\")",
                           "GamePause(\"<data>false</data>\")",
                           "ScoreSubmit(\"<game><score>0</score><time>0</time></game>\")",
                           "GameEnd(\"<gamedata></gamedata>\")",
                       }));
    handler_.SetState("mute", "1");
    EXPECT_EQ(sound_.volume, 0.0f);
    handler_.SetState("mute", "1");
    handler_.SetState("mute", "0");
    EXPECT_FLOAT_EQ(sound_.volume, 0.6f);
}

TEST_F(PortalTest, SystemModeNamesTheHost) {
    EXPECT_EQ(handler_.GetState("systemmode", -1), -1);
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kZylom);
    EXPECT_EQ(handler_.GetState("systemmode", -1), 2);
    TMsnZylomHandler::SetHost(TMsnZylomHandler::kMsn);
    EXPECT_EQ(handler_.GetState("systemmode", -1), 1);
    handler_.SetState("cmdline", "game -msn -aol");
    EXPECT_EQ(handler_.GetState("systemmode", -1), 3);
    EXPECT_EQ(handler_.GetState("restartbutton", 7), 7);
}

using HandlerLibraryTest = FileLayerTest;

TEST_F(HandlerLibraryTest, QvmodLibrariesReceiveTheStates) {
    std::filesystem::copy_file(HANDLER_MODULE, root_ / "recorder.qvmod.so");
    std::filesystem::copy_file(HANDLER_MODULE, root_ / "ignored.so");
    Write("broken.qvmod", "not a library");
    std::string log = Path("handler.log").CStr();
    setenv("ALEMBRIA_HANDLER_LOG", log.c_str(), 1);

    TGameState bridge;
    EXPECT_EQ(LoadHandlerLibraries(bridge), 1);
    bridge.SetState("cmdline", "game.exe -msn");
    bridge.SetState("commondatadir", Path("common"));
    bridge.SetState("userdatadir", Path("user"));
    EXPECT_EQ(bridge.GetState("answer", 0), 42);
    EXPECT_FALSE(bridge.QueryJumpToMenu());
    bridge.SendEvent("gameover");
    EXPECT_TRUE(bridge.QueryJumpToMenu());
    EXPECT_EQ(ReadDisk("handler.log"), "cmdline=game.exe -msn\ncommondatadir=" + std::string(Path("common").CStr()) +
                                           "\nuserdatadir=" + Path("user").CStr() + "\ngameover=\n");
    unsetenv("ALEMBRIA_HANDLER_LOG");

    std::filesystem::remove(log);
    TGameStateSetup setup;
    setup.commandLine = "alembria -zylom";
    setup.commonDataFolder = Path("common");
    setup.userDataFolder = Path("user");
    auto channel = std::make_unique<platform::RecordingHostChannel>();
    platform::RecordingHostChannel* host = channel.get();
    setup.hostChannel = std::move(channel);
    setenv("ALEMBRIA_HANDLER_LOG", log.c_str(), 1);
    TGameState* started = StartGameStateBridge(std::move(setup));
    unsetenv("ALEMBRIA_HANDLER_LOG");
    ASSERT_EQ(TGameState::GetInstance(), started);
    EXPECT_EQ(ReadDisk("handler.log"), "cmdline=alembria -zylom\ncommondatadir=" + std::string(Path("common").CStr()) +
                                           "\nuserdatadir=" + Path("user").CStr() + "\n");
    EXPECT_EQ(started->GetState("systemmode", 0), 2); // the portal handler answers
    started->SendEvent("pause", 1);
    EXPECT_EQ(host->messages.size(), 4u); // "GamePause(\"<data>true</data>\")" and its NUL
    StopGameStateBridge();
    EXPECT_EQ(TGameState::GetInstance(), nullptr);

    TDllGameState missing(Path("nothing.qvmod"));
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.GetState("answer", 3), 3);
}

}  // namespace
