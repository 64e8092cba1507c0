#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/prefs/prefs_db.h"
#include "engine/sound/sound_manager.h"
#include "engine/ui/button.h"
#include "engine/ui/slider.h"
#include "game/data/game_manager.h"
#include "game/screens/options/options_window.h"
#include "game/shop/probe/game_probe.h"
#include "platform/audio/audio.h"
#include "tests/game/screens/dialog_fixture.h"

namespace {

constexpr char kConfig[] = "<config><game><maxSecsElapsed>0.05</maxSecsElapsed></game></config>";

// The options dialog over a game manager with a store of its own and a headless sound manager.
class OptionsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        char pattern[] = "/tmp/alembria-options-XXXXXX";
        userFolder_ = mkdtemp(pattern);
        SetUserDataFolder(userFolder_.c_str());
        SetConfig("encryptionkey", "BrineKelpVQZ");
        RegisterMemoryFile("config.xml", kConfig, sizeof kConfig - 1);
        platform::UseAudioBackend(platform::AudioBackend::Headless);
        sound = std::make_unique<TSoundManager>();
        sound->Init();
        game = GameManager::Create({});
    }
    void TearDown() override {
        GameManager::Destroy();
        sound.reset();
        platform::UseAudioBackend(platform::AudioBackend::Real);
        RegisterMemoryFile("config.xml", nullptr, 0);
        SetUserDataFolder("");
        std::filesystem::remove_all(userFolder_);
        DialogTest::TearDown();
    }

    // The dialog with its panel and, unless bare, its four controls.
    TOptions* MakeOptions(bool bare = false) {
        return Create<TOptions>(modal, "{ name = 'options', x = 0, y = 0, w = 800, h = 600 }", [&](TOptions* options) {
            AddChildWindow(options, "BackGround", kPanel);
            if (bare) return;
            Create<TSlider>(options, "{ name = 'sfxlevelslider', x = 10, y = 10, w = 200, h = 20 }");
            Create<TSlider>(options, "{ name = 'musiclevelslider', x = 10, y = 40, w = 200, h = 20 }");
            Create<TButton>(options, "{ name = 'mutebox', type = kToggle, x = 10, y = 70, w = 20, h = 20 }");
            Create<TButton>(options, "{ name = 'fullscreen', type = kToggle, x = 10, y = 100, w = 20, h = 20 }");
        });
    }
    template <class T>
    static T* Child(TOptions* options, const char* name) {
        return static_cast<T*>(options->FindChild(name));
    }
    void SetGroupVolumes(float volume) {
        for (int group : {kSoundGroupButtons, kSoundGroupEffects, kSoundGroupMusic}) sound->SetGroupVolume(group, volume);
    }

    std::unique_ptr<TSoundManager> sound;
    GameManager* game = nullptr;

private:
    std::string userFolder_;
};

TEST_F(OptionsTest, OpeningShowsTheStoredSettingsAndAppliesTheVolumes) {
    struct Case {
        const char* name;
        int soundLevel, musicLevel, soundOff;  // -1: not stored
        float effects, music;
        bool muteShown;
    } cases[] = {
        {"nothing stored", -1, -1, -1, 0.75f, 0.75f, false},
        {"stored levels", 400, 900, 1, 0.4f, 0.9f, true},
        {"silence", 0, 1000, 0, 0.0f, 1.0f, false},
        {"soundoff other than 1", 750, 750, 2, 0.75f, 0.75f, false},
    };
    game->CreateNewUser("Ann");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto store = [this](const char* key, int value) {
            TPrefsDB(true).SetValue(key, value < 0 ? TString() : TString::Format("%d", value), 0, true);
        };
        store("soundlevel", c.soundLevel);
        store("musiclevel", c.musicLevel);
        store("soundoff", c.soundOff);
        SetGroupVolumes(0.5f);
        TOptions* options = MakeOptions();
        EXPECT_FLOAT_EQ(Child<TSlider>(options, "sfxlevelslider")->GetValue(), c.effects);
        EXPECT_FLOAT_EQ(Child<TSlider>(options, "musiclevelslider")->GetValue(), c.music);
        EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupEffects), c.effects);
        EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupButtons), c.effects);
        EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupMusic), c.music);
        EXPECT_EQ(Child<TButton>(options, "mutebox")->GetToggleState(), c.muteShown);
        EXPECT_FALSE(Child<TButton>(options, "fullscreen")->GetToggleState()) << "no application: not full screen";
        delete options;
    }
}

TEST_F(OptionsTest, EachSliderMovesItsOwnGroupsAtOnce) {
    TOptions* options = MakeOptions();
    SetGroupVolumes(0.5f);
    Child<TSlider>(options, "musiclevelslider")->SetValue(0.2f, false);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupMusic), 0.2f);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupEffects), 0.5f);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupButtons), 0.5f);
    Child<TSlider>(options, "sfxlevelslider")->SetValue(0.3f, false);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupEffects), 0.3f);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupButtons), 0.3f);
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupMusic), 0.2f);

    // Other messages and other sliders' changes go on to the scripts.
    TMessage other(kSliderValChanged, "brightness");
    EXPECT_FALSE(options->OnMessage(&other));
    TMessage press(kButtonPress, "sfxlevelslider");
    EXPECT_FALSE(options->OnMessage(&press));
}

TEST_F(OptionsTest, SaveVolumesStoresEachSliderTimesAThousandTruncated) {
    struct Case {
        float effects, music;
        int soundLevel, musicLevel;
    } cases[] = {
        {0.7499f, 0.75f, 749, 750},
        {0.0f, 1.0f, 0, 1000},
        {0.0019f, 0.5555f, 1, 555},
    };
    game->CreateNewUser("Ann");
    TOptions* options = MakeOptions();
    for (const Case& c : cases) {
        Child<TSlider>(options, "sfxlevelslider")->SetValue(c.effects, false);
        Child<TSlider>(options, "musiclevelslider")->SetValue(c.music, false);
        Run("SaveVolumes()");
        TPrefsDB store(true);
        EXPECT_EQ(store.GetInt("soundlevel", -1, 0), c.soundLevel) << c.effects;
        EXPECT_EQ(store.GetInt("musiclevel", -1, 0), c.musicLevel) << c.music;
    }
}

TEST_F(OptionsTest, WithoutAPlayerTheGlobalTableHoldsTheVolumes) {
    TPrefsDB(true).SetInt("soundlevel", 300, -1, true);
    TOptions* options = MakeOptions();
    EXPECT_FLOAT_EQ(Child<TSlider>(options, "sfxlevelslider")->GetValue(), 0.3f);
    Child<TSlider>(options, "musiclevelslider")->SetValue(0.1f, false);
    Run("SaveVolumes()");
    TPrefsDB store(true);
    EXPECT_EQ(store.GetInt("musiclevel", -1, -1), 100);
    EXPECT_EQ(store.GetInt("soundlevel", -1, -1), 300);
    EXPECT_EQ(store.GetUserCount(), 0);
}

TEST_F(OptionsTest, MissingControlsAreSkippedAndTheFunctionGoesWithTheDialog) {
    game->CreateNewUser("Ann");
    SetGroupVolumes(0.5f);
    TOptions* options = MakeOptions(true);
    Run("SaveVolumes()");
    EXPECT_EQ(TPrefsDB(true).GetInt("soundlevel", -1, 0), 750) << "unchanged";
    EXPECT_FLOAT_EQ(sound->GetVolume(kSoundGroupMusic), 0.5f);
    TMessage change(kSliderValChanged, "sfxlevelslider");
    EXPECT_FALSE(options->OnMessage(&change));

    TOptions* full = MakeOptions();
    Child<TSlider>(full, "sfxlevelslider")->SetValue(0.2f, false);
    delete full;
    Run("SaveVolumes()");  // the newest dialog has gone: nothing happens
    EXPECT_EQ(TPrefsDB(true).GetInt("soundlevel", -1, 0), 750);
}

TEST_F(OptionsTest, PanelSlidesInAndTellsTheProbeWhenAtRest) {
    TOptions* options = MakeOptions();
    EXPECT_STREQ(options->GetClassName(), "TOptions");
    EXPECT_EQ(options->GetBorder().GetEffect().GetPath().GetCount(), 5);
    EXPECT_NE(GameProbe::Get().Line().find("options=opening sfxvolume=750 musicvolume=750"), std::string::npos);
    RunFrames(options, 1000);
    EXPECT_EQ(options->FindChild("BackGround")->GetRect(), kPanel);
    EXPECT_NE(GameProbe::Get().Line().find("options=rest"), std::string::npos);
    delete options;
    EXPECT_EQ(GameProbe::Get().Line().find("options="), std::string::npos);
}

}  // namespace
