// Every sound rendered from assets/src/sounds, loaded and played through the engine's sound code
// the way the game asks for it: effects by bare name in the effects group, the music by file
// name, streamed, in the music group.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tools/synth/loudness.h"
#include "tools/synth/song.h"

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kLoopedEffects = {"audio/sfx/artifact_pick", "audio/sfx/cauldron_loop0",
                                              "audio/sfx/cauldron_loop1", "audio/sfx/cauldron_loop2"};
// The music tracks and the least each plays before it goes round again: the shop's and the menus'
// tunes a minute, the short results tunes a few bars.
const struct {
    const char* name;
    double minSeconds;
} kMusic[] = {{"audio/music/magicshopmusic.ogg", 60.0}, {"audio/music/magicshopmusic2.ogg", 60.0},
              {"audio/music/mainmenumusic.ogg", 60.0}, {"audio/music/levelmenumusic.ogg", 60.0},
              {"audio/music/collapsemusic.ogg", 60.0}, {"audio/music/win.ogg", 10.0},
              {"audio/music/lose.ogg", 10.0}};

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
// neighbouring samples inside it (stereo frames): the seam is no rougher than the sound itself.
void ExpectSeamless(const std::vector<int16_t>& pcm) {
    const size_t frames = pcm.size() / 2;
    ASSERT_GT(frames, 2u);
    for (size_t channel = 0; channel < 2; ++channel) {
        auto at = [&](size_t frame) { return int(pcm[2 * frame + channel]); };
        int inside = 0;
        for (size_t i = 1; i < frames; ++i) inside = std::max(inside, std::abs(at(i) - at(i - 1)));
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), inside) << "channel " << channel;
    }
}

std::vector<float> ToFloat(const std::vector<int16_t>& pcm) {
    std::vector<float> samples(pcm.size());
    std::transform(pcm.begin(), pcm.end(), samples.begin(), [](int16_t sample) { return sample / 32768.0f; });
    return samples;
}

// The loudness a description asks for: its "loudness" line, else the synthesiser's default.
double TargetLoudness(const std::string& name) {
    std::ifstream description(fs::path(ALEMBRIA_SOURCE_DIR) / "assets/src/sounds" / (name + ".snd"));
    double target = synth::Song().loudnessDb;
    for (std::string line; std::getline(description, line);)
        if (line.rfind("loudness ", 0) == 0) target = std::stod(line.substr(9));
    return target;
}

void ExpectNoOffset(const std::vector<int16_t>& pcm) {
    for (size_t channel = 0; channel < 2; ++channel) {
        double sum = 0.0;
        for (size_t i = channel; i < pcm.size(); i += 2) sum += pcm[i];
        EXPECT_LT(std::abs(sum / double(pcm.size() / 2)), 30.0) << "channel " << channel;
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
        EXPECT_LT(Peak(pcm), 32000) << "clipped";
        EXPECT_NEAR(synth::LoudnessDb(ToFloat(pcm)), TargetLoudness(name), 3.0) << "heard as loud as asked";
        ExpectNoOffset(pcm);

        bool looped = kLoopedEffects.count(name) != 0;
        if (looped)
            ExpectSeamless(pcm);
        std::shared_ptr<TSoundInstance> instance = sound->Play(looped);
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(PlaysOutWithin(instance, source.GetDuration() + 3.0), !looped);
        sound->Stop();
    }
}

TEST_F(ShopSoundsTest, MusicStreamsItsLengthAndLoopsSeamlessly) {
    for (const auto& [name, minSeconds] : kMusic) {
        SCOPED_TRACE(name);
        std::shared_ptr<TSound> music = TSound::Get(name, false, kSoundGroupMusic);
        ASSERT_NE(music, nullptr);
        auto* source = dynamic_cast<TOggDataSource*>(music->GetData()->source.get());
        ASSERT_NE(source, nullptr) << "music is decoded as it plays";
        EXPECT_EQ(source->GetSampleRate(), 44100u);
        EXPECT_EQ(source->GetChannels(), 2u);
        EXPECT_GE(source->GetDuration(), minSeconds);
        std::vector<int16_t> pcm = DecodeAll(*source);
        EXPECT_LT(Peak(pcm), 32000) << "clipped";
        EXPECT_NEAR(synth::LoudnessDb(ToFloat(pcm)), TargetLoudness(std::string(name).substr(0, std::strlen(name) - 4)), 3.0);
        ExpectNoOffset(pcm);
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

// The table of every sound's length, peak and loudness beside the loudness it asks for, written
// to sound_levels.txt beside the rendered sounds for review; a sound that came out silent fails.
TEST_F(ShopSoundsTest, LevelsAreTabled) {
    std::ostringstream table;
    table << std::fixed << std::setprecision(2);
    table << "| sound | length s | peak dBFS | loudness dB | asked dB |\n|---|---|---|---|---|\n";
    for (const std::string& leaf : NamesUnder(SOUND_ASSETS, ".ogg")) {
        SCOPED_TRACE(leaf);
        bool music = leaf.rfind("audio/music/", 0) == 0;
        std::shared_ptr<TSound> sound = music ? TSound::Get((leaf + ".ogg").c_str(), false, kSoundGroupMusic)
                                              : TSound::Get(TString((leaf + "?group=1000").c_str()), true, 0);
        ASSERT_NE(sound, nullptr);
        TSoundDataSource& source = *sound->GetData()->source;
        std::vector<int16_t> pcm = DecodeAll(source);
        double peakDb = 20 * std::log10(std::max(1, Peak(pcm)) / 32768.0);
        EXPECT_GT(peakDb, -30.0) << "silent";
        table << "| " << leaf << " | " << source.GetDuration() << " | " << peakDb << " | "
              << synth::LoudnessDb(ToFloat(pcm)) << " | " << TargetLoudness(leaf) << " |\n";
    }
    std::ofstream(fs::path(SOUND_ASSETS).parent_path() / "sound_levels.txt") << table.str();
    std::printf("%s", table.str().c_str());
}

}  // namespace
