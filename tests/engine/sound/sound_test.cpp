#include "engine/sound/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/sound/ogg_source.h"
#include "engine/sound/sound_state.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tests/engine/sound/sound_test_util.h"

namespace {

using soundtest::AddFile;
using soundtest::EncodeTone;

class SoundTest : public soundtest::ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        SetAssetManager(&assets_);
        RegisterOggSourceBuilder();
        AddFile("sfx/half.ogg", EncodeTone(22050, 1, 11025));     // 0.5 s
        AddFile("sfx/short.ogg", EncodeTone(22050, 1, 33075));    // 1.5 s
        AddFile("music/long.ogg", EncodeTone(22050, 2, 66150));   // 3 s
    }
    void TearDown() override {
        ManagerTest::TearDown();
        SetAssetManager(nullptr);
        ResetSoundState();
        soundtest::ForgetFiles();
    }

    TAssetManager assets_;
};

TEST_F(SoundTest, KeysJoinNamePreloadAndGroup) {
    auto byOption = TSound::Get("sfx/short?group=1000", false, 0);
    auto byArgument = TSound::Get("sfx/short", false, 1000);
    ASSERT_NE(byOption, nullptr);
    EXPECT_EQ(byOption, byArgument);
    EXPECT_EQ(byOption->GetData()->name, TString("sfx/short"));
    EXPECT_EQ(byOption->GetData()->group, 1000);
    EXPECT_NE(AssetCast<TSound>(assets_.FindAsset("sfx/short;0;1000")), nullptr);

    auto preloaded = TSound::Get("sfx/short", true, 1000);
    EXPECT_NE(preloaded, byArgument);
    EXPECT_NE(preloaded->GetData()->source, byArgument->GetData()->source);
    EXPECT_NE(dynamic_cast<TMemDataSource*>(preloaded->GetData()->source.get()), nullptr);
    EXPECT_NE(dynamic_cast<TOggDataSource*>(byArgument->GetData()->source.get()), nullptr);

    auto otherOption = TSound::Get("sfx/short?loud=1", false, 5);
    EXPECT_EQ(otherOption->GetData()->group, 5);
    EXPECT_EQ(otherOption->GetData()->name, TString("sfx/short"));
    EXPECT_EQ(TSound::Get("", true, 0), nullptr);
    EXPECT_TRUE(byOption->IsKindOf(TSound::ClassId()));
    EXPECT_TRUE(byOption->IsKindOf(TAsset::ClassId()));
    EXPECT_STREQ(byOption->GetClassName(), "TSound");
}

TEST_F(SoundTest, MissingFilesAreLoggedEveryTimeAndNotCached) {
    soundtest::LogCapture log;
    EXPECT_EQ(TSound::Get("sfx/none?group=1000", true, 0), nullptr);
    EXPECT_EQ(TSound::Get("sfx/none", true, 1000), nullptr);
    std::string text = log.Text();
    const std::string line = "TSound::Get: No valid sound file found: sfx/none\n";
    size_t first = text.find(line);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find(line, first + 1), std::string::npos);
    EXPECT_EQ(assets_.FindAsset("sfx/none;1;1000"), nullptr);
}

TEST(SoundKeyTest, AssetMapKeysCarryTheGroupOption) {
    struct Case {
        const char* options;
        const char* key;
    } cases[] = {
        {"", "a.ogg;0;0"},
        {"?group=1000", "a.ogg;0;1000"},
        {"?group=12abc", "a.ogg;0;12"},
        {"?loud=1", "a.ogg;0;0"},
        {"?x=1&group=-1", "a.ogg;0;-1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildGroupedAssetKey("a.ogg", c.options), TString(c.key)) << c.options;
}

TEST_F(SoundTest, ShortEffectsPlayOnceAndEverythingElseThroughTheRing) {
    struct Case {
        const char* name;
        bool loop;
        bool once;
    } cases[] = {
        {"sfx/short", false, true},
        {"sfx/short", true, false},
        {"music/long", false, false},
        {"music/long", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " loop " << c.loop);
        auto sound = TSound::Get(c.name, true, 0);
        auto instance = sound->Play(c.loop);
        ASSERT_NE(instance, nullptr);
        ASSERT_NE(instance->GetStream(), nullptr);
        EXPECT_EQ(instance->GetStream()->IsOnce(), c.once);
        EXPECT_EQ(instance->GetSound(), sound);
        EXPECT_EQ(sound->GetData()->instances.count(instance), 1u);
        EXPECT_TRUE(sound->Stop());
    }
}

// The whole way: decoded Ogg, stream, mixer. The tone is heard while it plays, at the volume of
// its group, and silence follows its end.
TEST_F(SoundTest, PlayedSoundsReachTheOutput) {
    auto peakOf = [](const std::vector<int16_t>& samples) {
        int peak = 0;
        for (int16_t sample : samples)
            peak = std::max(peak, std::abs(int(sample)));
        return peak;
    };
    auto sound = TSound::Get("sfx/half", true, kSoundGroupEffects);
    platform::TakeHeadlessAudioOutput();
    sound->Play(false);
    platform::AdvanceTestClock(400);
    int full = peakOf(platform::TakeHeadlessAudioOutput());
    EXPECT_GT(full, 12000);  // a tone of half the full scale
    manager_->SetGroupVolume(kSoundGroupEffects, 0.5f);  // -25 dB
    sound->Play(false);
    platform::AdvanceTestClock(300);
    std::vector<int16_t> quieter = platform::TakeHeadlessAudioOutput();
    EXPECT_NEAR(peakOf(std::vector<int16_t>(quieter.begin() + 2 * 4410, quieter.end())), full * 0.056, full * 0.01);
    for (int i = 0; i < 4; ++i)
        Step(600);
    platform::TakeHeadlessAudioOutput();
    platform::AdvanceTestClock(500);
    EXPECT_EQ(peakOf(platform::TakeHeadlessAudioOutput()), 0);
    manager_->NotifyStreams();
    EXPECT_TRUE(sound->GetData()->instances.empty());
}

TEST_F(SoundTest, StopEndsEveryInstanceAtOnce) {
    auto sound = TSound::Get("music/long", false, kSoundGroupMusic);
    auto first = sound->Play(true);
    auto second = sound->Play(false);
    EXPECT_EQ(manager_->ActiveStreamCount(), 2u);
    EXPECT_TRUE(sound->Stop());
    EXPECT_EQ(first->GetStream(), nullptr);
    EXPECT_EQ(second->GetStream(), nullptr);
    EXPECT_TRUE(sound->GetData()->instances.empty());
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
    EXPECT_FALSE(sound->Stop()) << "nothing left to stop";
    EXPECT_FALSE(sound->StopInstance(nullptr));
    auto third = sound->Play(false);
    EXPECT_TRUE(sound->StopInstance(third));
    EXPECT_EQ(third->GetStream(), nullptr);
    EXPECT_TRUE(sound->StopInstance(third)) << "an instance was given";
}

TEST_F(SoundTest, PauseAndResumeEveryInstance) {
    auto sound = TSound::Get("music/long", true, 0);
    EXPECT_FALSE(sound->Pause(true)) << "no instance";
    auto first = sound->Play(true);
    auto second = sound->Play(true);
    EXPECT_TRUE(sound->Pause(true));
    EXPECT_TRUE(first->GetStream()->IsPaused());
    EXPECT_TRUE(second->GetStream()->IsPaused());
    EXPECT_TRUE(sound->Pause(false));
    EXPECT_FALSE(first->GetStream()->IsPaused());
    EXPECT_FALSE(second->GetStream()->IsPaused());
}

TEST_F(SoundTest, FinishedInstancesEndOnTheMainThread) {
    auto sound = TSound::Get("sfx/half", true, 0);
    auto instance = sound->Play(false);
    for (int i = 0; i < 4; ++i)
        Step(600);
    EXPECT_EQ(manager_->FinishedStreamCount(), 1u);
    EXPECT_NE(instance->GetStream(), nullptr) << "still waiting for the main thread";
    EXPECT_EQ(sound->GetData()->instances.size(), 1u);
    manager_->NotifyStreams();
    EXPECT_EQ(instance->GetStream(), nullptr);
    EXPECT_TRUE(sound->GetData()->instances.empty());
}

TEST_F(SoundTest, DroppingTheSoundStopsItsInstances) {
    auto sound = TSound::Get("music/long", true, 0);
    auto instance = sound->Play(true);
    sound.reset();
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
    EXPECT_EQ(instance->GetStream(), nullptr);
    EXPECT_EQ(instance->GetSound(), nullptr);
}

TEST_F(SoundTest, PlayFailsWithoutSourceOrManager) {
    soundtest::LogCapture log;
    auto bare = std::make_shared<TSound>();
    EXPECT_EQ(bare->Play(false), nullptr);
    EXPECT_TRUE(log.Contains("Play of uninitialized sound"));
    auto sound = TSound::Get("sfx/short", true, 0);
    manager_.reset();
    EXPECT_EQ(sound->Play(false), nullptr);
    EXPECT_TRUE(log.Contains("No Sound Manager"));
}

TEST_F(SoundTest, ShuttingDownWithPlayingSoundsReleasesEverything) {
    auto sound = TSound::Get("music/long", false, 0);
    auto instance = sound->Play(true);
    auto effect = TSound::Get("sfx/half", true, 0)->Play(false);
    manager_.reset();
    EXPECT_EQ(instance->GetStream(), nullptr);
    EXPECT_TRUE(sound->GetData()->instances.empty());
    EXPECT_FALSE(sound->Stop());
}

TEST_F(SoundTest, AssetMapLoadsSoundsByName) {
    RegisterSoundAssetKinds();
    TAssetMap map;
    map.AddAsset("sfx/short?group=1000", nullptr, false);
    auto sound = map.GetSound("sfx/short?group=1000");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetData()->group, 1000);
    EXPECT_EQ(sound->GetData()->name, TString("sfx/short.ogg"));
    TAssetMap other;
    other.AddAsset("sfx/short.ogg?group=1000", nullptr, false);
    EXPECT_EQ(other.GetSound("sfx/short.ogg?group=1000"), sound) << "cached under name;0;group";
    map.AddAsset("sfx/half", nullptr, false);
    EXPECT_EQ(map.GetSound("sfx/half")->GetData()->group, -1) << "no group: the master volume";
    UnregisterAssetKind("ogg");
    UnregisterAssetKind("spx");
}

TEST(SoundServicesTest, InstalledServicesMakeThisManagerAndRegisterOgg) {
    InstallSoundServices();
    std::unique_ptr<ISoundManager> manager = CreateSoundManager();
    EXPECT_NE(dynamic_cast<TSoundManager*>(manager.get()), nullptr);
    EXPECT_EQ(TSoundManager::Get(), manager.get());
    RegisterOggDataSource();
    AddFile("sfx/any.ogg", EncodeTone(8000, 1, 800));
    EXPECT_NE(CreateDataSource("sfx/any", true), nullptr);
    TAssetMap map;
    map.AddAsset("sfx/any", nullptr, true);
    EXPECT_NE(map.GetSound("sfx/any"), nullptr) << "the asset map loads sounds";
    manager.reset();
    EXPECT_EQ(TSoundManager::Get(), nullptr);
    UnregisterAssetKind("ogg");
    UnregisterAssetKind("spx");
    SetSoundServices({});
    ResetSoundState();
    soundtest::ForgetFiles();
}

}  // namespace
