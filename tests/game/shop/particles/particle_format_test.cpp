#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/shop/particles/particle_format.h"
#include "tests/game/shop/particles/particle_files.h"

namespace {

ParFile Parse(const std::string& text) { return ParseParText(text.data(), text.size()); }

TEST(ParTextTest, NamesThenNumbers) {
    const ParFile defaults;
    struct Case {
        std::string text;
        std::vector<std::string> names;
        int32_t number1;
        std::vector<std::pair<int, float>> numbers;  // index 2..9 -> value; others keep defaults
    };
    const Case cases[] = {
        {"spark 3 0 478 0 272", {"spark"}, 3, {{2, 0}, {3, 478}, {4, 0}, {5, 272}}},
        {"0.5", {}, 0, {{2, 5}}},
        {"", {}, 1, {}},
        {"a\r\nb/1", {"a", "b"}, 1, {}},
        {"spark.bin 7", {"spark", "bin"}, 7, {}},
        {"x 5 y 9", {"x"}, 5, {{3, 9}}},                               // a word among numbers keeps its default
        {"q 12ab 4", {"q"}, 1, {{2, 4}}},                              // so does a number with letters in it
        {"1 2 3 4 5 6 7 8 9 10 11", {}, 1, {{2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}},          // beyond the ninth: ignored
        {"a b c d e f g h i j 2", {"a", "b", "c", "d", "e", "f", "g", "h"}, 2, {}},  // eight emitters at most
        {"abcdefghijklmnopqrstuvwxyz 1", {"abcdefghijklmno"}, 1, {}},  // long tokens are cut
        {"n 99999999999999999999 999999999999999999999", {"n"}, INT32_MAX, {{2, 999999999999999.0f}}},  // saturated
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParFile par = Parse(c.text);
        EXPECT_EQ(par.emitterNames, c.names);
        EXPECT_EQ(par.number1, c.number1);
        std::array<float, 8> expected = defaults.numbers2to9;
        for (auto [index, value] : c.numbers) expected[index - 2] = value;
        EXPECT_EQ(par.numbers2to9, expected);
    }
}

TEST(ParTextTest, OnlyTheFirst256BytesCount) {
    std::string text = "a " + std::string(252, ' ') + "b c 4";  // "c 4" lies beyond
    ParFile par = Parse(text);
    EXPECT_EQ(par.emitterNames, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(par.number1, 1);
}

TEST(ParTextTest, PathParts) {
    EXPECT_EQ(DirectoryOf("assets/fx/WinLevel/win.par"), "assets/fx/WinLevel/");
    EXPECT_EQ(DirectoryOf("a\\b.par"), "a\\");
    EXPECT_EQ(DirectoryOf("win.par"), "");
    EXPECT_EQ(StripExtension("spark.png"), "spark");
    EXPECT_EQ(StripExtension("a.b.png"), "a.b");
    EXPECT_EQ(StripExtension("spark"), "spark");
}

// A file with a value in every field, two keys.
EmitterFile RichFile() {
    EmitterFile file = StillEmitter(300);
    for (size_t i = 0; i < file.reserved1.size(); ++i) file.reserved1[i] = uint8_t(i + 1);
    std::copy_n("spark.png", 9, file.textureName.begin());
    file.reserved2[13] = 9;
    file.trackD = 4;
    file.keyCount = 2;
    file.keyTimes = {0.0f, 2.5f};
    file.keyTransforms.resize(2);
    file.keyTransforms[1].blocks[2].values[11] = -3.0f;
    KeyParticleRecord key;
    key.alignToMotion = 1, key.localSpace = 0, key.velocityFromStart = 5, key.respawnLimit = 3;
    key.startColor = {{{1, 2, 3, 4}}, {{5, 6, 7, 8}}};
    key.endColor = {{{9, 10, 11, 12}}, {{13, 14, 15, 16}}};
    key.delay = {1, 2}, key.life = {3, 4}, key.fadeOut = {5, 65535};
    key.startUv.min[0] = 0.25f, key.endUv.max[7] = 0.75f;
    key.start.max.values[4] = 90.0f, key.velocity.min.values[0] = -30.0f, key.acceleration.max.values[10] = 9.5f;
    file.keyParticles.push_back(key);
    return file;
}

TEST(EmitterFileTest, WrittenFilesReadBackFieldForField) {
    EmitterFile file = RichFile();
    std::vector<uint8_t> bytes = EncodeEmitterFile(file);
    EXPECT_EQ(bytes.size(), kEmitterHeadSize + 2 * (4 + kKeyTransformSize + kKeyParticleSize));
    EXPECT_EQ(DecodeEmitterFile(bytes.data(), bytes.size()), file);
    EXPECT_EQ(bytes[16], 's');  // the name at offset 16
    EXPECT_EQ(bytes[32] | bytes[33] << 8, 300);
    EXPECT_EQ(bytes[51], 2);
    // The second key's particle record: flags first, the fade-out maximum at its offset 30.
    size_t record = kEmitterHeadSize + 2 * 4 + 2 * kKeyTransformSize + kKeyParticleSize;
    EXPECT_EQ(bytes[record + 2], 5);
    EXPECT_EQ(bytes[record + 30] | bytes[record + 31] << 8, 65535);
}

TEST(EmitterFileTest, ShortFilesKeepTheDefaultsOfWhatIsMissing) {
    EmitterFile file = RichFile();
    std::vector<uint8_t> bytes = EncodeEmitterFile(file);
    const KeyParticleRecord defaults;
    size_t secondRecord = kEmitterHeadSize + 2 * 4 + 2 * kKeyTransformSize + kKeyParticleSize;
    struct Case {
        size_t size;
        uint16_t particles;
        uint8_t keys;
        bool secondFlagsRead, secondLifeMinRead, secondLifeMaxRead;
    };
    const Case cases[] = {
        {0, 0, 0, false, false, false},
        {33, 0, 0, false, false, false},  // half the particle count
        {kEmitterHeadSize, 300, 2, false, false, false},
        {secondRecord + 4, 300, 2, true, false, false},
        {secondRecord + 27, 300, 2, true, true, false},  // half the life maximum
        {secondRecord + 28, 300, 2, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EmitterFile read = DecodeEmitterFile(bytes.data(), c.size);
        EXPECT_EQ(read.particleCount, c.particles);
        EXPECT_EQ(read.keyCount, c.keys);
        EXPECT_EQ(read.keyParticles.size(), c.keys);
        if (c.keys < 2) continue;
        const KeyParticleRecord& second = read.keyParticles[1];
        EXPECT_EQ(second.respawnLimit, c.secondFlagsRead ? 3 : defaults.respawnLimit);
        EXPECT_EQ(second.life.min, c.secondLifeMinRead ? 3 : defaults.life.min);
        EXPECT_EQ(second.life.max, c.secondLifeMaxRead ? 4 : defaults.life.max);
        EXPECT_EQ(second.fadeOut, defaults.fadeOut);
        EXPECT_EQ(second.acceleration, defaults.acceleration);
    }
}

TEST(EmitterFileTest, NamesStayWithinTheirSixteenBytesAndFloatsAreFinite) {
    EmitterFile file = StillEmitter(1);
    file.textureName.fill('x');
    file.keyParticles[0].start.min.values[0] = std::numeric_limits<float>::quiet_NaN();
    file.keyParticles[0].velocity.max.values[1] = std::numeric_limits<float>::infinity();
    std::vector<uint8_t> bytes = EncodeEmitterFile(file);
    EmitterFile read = DecodeEmitterFile(bytes.data(), bytes.size());
    EXPECT_EQ(read.Texture(), std::string(16, 'x'));
    EXPECT_EQ(read.keyParticles[0].start.min.values[0], 0.0f);
    EXPECT_EQ(read.keyParticles[0].velocity.max.values[1], 0.0f);
}

}  // namespace
