#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound_state.h"
#include "tests/engine/sound/sound_test_util.h"

namespace {

using soundtest::AddFile;
using soundtest::EncodeTone;

class SoundSourceTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterOggSourceBuilder(); }
    void TearDown() override {
        soundtest::ForgetFiles();
        ResetSoundState();
        SetConfig("keepogguncompressed", "0");
    }

    static std::vector<uint8_t> ReadAll(TSoundDataSource& source) {
        std::vector<uint8_t> bytes(static_cast<size_t>(source.GetLength()));
        EXPECT_EQ(source.Read(bytes.data(), 0, static_cast<uint32_t>(bytes.size())), bytes.size());
        return bytes;
    }
};

TEST_F(SoundSourceTest, OggFilesDecodeToTheirRateLengthAndDuration) {
    struct Case {
        uint32_t rate, channels, frames;
        bool stream;
    } cases[] = {
        {44100, 2, 44100 * 3, true},
        {44100, 2, 44100 * 3, false},
        {22050, 1, 33075, true},
        {11025, 1, 5000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz " << c.channels << " ch stream " << c.stream);
        AddFile("audio/tone.ogg", EncodeTone(c.rate, c.channels, c.frames));
        TOggDataSource source;
        ASSERT_TRUE(source.Open("audio/tone.ogg", c.stream));
        EXPECT_EQ(source.GetSampleRate(), c.rate);
        EXPECT_EQ(source.GetChannels(), c.channels);
        EXPECT_EQ(source.GetLength(), uint64_t(c.frames) * c.channels * 2);
        EXPECT_NEAR(source.GetDuration(), double(c.frames) / c.rate, 1e-6);
        std::vector<uint8_t> whole = ReadAll(source);
        // Any position reads the same bytes as the whole decode (seeking is sample-exact).
        uint32_t align = 2 * c.channels;
        for (uint32_t frame : {c.frames / 2, 7u, c.frames - 200, 0u}) {
            std::vector<uint8_t> part(400);
            ASSERT_EQ(source.Read(part.data(), frame * align, 400), 400u) << frame;
            EXPECT_EQ(0, std::memcmp(part.data(), whole.data() + frame * align, 400)) << frame;
        }
        std::vector<uint8_t> tail(1000);
        EXPECT_EQ(source.Read(tail.data(), (c.frames - 10) * align, 1000), 10 * align);
        EXPECT_EQ(source.Read(tail.data(), c.frames * align + 8, 1000), 0u);
    }
}

TEST_F(SoundSourceTest, MemorySourceHoldsTheWholeDecodeAndAnswersNothingPastTheEnd) {
    AddFile("fx.ogg", EncodeTone(22050, 2, 20000));
    TOggDataSource ogg;
    ASSERT_TRUE(ogg.Open("fx", true));  // found through the ".ogg" retry
    std::vector<uint8_t> expected = ReadAll(ogg);
    TMemDataSource memory(ogg);
    EXPECT_EQ(memory.GetLength(), ogg.GetLength());
    EXPECT_EQ(memory.GetSampleRate(), 22050u);
    EXPECT_EQ(memory.GetChannels(), 2u);
    EXPECT_DOUBLE_EQ(memory.GetDuration(), ogg.GetDuration());
    EXPECT_EQ(ReadAll(memory), expected);
    uint8_t bytes[16] = {};
    uint32_t length = static_cast<uint32_t>(memory.GetLength());
    EXPECT_EQ(memory.Read(bytes, length - 4, 16), 4u);
    EXPECT_EQ(memory.Read(bytes, length, 16), 0u);
    EXPECT_EQ(memory.Read(bytes, length + 100, 16), 0u);
    EXPECT_EQ(memory.Read(bytes, 0xFFFFFFF0u, 16), 0u);
}

TEST_F(SoundSourceTest, DiskFilesStreamThroughTheFileLayer) {
    auto folder = std::filesystem::temp_directory_path() / ("alembria-ogg-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::vector<uint8_t> bytes = EncodeTone(11025, 2, 30000);
    std::ofstream(folder / "Tone.ogg", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    SetStartupFolder(folder.c_str());
    for (bool stream : {true, false}) {
        TOggDataSource source;
        ASSERT_TRUE(source.Open("::tone", stream)) << "the \".ogg\" retry, any letter case";
        EXPECT_EQ(source.GetLength(), 30000u * 4);
        std::vector<uint8_t> whole = ReadAll(source);
        EXPECT_EQ(whole.size(), 30000u * 4);
    }
    SetStartupFolder("");
    std::filesystem::remove_all(folder);
}

// A damaged file may claim far more sound than it holds.
class TClaimingSource : public soundtest::TRampSource {
public:
    TClaimingSource() : TRampSource(44100, 2, 1000) {}
    uint64_t GetLength() override { return uint64_t(3) << 30; }
};

TEST_F(SoundSourceTest, MemorySourceKeepsWhatDecodesNotWhatIsClaimed) {
    TClaimingSource claiming;
    TMemDataSource memory(claiming);
    EXPECT_EQ(memory.GetLength(), 4000u);
    std::vector<uint8_t> bytes(8);
    EXPECT_EQ(memory.Read(bytes.data(), 3996, 8), 4u);
}

TEST_F(SoundSourceTest, BuilderChoosesHowTheSoundIsHeld) {
    AddFile("a/short.ogg", EncodeTone(22050, 1, 41895));  // 1.9 s
    AddFile("a/two.ogg", EncodeTone(22050, 1, 44100));    // 2.0 s
    struct Case {
        const char* name;
        bool stream;
        bool keepUncompressed;
        bool decodedWhole;
    } cases[] = {
        {"a/short.ogg", false, false, true},
        {"a/two.ogg", false, false, false},
        {"a/two.ogg", false, true, true},
        {"a/short.ogg", true, false, false},
        {"a/short.ogg", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " stream " << c.stream << " keep " << c.keepUncompressed);
        SetConfig("keepogguncompressed", c.keepUncompressed ? "1" : "0");
        std::shared_ptr<TSoundDataSource> source = CreateDataSource(c.name, c.stream);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(dynamic_cast<TMemDataSource*>(source.get()) != nullptr, c.decodedWhole);
        EXPECT_EQ(dynamic_cast<TOggDataSource*>(source.get()) != nullptr, !c.decodedWhole);
    }
}

TEST_F(SoundSourceTest, NamesResolveByExtensionOrByProbing) {
    AddFile("audio/sfx/piranha_trash.ogg", EncodeTone(22050, 1, 2000));
    AddFile("audio/old.wav.ogg", EncodeTone(22050, 1, 2000));
    struct Case {
        const char* name;
        bool found;
    } cases[] = {
        {"audio/sfx/piranha_trash", true},       // no extension: probed with ".ogg"
        {"audio/sfx/piranha_trash.ogg", true},
        {"audio/old.wav", true},                 // unregistered extension: probed too
        {"audio/sfx/missing", false},
        {"audio/sfx/missing.ogg", false},        // registered extension: its builder answers
        {"audio/sfx/piranha_trash.mp3", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreateDataSource(c.name, false) != nullptr, c.found) << c.name;
    ResetSoundState();
    EXPECT_EQ(CreateDataSource("audio/sfx/piranha_trash.ogg", false), nullptr) << "nothing registered";
}

TEST_F(SoundSourceTest, FilesThatAreNotOggVorbisFailWithALogLine) {
    soundtest::LogCapture log;
    AddFile("bad.ogg", std::vector<uint8_t>(5000, 'x'));
    AddFile("empty.ogg", {});
    for (bool stream : {true, false}) {
        TOggDataSource source;
        EXPECT_FALSE(source.Open("bad.ogg", stream));
        EXPECT_FALSE(source.Open("empty.ogg", stream));
        uint8_t bytes[8];
        EXPECT_EQ(source.Read(bytes, 0, 8), 0u);
    }
    EXPECT_TRUE(log.Contains("OGG file could not be opened"));
    EXPECT_EQ(CreateDataSource("bad", false), nullptr);
}

// Truncated and corrupted files either fail to open or decode fewer bytes; nothing crashes.
TEST_F(SoundSourceTest, DamagedFilesNeverCrash) {
    soundtest::LogCapture log;
    const std::vector<uint8_t> good = EncodeTone(22050, 2, 30000);
    std::mt19937 random(1234);
    std::vector<std::vector<uint8_t>> damaged;
    for (size_t cut : {size_t(1), size_t(27), size_t(58), size_t(200), good.size() / 3, good.size() - 1})
        damaged.emplace_back(good.begin(), good.begin() + std::min(cut, good.size()));
    for (int i = 0; i < 24; ++i) {
        std::vector<uint8_t> bytes = good;
        for (int flips = 0; flips < 1 + i % 8; ++flips)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1 + random() % 255);
        damaged.push_back(std::move(bytes));
    }
    for (size_t i = 0; i < damaged.size(); ++i) {
        AddFile("damaged.ogg", damaged[i]);
        for (bool stream : {true, false}) {
            TOggDataSource source;
            if (!source.Open("damaged.ogg", stream))
                continue;
            std::vector<uint8_t> bytes(65536);
            uint32_t total = 0;
            for (uint32_t position = 0; position < source.GetLength() && position < 1u << 22;) {
                uint32_t got = source.Read(bytes.data(), position, 65536);
                if (got == 0)
                    break;
                position += got;
                total += got;
            }
            EXPECT_LE(total, source.GetLength()) << i;
        }
    }
}

}  // namespace
