#include "tools/synth/synth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "tools/synth/parser.h"
#include "tools/synth/render.h"

namespace {

const char* const kTune = R"(tempo 140
level -3
instrument bell
    osc sine 1 fm 3 1
    osc noise 0.1
    env 0.002 0.4 0 0.2
    reverb 0.3
pattern a
    C5 8 E5 8 G5 4 C6+E6 2
track bell
    a x2
)";

// The rendered file, opened as the game opens sounds.
class RenderedFile {
public:
    explicit RenderedFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
        RegisterMemoryFile("rendered.ogg", bytes_.data(), bytes_.size());
    }
    ~RenderedFile() { RegisterMemoryFile("rendered.ogg", nullptr, 0); }

    std::vector<int16_t> Decode(TOggDataSource& source) {
        EXPECT_TRUE(source.Open("rendered.ogg", false));
        std::vector<int16_t> pcm(size_t(source.GetLength() / 2));
        EXPECT_EQ(source.Read(pcm.data(), 0, uint32_t(pcm.size() * 2)), pcm.size() * 2);
        return pcm;
    }

private:
    std::vector<uint8_t> bytes_;
};

TEST(SynthTest, DescriptionsBecomeOggTheEnginePlaysBack) {
    std::vector<float> mix = synth::RenderSong(synth::ParseSong(kTune, "tune.snd"));
    std::vector<uint8_t> bytes = synth::RenderDescription(kTune, "tune.snd");
    EXPECT_EQ(synth::RenderDescription(kTune, "tune.snd"), bytes) << "the same text, the same bytes";

    RenderedFile file(bytes);
    TOggDataSource source;
    std::vector<int16_t> pcm = file.Decode(source);
    EXPECT_EQ(source.GetSampleRate(), 44100u);
    EXPECT_EQ(source.GetChannels(), 2u);
    ASSERT_EQ(pcm.size(), mix.size());
    double error = 0.0, signal = 0.0;
    for (size_t i = 0; i < pcm.size(); ++i) {
        double expected = mix[i] * 32767.0;
        error += (pcm[i] - expected) * (pcm[i] - expected);
        signal += expected * expected;
    }
    EXPECT_LT(error / signal, 0.01) << "more than -20 dB of coding noise";
}

TEST(SynthTest, FilesThatCannotBeReadAreNamed) {
    try {
        synth::RenderDescriptionFile("no/such/sound.snd");
        FAIL() << "rendered a missing file";
    } catch (const synth::SynthError& error) {
        EXPECT_STREQ(error.what(), "no/such/sound.snd: cannot be read");
    }
}

}  // namespace
