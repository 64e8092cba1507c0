// Every sound rendered from assets/src/sounds, loaded and played through the engine's sound code
// the way the game asks for it: effects by bare name in the effects group, the music by file
// name, streamed, in the music group.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound.h"
#include "tests/engine/sound/sound_fixture.h"

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kLoopedEffects = {"audio/sfx/artifact_pick", "audio/sfx/cauldron_loop0",
                                              "audio/sfx/cauldron_loop1", "audio/sfx/cauldron_loop2"};
const char* const kMusic[] = {"audio/music/magicshopmusic.ogg", "audio/music/magicshopmusic2.ogg"};

// The relative paths of the files under folder with the extension, without it.
std::vector<std::string> NamesUnder(const fs::path& folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == extension)
            names.push_back(fs::relative(entry.path(), folder).replace_extension().generic_string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<int16_t> DecodeAll(TSoundDataSource& source) {
    std::vector<int16_t> pcm(size_t(source.GetLength() / 2));
    EXPECT_EQ(source.Read(pcm.data(), 0, uint32_t(pcm.size() * 2)), pcm.size() * 2);
    return pcm;
}

int Peak(const std::vector<int16_t>& pcm) {
    int peak = 0;
    for (int16_t sample : pcm)
        peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

// How far a loop jumps where its end meets its start, against the largest step between
// neighbouring samples close to that point (stereo frames). The slack allows for the coding
// noise at the ends of the file (about -44 dB in the quiet cauldron loops).
void ExpectSeamless(const std::vector<int16_t>& pcm) {
    const size_t frames = pcm.size() / 2, near = 64;
    ASSERT_GT(frames, 2 * near);
    for (size_t channel = 0; channel < 2; ++channel) {
        auto at = [&](size_t frame) { return int(pcm[2 * frame + channel]); };
        int local = 0;
        for (size_t i = 1; i < near; ++i) {
            local = std::max(local, std::abs(at(i) - at(i - 1)));
            local = std::max(local, std::abs(at(frames - i) - at(frames - i - 1)));
        }
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), 2 * local + 400) << "channel " << channel;
    }
}

class ShopSoundsTest : public soundtest::ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        SetAssetManager(&assets_);
        RegisterOggSourceBuilder();
        MountFolder(TString(), TString(SOUND_ASSETS));
    }
    void TearDown() override {
        ManagerTest::TearDown();
        SetAssetManager(nullptr);
        ClearDataSourceBuilders();
        ShutdownFileSystem();
    }

    // Services the stream until it ends; false when it is still playing after seconds.
    bool PlaysOutWithin(const std::shared_ptr<TSoundInstance>& instance, double seconds) {
        for (int step = 0; step * 0.6 < seconds && instance->GetStream() != nullptr; ++step) {
            Step(600);
            manager_->NotifyStreams();
        }
        return instance->GetStream() == nullptr;
    }

    TAssetManager assets_;
};

TEST_F(ShopSoundsTest, EveryDescriptionIsRendered) {
    EXPECT_EQ(NamesUnder(SOUND_ASSETS, ".ogg"), NamesUnder(fs::path(ALEMBRIA_SOURCE_DIR) / "assets/src/sounds", ".snd"));
}

TEST_F(ShopSoundsTest, EffectsLoadInStereoAndPlayWithoutClipping) {
    std::vector<std::string> effects = NamesUnder(fs::path(SOUND_ASSETS) / "audio/sfx", ".ogg");
    ASSERT_FALSE(effects.empty());
    for (const std::string& leaf : effects) {
        std::string name = "audio/sfx/" + leaf;
        SCOPED_TRACE(name);
        std::shared_ptr<TSound> sound = TSound::Get(TString((name + "?group=1000").c_str()), true, 0);
        ASSERT_NE(sound, nullptr);
        TSoundDataSource& source = *sound->GetData()->source;
        EXPECT_EQ(source.GetSampleRate(), 44100u);
        EXPECT_EQ(source.GetChannels(), 2u);
        EXPECT_EQ(sound->GetData()->group, kSoundGroupEffects);
        std::vector<int16_t> pcm = DecodeAll(source);
        EXPECT_GT(Peak(pcm), 3000) << "all but silent";
        EXPECT_LT(Peak(pcm), 32000) << "clipped";

        bool looped = kLoopedEffects.count(name) != 0;
        if (looped)
            ExpectSeamless(pcm);
        std::shared_ptr<TSoundInstance> instance = sound->Play(looped);
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(PlaysOutWithin(instance, source.GetDuration() + 3.0), !looped);
        sound->Stop();
    }
}

TEST_F(ShopSoundsTest, MusicStreamsForAMinuteAndLoopsSeamlessly) {
    for (const char* name : kMusic) {
        SCOPED_TRACE(name);
        std::shared_ptr<TSound> music = TSound::Get(name, false, kSoundGroupMusic);
        ASSERT_NE(music, nullptr);
        auto* source = dynamic_cast<TOggDataSource*>(music->GetData()->source.get());
        ASSERT_NE(source, nullptr) << "music is decoded as it plays";
        EXPECT_EQ(source->GetSampleRate(), 44100u);
        EXPECT_EQ(source->GetChannels(), 2u);
        EXPECT_GE(source->GetDuration(), 60.0);
        std::vector<int16_t> pcm = DecodeAll(*source);
        EXPECT_LT(Peak(pcm), 32000) << "clipped";
        ExpectSeamless(pcm);

        std::shared_ptr<TSoundInstance> instance = music->Play(true);
        ASSERT_NE(instance, nullptr);
        EXPECT_FALSE(PlaysOutWithin(instance, source->GetDuration() + 2.0)) << "a loop goes on";
        platform::TakeHeadlessAudioOutput();
        Step(600);
        EXPECT_GT(Peak(platform::TakeHeadlessAudioOutput()), 1000) << "heard again after its end";
        music->Stop();
    }
}

}  // namespace
