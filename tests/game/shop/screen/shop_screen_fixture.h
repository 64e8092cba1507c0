// A shop screen built as the game builds it: a config.xml of the test's own, the game manager over a
// temporary store, a headless sound manager, the game session, and the screen initialised under a
// modal window on the test clock. No pictures are loaded; the objects keep their places without them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/base/config.h"
#include "engine/scripthost/script.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound_manager.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_style.h"
#include "game/data/game_manager.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/scene/scene_session.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"
#include "game/shop/trophies/trophy_tracker.h"
#include "platform/audio/audio.h"
#include "platform/clock/clock.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/game/shop/style_table.h"
#include "tests/engine/sound/sound_test_util.h"

class ShopScreenTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        StartLog();
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        platform::UseAudioBackend(platform::AudioBackend::Headless);
        InstallSoundServices();
        RegisterOggSourceBuilder();
        sound = std::make_unique<TSoundManager>();
        sound->Init();
        wrapper = MakeShopStyleTable(script);
    }
    void TearDown() override {
        Close();
        GameManager::Destroy();
        clsGameSession::DeleteInstance();
        clsTrophyTracker::DestroyInstance();
        GetLevelFlow() = LevelFlow();
        sound.reset();
        platform::UseAudioBackend(platform::AudioBackend::Real);
        platform::UseClockBackend(platform::ClockBackend::Real);
        ClearDataSourceBuilders();
        soundtest::ForgetFiles();
        FileLayerTest::TearDown();
    }

    // The game's data from config (with a fresh player when player is true).
    void StartGame(const std::string& config, bool player = true) {
        soundtest::AddFile("config.xml", std::vector<uint8_t>(config.begin(), config.end()));
        GameManager::Create({script.GetState(), nullptr, nullptr});
        if (player) GameManager::Get()->GetGameData()->ResetUserRecord();
    }
    void AddMusic(const std::string& name) { soundtest::AddFile(name, soundtest::EncodeTone(22050, 1, 2205)); }

    // The shop of level index, set up.
    clsShopGame* Open(int level) {
        GetLevelFlow().currentLevel = level;
        shop = new clsShopGame();
        modal.AddChild(shop, false);
        TWindowStyle style(wrapper.get());
        shop->Init(style);
        return shop;
    }
    void Close() {
        if (!shop) return;
        modal.RemoveChild(shop);
        delete shop;
        shop = nullptr;
    }
    std::string Probe() const { return GameProbe::Get().Line(); }
    // The value of one probe field; "" when the probe has no such field.
    std::string Field(const std::string& key) const {
        std::string line = " " + Probe() + " ";
        size_t at = line.find(" " + key + "=");
        if (at == std::string::npos) return "";
        size_t start = at + key.size() + 2;
        return line.substr(start, line.find(' ', start) - start);
    }
    // Frames of dt seconds on the scene clock.
    void Run(int frames, int ms = 16) {
        for (int i = 0; i < frames; ++i) {
            modal.GetClock().SetTime(modal.GetClock().GetTime() + static_cast<uint32_t>(ms));
            modal.RunTasks(0);
        }
    }

    std::unique_ptr<TSoundManager> sound;
    TScript script;
    std::unique_ptr<TLuaObjectWrapper> wrapper;
    TModalWindow modal;
    clsShopGame* shop = nullptr;
};
