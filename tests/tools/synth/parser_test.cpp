#include "tools/synth/parser.h"

#include <gtest/gtest.h>

#include "tools/synth/synth.h"

namespace {

using synth::Note;
using synth::Song;

std::string ErrorOf(const std::string& text) {
    try {
        synth::ParseSong(text, "bad.snd");
    } catch (const synth::SynthError& error) {
        return error.what();
    }
    return "(accepted)";
}

TEST(ParserTest, TracksLayPatternsEndToEndAtTheTempo) {
    Song song = synth::ParseSong(R"(# a looping tune
tempo 120          # half a second a beat
loop
instrument lead
    osc sine 1
pattern a
    C4 8 r 8 E4+G4 4.
track lead 0.5
    a x2
at 1.6 lead F#4 0.25 0.8   # the sharp is a pitch; this is a comment
)", "t.snd");
    struct Expected {
        double start, hold;
        float hz, velocity;
    } expected[] = {
        {0.0, 0.25, 261.63f, 0.5f},  {0.5, 0.75, 329.63f, 0.5f},  {0.5, 0.75, 392.0f, 0.5f},
        {1.25, 0.25, 261.63f, 0.5f}, {1.75, 0.75, 329.63f, 0.5f}, {1.75, 0.75, 392.0f, 0.5f},
        {1.6, 0.25, 369.99f, 0.8f},
    };
    ASSERT_EQ(song.notes.size(), std::size(expected));
    for (size_t i = 0; i < song.notes.size(); ++i) {
        SCOPED_TRACE(i);
        const Note& note = song.notes[i];
        EXPECT_DOUBLE_EQ(note.start, expected[i].start);
        EXPECT_DOUBLE_EQ(note.hold, expected[i].hold);
        EXPECT_NEAR(note.frequency, expected[i].hz, 0.01f);
        EXPECT_FLOAT_EQ(note.velocity, expected[i].velocity);
    }
    EXPECT_TRUE(song.loop);
    EXPECT_DOUBLE_EQ(song.length, 2.5);  // where the track ends, rests included
    EXPECT_FLOAT_EQ(song.peakDb, -1.0f);
    EXPECT_FLOAT_EQ(song.loudnessDb, -16.0f);
}

TEST(ParserTest, InstrumentSettingsLandInTheirFields) {
    Song song = synth::ParseSong(R"(level -6
loudness -20
length 1.5
at 0 bell C5 0.1
instrument bell
    osc square 0.5 width 0.25 pitch -12
    osc sine 1 fm 3.5 2
    env 0.01 0.5 0.25 0.3
    filter bandpass 2x to 4x q 3
    sweep -7 0.2
    vibrato 6 15
    tremolo 4 0.5
    volume 0.8
    pan -0.5
    echo 0.25 0.4 0.3
    reverb 0.2 0.7
)", "t.snd");
    ASSERT_EQ(song.instruments.size(), 1u);
    const synth::Instrument& bell = song.instruments[0];
    ASSERT_EQ(bell.oscillators.size(), 2u);
    EXPECT_EQ(bell.oscillators[0].wave, synth::Wave::Square);
    EXPECT_FLOAT_EQ(bell.oscillators[0].level, 0.5f);
    EXPECT_FLOAT_EQ(bell.oscillators[0].width, 0.25f);
    EXPECT_FLOAT_EQ(bell.oscillators[0].semitones, -12.0f);
    EXPECT_FLOAT_EQ(bell.oscillators[1].fmRatio, 3.5f);
    EXPECT_FLOAT_EQ(bell.oscillators[1].fmDepth, 2.0f);
    EXPECT_FLOAT_EQ(bell.envelope.attack, 0.01f);
    EXPECT_FLOAT_EQ(bell.envelope.decay, 0.5f);
    EXPECT_FLOAT_EQ(bell.envelope.sustain, 0.25f);
    EXPECT_FLOAT_EQ(bell.envelope.release, 0.3f);
    EXPECT_EQ(bell.filter.kind, synth::FilterKind::Bandpass);
    EXPECT_TRUE(bell.filter.relative);
    EXPECT_FLOAT_EQ(bell.filter.from, 2.0f);
    EXPECT_FLOAT_EQ(bell.filter.to, 4.0f);
    EXPECT_FLOAT_EQ(bell.filter.q, 3.0f);
    EXPECT_FLOAT_EQ(bell.sweepSemitones, -7.0f);
    EXPECT_FLOAT_EQ(bell.sweepSeconds, 0.2f);
    EXPECT_FLOAT_EQ(bell.vibratoHz, 6.0f);
    EXPECT_FLOAT_EQ(bell.vibratoCents, 15.0f);
    EXPECT_FLOAT_EQ(bell.tremoloHz, 4.0f);
    EXPECT_FLOAT_EQ(bell.tremoloDepth, 0.5f);
    EXPECT_FLOAT_EQ(bell.volume, 0.8f);
    EXPECT_FLOAT_EQ(bell.pan, -0.5f);
    EXPECT_FLOAT_EQ(bell.echo.seconds, 0.25f);
    EXPECT_FLOAT_EQ(bell.echo.feedback, 0.4f);
    EXPECT_FLOAT_EQ(bell.echo.mix, 0.3f);
    EXPECT_FLOAT_EQ(bell.reverb.mix, 0.2f);
    EXPECT_FLOAT_EQ(bell.reverb.size, 0.7f);
    EXPECT_FLOAT_EQ(song.peakDb, -6.0f);
    EXPECT_FLOAT_EQ(song.loudnessDb, -20.0f);
    EXPECT_DOUBLE_EQ(song.length, 1.5);
    EXPECT_FALSE(song.loop);
}

TEST(ParserTest, FaultsNameTheFileAndLine) {
    const std::string kBell = "instrument bell\n    osc sine 1\n";  // lines 1-2
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {
        {"tempo 90\nplay bell C4 1\n", "bad.snd:2: unknown statement \"play\""},
        {"osc sine 1\n", "bad.snd:1: unknown statement \"osc\""},
        {kBell + "    osc sin 1\n", "bad.snd:3: unknown wave \"sin\""},
        {kBell + "    env 0.1 0.2 0.5\n", "bad.snd:3: usage: env <attack s>"},
        {kBell + "    env 0.1 0.2 1.5 0.1\n", "bad.snd:3: \"1.5\" is out of range (0 to 1)"},
        {kBell + "    pan left\n", "bad.snd:3: \"left\" is not a number"},
        {kBell + "    volume 1,5\n", "bad.snd:3: \"1,5\" is not a number"},
        {kBell + "    filter lowpass 2x to 900\n", "bad.snd:3: both cutoffs must be in Hz or both relative"},
        {kBell + "    osc sine 1 fm 2\n", "bad.snd:3: usage: osc <wave>"},
        {kBell + "    chorus 0.5\n", "bad.snd:3: unknown instrument setting \"chorus\""},
        {kBell + "at 0 bel C4 1\n", "bad.snd:3: unknown instrument \"bel\""},
        {kBell + "at 0 bell H4 1\n", "bad.snd:3: \"H4\" is not a pitch"},
        {kBell + "at 0 bell r 1\n", "bad.snd:3: an event needs a pitch"},
        {kBell + "instrument bell\n", "bad.snd:3: the instrument \"bell\" is defined twice"},
        {"instrument empty\nat 0 empty C4 1\n", "bad.snd:1: the instrument \"empty\" has no osc"},
        {kBell + "tempo 90\npattern a\n  C4 4 E4\n", "bad.snd:5: notes come in pairs"},
        {kBell + "tempo 90\npattern a\n  C4 3\n", "bad.snd:5: \"3\" is not a note value"},
        {kBell + "tempo 90\npattern a\npattern b\n  C4 4\ntrack bell\n  a b\n", "bad.snd:4: the pattern \"a\" has no notes"},
        {kBell + "tempo 90\npattern C4\n", "bad.snd:4: \"C4\" cannot name a pattern"},
        {kBell + "tempo 90\npattern a\n  C4 4\ntrack bell\n  a\n  b x2\n", "bad.snd:8: unknown pattern \"b\""},
        {kBell + "tempo 90\npattern a\n  C4 4\ntrack bell\n  x2 a\n", "bad.snd:7: \"x2\" repeats nothing"},
        {kBell + "tempo 90\npattern a\n  C4 4\ntrack bell\n  a x0\n", "bad.snd:7: bad repeat \"x0\""},
        {kBell + "pattern a\n  C4 4\ntrack bell\n  a\n", "bad.snd:5: a track needs a tempo"},
        {kBell + "tempo 90\ntempo 100\n", "bad.snd:4: the tempo is set twice"},
        {kBell + "tempo 400\npattern a\n  C4 1\ntrack bell\n  a x2000\n", "bad.snd:7: bad repeat"},
        {kBell + "tempo 20\npattern a\n  C4 1 C4 1 C4 1 C4 1\ntrack bell\n  a x60\n", "bad.snd:7: the track runs past 600 seconds"},
        {kBell, "bad.snd: the description plays nothing"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.text).rfind(c.error, 0), 0u) << c.text << "gave: " << ErrorOf(c.text);
}

}  // namespace
