#include "tools/synth/notation.h"

#include <gtest/gtest.h>

namespace {

TEST(NotationTest, PitchesAreEqualTemperedFromA440) {
    struct Case {
        const char* token;
        std::vector<float> hz;
    } cases[] = {
        {"A4", {440.0f}},
        {"C4", {261.626f}},
        {"C#4", {277.183f}},
        {"Db4", {277.183f}},
        {"Bb3", {233.082f}},
        {"Cb4", {246.942f}},
        {"C0", {16.352f}},
        {"B9", {15804.3f}},
        {"C4+E4+G4", {261.626f, 329.628f, 391.995f}},
        {"r", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.token);
        std::optional<std::vector<float>> pitches = synth::ParsePitches(c.token);
        ASSERT_TRUE(pitches.has_value());
        ASSERT_EQ(pitches->size(), c.hz.size());
        for (size_t i = 0; i < c.hz.size(); ++i)
            EXPECT_NEAR((*pitches)[i], c.hz[i], c.hz[i] * 1e-4);
    }
}

TEST(NotationTest, OtherWordsAreNeitherPitchesNorValues) {
    for (const char* token : {"H4", "C", "C10", "c4", "C#", "C##4", "C4+", "+C4", "C4+r", "rest", ""})
        EXPECT_FALSE(synth::ParsePitches(token).has_value()) << token;
    for (const char* token : {"3", "0", "128", "4..", "4t.", "", "+4", "8+", "t", "."})
        EXPECT_FALSE(synth::ParseNoteValue(token).has_value()) << token;
}

TEST(NotationTest, NoteValuesCountQuarterBeats) {
    struct Case {
        const char* token;
        double beats;
    } cases[] = {
        {"1", 4.0}, {"4", 1.0}, {"64", 0.0625}, {"8.", 0.75}, {"2.", 3.0}, {"8t", 1.0 / 3.0}, {"2+8", 2.5}, {"4.+16", 1.75},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(synth::ParseNoteValue(c.token).value_or(-1.0), c.beats) << c.token;
}

}  // namespace
