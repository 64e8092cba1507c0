#include "game/data/game_manager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/game_state.h"
#include "engine/sound/sound.h"
#include "tests/engine/core/prefs/store_disk.h"
#include "tests/game/data/game_manager_fixture.h"

namespace gamemanagertest {
namespace {

TEST_F(GameManagerTest, PlayersAreCreatedSelectedRenamedAndDeleted) {
    EXPECT_EQ(Number("GetNumUsers()"), 0);
    EXPECT_EQ(manager_->GetCurrentUserIndex(), -1);
    Run("CreateNewUser('Ann') CreateNewUser('Bob') CreateNewUser('Cy')");
    EXPECT_EQ(Number("GetNumUsers()"), 3);
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 2);  // the newest player is current

    Run("SetCurrentUser(1) ChangeCurrentUserName('Bobby')");
    EXPECT_EQ(manager_->GetCurrentUserName(), TString("Bobby"));
    for (const char* name : {"Ann", "Bobby", "Cy"}) EXPECT_TRUE(Truth(std::string("IsNameInUse('") + name + "')"));
    for (const char* name : {"Bob", "ann", "", "Cy "}) EXPECT_FALSE(Truth(std::string("IsNameInUse('") + name + "')"));

    Run("SetCurrentUser(3)");  // past the last row: nothing changes
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 1);

    Run("DeleteUser(0)");  // no row before the first: the last remaining row becomes current
    EXPECT_EQ(Number("GetNumUsers()"), 2);
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 1);
    EXPECT_EQ(manager_->GetUserName(0), TString("Bobby"));
    EXPECT_EQ(manager_->GetUserName(1), TString("Cy"));

    Restart();
    EXPECT_EQ(manager_->GetCurrentUserName(), TString("Cy"));
    Run("DeleteUser(1)");  // the row before the deleted one
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 0);
    Run("DeleteUser(0)");
    EXPECT_EQ(Number("GetNumUsers()"), 0);
    EXPECT_EQ(manager_->GetCurrentUserIndex(), -1);
}

TEST_F(GameManagerTest, VolumesReachTheSoundGroupsAndFollowThePlayer) {
    Run("CreateNewUser('Ann')");  // the first player gets the defaults
    EXPECT_EQ(Number("GetCurrentUserInt('soundlevel', -1)"), 750);
    EXPECT_EQ(Number("GetCurrentUserInt('musiclevel', -1)"), 750);
    EXPECT_EQ(Number("GetCurrentUserInt('soundoff', -1)"), 0);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupEffects), 0.75f);

    Run("SetCurrentUserInt('soundlevel', 400) SetCurrentUserInt('musiclevel', 200) CreateNewUser('Bob')");
    EXPECT_EQ(Number("GetCurrentUserInt('soundlevel', -1)"), 400);  // copied from the player before
    Run("SetCurrentUserInt('musiclevel', 900) SetCurrentUser(0)");
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupEffects), 0.4f);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupButtons), 0.4f);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupMusic), 0.2f);
    Run("SetCurrentUser(1)");
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupMusic), 0.9f);

    Run("ToggleSoundMute()");
    EXPECT_EQ(Number("GetCurrentUserInt('soundoff', -1)"), 1);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupMusic), 0.0f);
    Run("ToggleSoundMute()");
    EXPECT_EQ(Number("GetCurrentUserInt('soundoff', -1)"), 0);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupMusic), 0.9f);

    Run("ToggleSoundMute()");
    sound_->SetVolume(1.0f);
    sound_->SetGroupVolume(kSoundGroupMusic, 1.0f);
    Restart();  // a start applies the current player's stored settings
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupMusic), 0.0f);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupEffects), 0.0f);
}

// Handlers of the bridge may mute the game whatever the player's setting says.
TEST_F(GameManagerTest, MuteAsksTheGameStateBridge) {
    class MutingHandler : public TGameStateHandler {
    public:
        explicit MutingHandler(std::vector<std::string>& sent) : sent_(sent) {}
        bool SetState(const TString& name, const TString& value) override {
            sent_.push_back(std::string(name.CStr()) + "=" + value.CStr());
            return true;
        }
        bool QueryMuteGame() override { return true; }

    private:
        std::vector<std::string>& sent_;
    };
    std::vector<std::string> sent;
    TGameState::CreateInstance()->AddHandler(std::make_unique<MutingHandler>(sent));
    Run("CreateNewUser('Ann') ToggleSoundMute() ToggleSoundMute()");
    TGameState::DestroyInstance();
    EXPECT_EQ(sent, (std::vector<std::string>{"mute=1", "mute=0"}));
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupEffects), 0.0f);  // still muted by the host
}

TEST_F(GameManagerTest, ASavedLevelIsContinuedInALaterRun) {
    Run("CreateNewUser('Ann') ChangeUserData()");
    EXPECT_TRUE(Truth("IsNewUser()"));
    EXPECT_EQ(session_.sessionResets, 1);
    EXPECT_EQ(session_.counterResets, 1);
    EXPECT_EQ(Number("GetNumberOfSavedLevels()"), 1);

    manager_->GetCurrentSavedLevel().earnedMoney = 120;
    manager_->GetUserRecord()->AdvanceLevel();
    manager_->GetCurrentSavedLevel().collapseDue = true;
    manager_->GetCurrentSavedLevel().expert = true;
    manager_->SaveUserProgress();
    EXPECT_FALSE(Truth("IsNewUser()"));

    Restart();
    Run("ChangeUserData()");
    EXPECT_FALSE(Truth("IsNewUser()"));
    ASSERT_EQ(Number("GetNumberOfSavedLevels()"), 2);
    EXPECT_EQ(Number("GetLevelEarnedMoney(0)"), 120);
    EXPECT_EQ(Number("GetLevelStartMoney(1)"), 120);
    EXPECT_TRUE(Truth("GetLevelExpertMode(1)"));
    EXPECT_FALSE(Truth("GetLevelExpertMode(0)"));

    Run("ContinueSavedLevel(1)");
    EXPECT_EQ(session_.level, 1);
    EXPECT_EQ(session_.money, 120);
    EXPECT_TRUE(session_.collapseDue);
    EXPECT_EQ(manager_->GetUserRecord()->selectedLevel, 1);
    EXPECT_EQ(Number("GetNumPotionsToShow()"), 3);
    EXPECT_EQ(Number("GetPotionToShow(0)"), 1);
    EXPECT_EQ(Number("GetPotionToShow(1)"), 0);

    Run("DeleteUserProgress()");  // in memory only
    EXPECT_TRUE(Truth("IsNewUser()"));
    EXPECT_EQ(session_.level, 0);
    EXPECT_EQ(Number("GetNumberOfSavedLevels()"), 1);
    Restart();
    Run("ChangeUserData()");
    EXPECT_EQ(Number("GetNumberOfSavedLevels()"), 2);
}

// A store that cannot be written: every save says so in the log and the previous save stays.
TEST_F(GameManagerTest, AFailedSaveKeepsThePreviousOne) {
    Run("CreateNewUser('Ann') ChangeUserData()");
    manager_->SaveUserProgress();
    const TString saved = OpenStore()->GetValue("dtMagicGame", "", 0);
    StoreDisk disk;
    disk.Watch([this] {
        Restart();
        return 0;
    });
    ASSERT_TRUE(disk.Refuse());
    Run("ChangeUserData()");
    manager_->GetUserRecord()->AdvanceLevel();
    manager_->SaveUserProgress();
    Run("CreateNewUser('Bob')");
    EXPECT_NE(LogText().find("[WARN] Progress of player 0 not saved: the previous save is kept"), std::string::npos);
    EXPECT_NE(LogText().find("[WARN] Player \"Bob\" not saved: the previous save is kept"), std::string::npos);
    EXPECT_EQ(Number("GetNumUsers()"), 1);
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 0);

    ASSERT_TRUE(disk.Free());
    Restart();
    EXPECT_EQ(OpenStore()->GetValue("dtMagicGame", "", 0), saved);
    EXPECT_EQ(Number("GetNumUsers()"), 1);
}

TEST_F(GameManagerTest, ScriptIndexesOutsideTheListsAnswerNothing) {
    Run("CreateNewUser('Ann') ChangeUserData()");
    // A profile from a config with more levels holds more records than there are levels now.
    UserRecord* record = manager_->GetUserRecord();
    record->savedLevels.resize(3);
    ASSERT_EQ(Number("GetNumberOfSavedLevels()"), 3);

    Run("ContinueSavedLevel(2)");
    EXPECT_EQ(session_.level, 1);  // the last level of the config
    EXPECT_EQ(record->selectedLevel, 2);

    session_.money = -7;
    for (const char* call : {"GetLevelStartMoney(3)", "GetLevelEarnedMoney(-1)", "GetPotionToShow(3)",
                             "GetPotionToShow(-1)", "GetLevelStartMoney(2147483648)"}) {
        EXPECT_EQ(Number(call), 0) << call;
    }
    EXPECT_FALSE(Truth("GetLevelExpertMode(99)"));
    Run("ContinueSavedLevel(3) ContinueSavedLevel(-1)");
    EXPECT_EQ(session_.money, -7);
    EXPECT_EQ(record->selectedLevel, 2);
    session_.level = 2;  // a level the config does not have
    EXPECT_EQ(Number("GetNumPotionsToShow()"), 0);
    EXPECT_EQ(Number("GetPotionToShow(0)"), 0);
    EXPECT_NE(LogText().find("[ERROR] ContinueSavedLevel: no saved level 3"), std::string::npos);
}

TEST_F(GameManagerTest, DamagedProgressIsKeptAndItsPlayerStartsAfresh) {
    const TString damaged = "1|0|0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0|broken";
    Run("CreateNewUser('Ann') CreateNewUser('Bob')");
    OpenStore()->SetValue("dtMagicGame", damaged, 0, true);

    Run("SetCurrentUser(0) ChangeUserData()");
    EXPECT_TRUE(Truth("IsNewUser()"));
    EXPECT_EQ(Number("GetNumberOfSavedLevels()"), 1);
    EXPECT_NE(LogText().find("[WARN] Player 0 starts afresh"), std::string::npos);
    manager_->GetUserRecord()->AdvanceLevel();
    manager_->SaveUserProgress();
    Restart();
    EXPECT_EQ(OpenStore()->GetValue("dtMagicGame", "", 0), damaged);

    // Other players save as ever.
    Run("SetCurrentUser(1) ChangeUserData() DeleteUserProgress()");
    manager_->SaveUserProgress();
    EXPECT_EQ(OpenStore()->GetValue("dtMagicGame", "", 1), manager_->GetUserRecord()->Format());
}

// A current player that no longer exists is left alone at start-up, and nothing meant for a player
// reaches the global table or makes a row.
TEST_F(GameManagerTest, AStaleCurrentPlayerIsNeverWritten) {
    Run("CreateNewUser('Ann') CreateNewUser('Bob')");
    OpenStore()->DeleteUser(1);
    sound_->SetGroupVolume(kSoundGroupEffects, 1.0f);
    Restart();
    EXPECT_EQ(manager_->GetCurrentUserIndex(), 1);
    EXPECT_FLOAT_EQ(sound_->GetVolume(kSoundGroupEffects), 1.0f);  // nothing applied

    Run("ChangeCurrentUserName('Ghost') SetCurrentUserInt('fullscreen', 7) ToggleSoundMute() ChangeUserData()");
    manager_->SaveUserProgress();
    EXPECT_EQ(Number("GetNumUsers()"), 1);
    EXPECT_EQ(Number("GetCurrentUserInt('fullscreen', -5)"), -5);
    auto store = OpenStore();
    EXPECT_EQ(store->GetInt("fullscreen", 1, -1), 1);
    for (const char* key : {"name", "soundoff", "dtMagicGame"}) EXPECT_EQ(store->GetValue(key, "-", -1), TString("-"));
}

// The options dialog's settings live in the current player's table, in the global table while there
// is no player, and nowhere for a player that no longer exists.
TEST_F(GameManagerTest, OptionSettingsFollowTheStoredCurrentPlayer) {
    EXPECT_TRUE(manager_->SetOptionInt("soundlevel", 300));
    EXPECT_EQ(manager_->GetOptionInt("soundlevel", 750), 300);
    EXPECT_EQ(OpenStore()->GetInt("soundlevel", -5, -1), 300);

    Run("CreateNewUser('Ann') CreateNewUser('Bob')");
    EXPECT_EQ(manager_->GetOptionInt("musiclevel", -5), 750);
    EXPECT_TRUE(manager_->SetOptionInt("musiclevel", 125));
    Restart();
    EXPECT_EQ(OpenStore()->GetInt("musiclevel", -5, 1), 125);
    EXPECT_EQ(OpenStore()->GetInt("musiclevel", -5, 0), 750);
    EXPECT_EQ(manager_->GetOptionInt("musiclevel", -5), 125);

    OpenStore()->DeleteUser(1);
    EXPECT_FALSE(manager_->SetOptionInt("musiclevel", 9));
    EXPECT_EQ(manager_->GetOptionInt("musiclevel", -5), -5);
    EXPECT_EQ(Number("GetNumUsers()"), 1);
    EXPECT_NE(LogText().find("[WARN] \"musiclevel\" of player 1 not saved: the previous value is kept"),
              std::string::npos);
}

TEST_F(GameManagerTest, ScreensAreReachedThroughTheirStandIns) {
    screens_.modalHasParent = {true, true, false, true};
    Run("QuitToMainMenu() StartFadeOut('MainMenu', 'LevelSelect')");
    EXPECT_EQ(screens_.modalHasParent, std::vector<bool>({false, true}));
    EXPECT_EQ(screens_.transitions, (std::vector<std::pair<std::string, std::string>>{{"MainMenu", "LevelSelect"}}));

    Run("InsideGame(true)");
    EXPECT_TRUE(manager_->AreInsideGame());
    manager_->InsideGame(false);
    EXPECT_FALSE(Truth("AreInsideGame()"));

    GameManager::Create({script_->GetState(), nullptr, nullptr});
    Run("QuitToMainMenu() StartFadeOut('a', 'b') ContinueSavedLevel(0)");  // nothing to reach
    GameManager::Destroy();
    EXPECT_EQ(Number("GetNumUsers()"), 0);  // functions of a destroyed manager answer nothing
}

TEST_F(GameManagerTest, MusicPlaysInTheMusicGroupUntilStopped) {
    TAssetManager assets;
    SetAssetManager(&assets);
    RegisterOggSourceBuilder();
    soundtest::AddFile("music/theme.ogg", soundtest::EncodeTone(22050, 1, 22050));
    sound_->SetGroupVolume(kSoundGroupMusic, 0.5f);

    Run("PlayMusic('music/theme') PlayMusic('music/missing')");
    ASSERT_EQ(sound_->ActiveStreamCount(), 1u);
    auto theme = TSound::Get("music/theme", false, kSoundGroupMusic);
    ASSERT_EQ(theme->GetData()->instances.size(), 1u);
    EXPECT_EQ(theme->GetData()->group, kSoundGroupMusic);
    theme.reset();
    Run("StopMusic('music/theme') StopMusic('music/missing')");
    EXPECT_EQ(sound_->ActiveStreamCount(), 0u);
    SetAssetManager(nullptr);
}

// The display modes the application was asked for, as "width x height / full".
struct DisplayRecord {
    bool fullScreen = false;
    bool refuseSwitch = false;
    std::vector<std::string> modes;
} display;

class RecordingDisplay : public IDisplay {
public:
    bool IsFullScreen() const override { return display.fullScreen; }
    bool SetFullScreen(bool on) override {
        if (!display.refuseSwitch) display.fullScreen = on;
        return !display.refuseSwitch;
    }
    bool SetDisplayMode(int width, int height, int flags) override {
        display.modes.push_back(std::to_string(width) + "x" + std::to_string(height) + "/" + std::to_string(flags));
        display.fullScreen = flags == 1;
        return true;
    }
};

// The game manager inside an application whose display records its modes.
class GameManagerDisplayTest : public GameManagerTest {
protected:
    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        display = DisplayRecord();
        SetDisplayFactory([]() -> std::unique_ptr<IDisplay> { return std::make_unique<RecordingDisplay>(); });
        GameManagerTest::SetUp();
        GameManager::Destroy();
        auto* data = new TApplicationData("", true);
        data->startupFolder = Path("");
        data->assetFolder = TString();
        data->userDataFolder = Path("user");
        data->commonDataFolder = Path("common");
        application_ = std::make_unique<TApplication>(data);
        application_->CreateDisplay();
        SetConfig("encryptionkey", "BrineKelpVQZ");
        Start();
    }
    void TearDown() override {
        GameManager::Destroy();
        application_.reset();
        SetDisplayFactory(nullptr);
        std::filesystem::current_path(previousFolder_);
        GameManagerTest::TearDown();
    }

    std::unique_ptr<TApplication> application_;
    std::filesystem::path previousFolder_;
};

TEST_F(GameManagerDisplayTest, FullScreenSurvivesARestart) {
    manager_->ApplyDisplaySettings();  // full screen until the player chooses otherwise
    EXPECT_EQ(display.modes, std::vector<std::string>{"800x600/1"});
    EXPECT_TRUE(manager_->IsFullScreen());

    EXPECT_TRUE(Truth("ToggleFullScreen()"));
    EXPECT_FALSE(manager_->IsFullScreen());
    Restart();
    manager_->ApplyDisplaySettings();
    EXPECT_EQ(display.modes.back(), "800x600/0");

    display.refuseSwitch = true;
    EXPECT_FALSE(Truth("ToggleFullScreen()"));
    Restart();
    manager_->ApplyDisplaySettings();
    EXPECT_EQ(display.modes.back(), "800x600/0");

    display.refuseSwitch = false;
    EXPECT_TRUE(Truth("ToggleFullScreen()"));
    Restart();
    manager_->ApplyDisplaySettings();
    EXPECT_EQ(display.modes.back(), "800x600/1");
}

}  // namespace
}  // namespace gamemanagertest
