#include "tools/synth/render.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/synth/loudness.h"
#include "tools/synth/parser.h"
#include "tools/synth/voice.h"

namespace {

using synth::kSampleRate;

synth::Song Parse(const std::string& text) {
    return synth::ParseSong(text, "t.snd");
}

// The fundamental of a mono signal between 50 and 2000 Hz: the first lag whose normalised
// autocorrelation comes near the best one (later peaks are its multiples), refined with a parabola.
double Fundamental(const std::vector<float>& samples, size_t from, size_t count) {
    auto correlation = [&](size_t lag) {
        double product = 0.0, here = 0.0, there = 0.0;
        for (size_t i = from; i < from + count; ++i) {
            product += samples[i] * samples[i + lag];
            here += samples[i] * samples[i];
            there += samples[i + lag] * samples[i + lag];
        }
        return product / std::sqrt(here * there + 1e-20);
    };
    const size_t shortest = kSampleRate / 2000, longest = kSampleRate / 50;
    std::vector<double> scores(longest + 2);
    double best = 0.0;
    for (size_t lag = shortest - 1; lag <= longest + 1; ++lag)
        scores[lag] = correlation(lag), best = std::max(best, scores[lag]);
    size_t lag = shortest;
    while (lag < longest && scores[lag] < 0.9 * best)
        ++lag;
    while (lag < longest && scores[lag + 1] > scores[lag])
        ++lag;
    double left = scores[lag - 1], middle = scores[lag], right = scores[lag + 1];
    double shift = 0.5 * (left - right) / (left - 2.0 * middle + right);
    return kSampleRate / (double(lag) + shift);
}

double Rms(const std::vector<float>& samples, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i)
        sum += samples[i] * samples[i];
    return std::sqrt(sum / double(count));
}

std::vector<float> Voice(const std::string& settings, const char* pitch, double hold) {
    synth::Song song = Parse("instrument i\n" + settings + "\nat 0 i " + pitch + " " + std::to_string(hold) + "\n");
    return synth::RenderVoice(song.instruments[0], song.notes[0], 1);
}

TEST(VoiceTest, EveryWavePlaysInTune) {
    struct Case {
        const char* osc;
        const char* pitch;
        double hz;
    } cases[] = {
        {"osc sine 1", "A4", 440.0},          {"osc square 1", "A4", 440.0},
        {"osc saw 1", "E2", 82.41},           {"osc triangle 1", "C6", 1046.5},
        {"osc square 1 width 0.2", "G3", 196.0}, {"osc sine 1 pitch 12", "A3", 440.0},
        {"osc sine 1 fm 2 1", "A4", 440.0},   {"osc pluck 1", "A4", 440.0},
        {"osc pluck 1", "C6", 1046.5},        {"osc pluck 1", "F2", 87.31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.osc) + " " + c.pitch);
        std::vector<float> voice = Voice(c.osc, c.pitch, 0.3);
        EXPECT_NEAR(Fundamental(voice, 2000, 4096), c.hz, c.hz * 0.003);
    }
}

TEST(VoiceTest, SweepAndFilterShapeTheNote) {
    std::vector<float> sweep = Voice("osc sine 1\nsweep 12 0.25", "A4", 0.5);  // an octave in 0.25 s
    EXPECT_NEAR(Fundamental(sweep, 0, 1024), 454.3, 8.0);  // 440 Hz and rising
    EXPECT_NEAR(Fundamental(sweep, 5512 - 512, 1024), 622.3, 15.0);
    EXPECT_NEAR(Fundamental(sweep, 13230, 2048), 880.0, 3.0);  // held after the sweep

    double open = Rms(Voice("osc sine 1", "C8", 0.3), 4410, 4410);
    double lowpass = Rms(Voice("osc sine 1\nfilter lowpass 500", "C8", 0.3), 4410, 4410);
    double highpass = Rms(Voice("osc sine 1\nfilter highpass 500", "C8", 0.3), 4410, 4410);
    EXPECT_LT(lowpass, 0.03 * open);
    EXPECT_GT(highpass, 0.9 * open);
}

TEST(VoiceTest, EnvelopeRisesHoldsAndReleasesToSilence) {
    std::vector<float> voice = Voice("osc sine 1\nenv 0.1 0.1 0.5 0.2", "A4", 0.5);
    ASSERT_NEAR(double(voice.size()), 0.7 * kSampleRate, 2.0);
    EXPECT_NEAR(Rms(voice, 2205 - 220, 441), 0.5 * std::sqrt(0.5), 0.03);  // half way up at 0.05 s
    EXPECT_NEAR(Rms(voice, 17640, 441), 0.5 * std::sqrt(0.5), 0.01);       // sustaining at 0.4 s
    EXPECT_LT(Rms(voice, voice.size() - 441, 441), 0.005);                  // gone at the release's end
}

TEST(RenderTest, MixIsBroughtToItsLoudnessUnderItsPeakLevelAndPanned) {
    // A soft hum and a loud click come out equally loud; the click's peaks are softened under the level.
    const char* const kSounds[] = {"instrument i\n osc sine 0.05\n pan -1\nat 0 i C4 1.5\n",
                                   "instrument i\n osc saw 1\n env 0 0.04 0 0\n pan -1\nat 0 i C4 0.05\n"};
    for (const char* sound : kSounds) {
        for (const char* loudness : {"-12", "-20"}) {
            std::vector<float> mix = synth::RenderSong(Parse(std::string("loudness ") + loudness + "\nlevel -3\n" + sound));
            float peakLeft = 0.0f, peakRight = 0.0f;
            for (size_t i = 0; i < mix.size(); i += 2) {
                peakLeft = std::max(peakLeft, std::abs(mix[i]));
                peakRight = std::max(peakRight, std::abs(mix[i + 1]));
            }
            EXPECT_NEAR(synth::LoudnessDb(mix), std::stod(loudness), 1.0) << sound << loudness;
            EXPECT_LE(peakLeft, std::pow(10.0f, -3.0f / 20.0f) + 0.005f) << sound << loudness;
            EXPECT_LT(peakRight, 1e-6) << sound << loudness;
        }
    }
}

TEST(RenderTest, ConstantOffsetsAreTakenOut) {
    // A square wave with a quarter duty cycle sits off centre; so does the loop built from it.
    for (const char* head : {"", "loop\nlength 1\n"}) {
        std::vector<float> mix = synth::RenderSong(
            Parse(std::string(head) + "instrument i\n osc square 1 width 0.25\n env 0 0 1 0\nat 0 i A3 1\n"));
        double sum = 0.0;
        for (size_t i = 0; i < mix.size(); i += 2) sum += mix[i];
        EXPECT_LT(std::abs(sum / double(mix.size() / 2)), 0.01) << head;
    }
}

TEST(RenderTest, LengthIsSetTrimmedOrLooped) {
    const std::string kNote = "instrument i\n osc sine 1\n env 0 0 1 0.1\nat 0.2 i A4 0.3\n";
    struct Case {
        std::string head;
        double seconds;
    } cases[] = {
        {"", 0.59},            // 60 dB into the release
        {"length 1.5\n", 1.5},
        {"length 0.3\n", 0.3},
        {"loop\nlength 0.25\n", 0.25},
    };
    for (const Case& c : cases) {
        std::vector<float> mix = synth::RenderSong(Parse(c.head + kNote));
        EXPECT_NEAR(double(mix.size() / 2) / kSampleRate, c.seconds, 0.005) << c.head;
    }
}

TEST(RenderTest, LoopWrapsWhatSoundsPastItsEndOntoItsStart) {
    std::vector<float> mix = synth::RenderSong(
        Parse("loop\nlength 1\ninstrument i\n osc sine 1\n env 0 0 1 0.01\nat 0.8 i A4 0.3\n"));
    ASSERT_EQ(mix.size(), size_t(2 * kSampleRate));
    EXPECT_GT(Rms(mix, 0, 2 * 4410), 0.1);                    // 1.0-1.1 s, wrapped
    EXPECT_LT(Rms(mix, 2 * 6615, 2 * 4410), 1e-3);            // 0.15-0.25 s: silent
    EXPECT_GT(Rms(mix, 2 * 35280 + 2 * 441, 2 * 4410), 0.1);  // 0.8 s on
}

TEST(RenderTest, EchoRepeatsAndReverbProlongsTheSound) {
    const std::string kClick = "instrument i\n osc sine 1\n env 0 0 1 0.005\n";
    std::vector<float> dry = synth::RenderSong(Parse(kClick + "at 0 i A5 0.05\n"));
    std::vector<float> echoed = synth::RenderSong(Parse(kClick + " echo 0.2 0 0.5\nat 0 i A5 0.05\n"));
    std::vector<float> reverberant = synth::RenderSong(Parse(kClick + " reverb 0.5 0.8\nat 0 i A5 0.05\n"));
    EXPECT_NEAR(double(dry.size() / 2) / kSampleRate, 0.055, 0.002);
    EXPECT_NEAR(double(echoed.size() / 2) / kSampleRate, 0.255, 0.002);
    EXPECT_LT(Rms(echoed, 2 * 4410, 2 * 4410), 1e-3);      // nothing between the note and its echo
    EXPECT_GT(Rms(echoed, 2 * 8820, 2 * 2000), 0.05);       // the echo, on the left
    EXPECT_GT(reverberant.size(), 10 * dry.size());
}

}  // namespace
