#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <png.h>

#include "engine/core/files/file.h"
#include "game/shop/particles/particle_system.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string output;  // stdout and stderr
};

class PartoolTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/alembria-partool-XXXXXX";
        root = mkdtemp(pattern);
    }
    void TearDown() override {
        ShutdownFileSystem();
        fs::remove_all(root);
    }

    Result Run(const std::string& arguments) const {
        std::string command = std::string(PARTOOL) + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        Result result{-1, ""};
        char buffer[256];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
    fs::path Write(const std::string& name, const std::string& text) const {
        fs::path path = root / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string Read(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
};

const char kSparkle[] = R"(# a test effect
effect sparkle.par
numbers 2 0 478
picture dot.png glow 8

emitter first          # comments after statements
texture dot.png
particles 12
align on
space world
respawn 3
copy position scale
start-color 1,2,3,4 5,6,7,8
end-color 9,10,11,12
delay 10 20
life 700
fade 0 65535
start position -1.5,2,0 1.5,3,0.25
start scale 8,8,1
velocity rotation 0,0,-90 0,0,90
acceleration pivot 0,-9.5,0

emitter second
)";

TEST_F(PartoolTest, WrittenFilesReadBackFieldForField) {
    fs::path source = Write("sparkle.fx", kSparkle);
    Result result = Run("--out " + (root / "out").string() + " " + source.string());
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(Read(root / "out/sparkle.par"), "first second 2 0 478\n");

    MountFolder("", root.c_str());
    clsParticleSystem system(nullptr);
    ASSERT_TRUE(ReadParticleFile(system, "assets/out/sparkle.par"));
    EXPECT_EQ(system.GetParFile().number1, 2);
    EXPECT_EQ(system.GetParFile().numbers2to9[1], 478.0f);
    ASSERT_EQ(system.GetEmitters().size(), 2u);
    EXPECT_FALSE(system.GetEmitters()[1]->IsFailed());

    const EmitterFile& read = system.GetEmitters()[0]->GetFile();
    EmitterFile expected;
    std::copy_n("dot.png", 7, expected.textureName.begin());
    expected.particleCount = 12;
    expected.keyCount = 1;
    expected.keyTimes = {0.0f};
    expected.keyTransforms.resize(1);
    KeyParticleRecord key;
    key.alignToMotion = 1, key.localSpace = 0, key.respawnLimit = 3;
    key.velocityFromStart = KeyParticleRecord::kCopyPosition | KeyParticleRecord::kCopyScale;
    key.startColor = {{{1, 2, 3, 4}}, {{5, 6, 7, 8}}};
    key.endColor = {{{9, 10, 11, 12}}, {{9, 10, 11, 12}}};
    key.delay = {10, 20}, key.life = {700, 700}, key.fadeOut = {0, 65535};
    key.start.min.values = {-1.5f, 2, 0, 0, 0, 0, 8, 8, 1, 0, 0, 0};
    key.start.max.values = {1.5f, 3, 0.25f, 0, 0, 0, 8, 8, 1, 0, 0, 0};
    key.velocity.min.values.fill(0.0f), key.velocity.max.values.fill(0.0f);
    key.velocity.min.values[5] = -90, key.velocity.max.values[5] = 90;
    key.acceleration.min.values.fill(0.0f);
    key.acceleration.min.values[10] = -9.5f;
    key.acceleration.max = key.acceleration.min;
    expected.keyParticles = {key};
    EXPECT_EQ(read, expected);
    EXPECT_EQ(system.GetEmitters()[0]->GetParticles().size(), 12u);
    EXPECT_EQ(fs::file_size(root / "out/first"), kEmitterHeadSize + 4 + kKeyTransformSize + kKeyParticleSize);

    // The picture: a soft dot, bright in the middle, clear at the corners.
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (root / "out/dot.png").c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    ASSERT_EQ(image.width, 8u);
    auto alpha = [&](int x, int y) { return pixels[(y * 8 + x) * 4 + 3]; };
    EXPECT_GT(alpha(3, 4), 200);
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(pixels[0], 255);  // white: the particles' colours tint it
}

TEST_F(PartoolTest, MistakesAreReportedWithTheirLine) {
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        {"emitter a\n", "line 1: \"emitter\" is not allowed before the effect"},
        {"effect a.par\nparticles 3\n", "line 2: \"particles\" before any emitter"},
        {"effect a.par\nemitter 9lives\n", "line 2: emitter name \"9lives\" must be a letter"},
        {"effect a.par\nemitter abcdefghijklmnop\n", "must be a letter followed by letters and digits, at most 15"},
        {"effect a.par\nemitter a\nlife 70000\n", "line 3: \"70000\" is not a whole number from 0 to 65535"},
        {"effect a.par\nemitter a\nstart-color 1,2,3\n", "line 3: \"1,2,3\" needs 4 values separated by commas"},
        {"effect a.par\nemitter a\nstart spin 1,1,1\n", "line 3: unknown group \"spin\""},
        {"effect a.par\nemitter a\nvelocity position 1,x,1\n", "line 3: \"x\" is not a number"},
        {"effect a.par\nemitter a\nspace outer\n", "line 3: \"outer\" is neither \"world\" nor \"local\""},
        {"effect a.par\nemitter a\ndelay\n", "line 3: \"delay\" takes 1 to 2 values"},
        {"effect a.par\nwobble 1\n", "line 2: unknown statement \"wobble\""},
        {"effect a.par\npicture p.png blob 8\n", "line 2: unknown shape \"blob\""},
        {"effect a.par\npicture p.png glow 12\n", "line 2: picture size 12 is not a power of two"},
        {"# nothing\n", "no effect statement"},
        {"effect a.par\nemitter a\nemitter b\nemitter c\nemitter d\nemitter e\nemitter f\nemitter g\nemitter h\n"
         "emitter i\n", "line 10: more than 8 emitters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Result result = Run(Write("bad.fx", c.text).string());
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("bad.fx"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(root / "a.par"));
}

TEST_F(PartoolTest, CommandLine) {
    Result help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Usage: partool"), std::string::npos);
    EXPECT_NE(help.output.find("space local|world"), std::string::npos);
    EXPECT_EQ(Run("").status, 2);
    EXPECT_EQ(Run("--out").status, 2);
    Result unknown = Run("--fast x.fx");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown option --fast"), std::string::npos);
    Result missing = Run((root / "none.fx").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("cannot read"), std::string::npos);
    // Without --out the files go beside the description.
    Write("beside.fx", "effect beside.par\nemitter near\n");
    ASSERT_EQ(Run((root / "beside.fx").string()).status, 0);
    EXPECT_TRUE(fs::exists(root / "beside.par"));
    EXPECT_TRUE(fs::exists(root / "near"));
}

// Played: a burst of white dots around the start shows in the strip's first picture (at 100 ms) and
// is gone by the last (at 400 ms; the dots live 300 ms).
TEST_F(PartoolTest, PlayedEffectsShowOnTheirStrip) {
    fs::path source = Write("pop.fx", "effect pop.par\npicture dot.png glow 16\nemitter dots\ntexture dot.png\n"
                                      "particles 20\nrespawn 1\nspace world\ndelay 0 10\nlife 300\nfade 100\n"
                                      "start scale 12,12,1\nvelocity position -40,-40,0 40,40,0\n");
    ASSERT_EQ(Run("--out " + (root / "game/assets/fx/pop").string() + " " + source.string()).status, 0);
    fs::path strip = root / "pop.png";
    Result played = Run("play --ms 400 --frames 4 --size 100 " + (root / "game").string() + " assets/fx/pop/pop.par " +
                        strip.string());
    ASSERT_EQ(played.status, 0) << played.output;

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, strip.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    ASSERT_EQ(image.width, 400u);
    ASSERT_EQ(image.height, 100u);
    auto brightest = [&](int picture) {
        int most = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = picture * 100; x < picture * 100 + 100; ++x) most = std::max(most, int(pixels[(y * 400 + x) * 3]));
        return most;
    };
    EXPECT_GT(brightest(0), 200);
    EXPECT_LT(brightest(3), 80);

    struct Case {
        std::string arguments, message;
        int status;
    };
    const Case cases[] = {
        {"play " + (root / "game").string() + " assets/fx/none.par " + strip.string(), "has no emitters", 1},
        {"play --ms 0 a b c", "--ms 0 is out of range", 2},
        {"play --move 1 a b c", "bad option --move", 2},
        {"play a b", "Usage: partool", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Result result = Run(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
    }
}

}  // namespace
