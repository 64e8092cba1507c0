// Widgets drawn by the real rasteriser into the headless display, compared with a stored picture.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/graphics/image_decode.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/slider.h"
#include "engine/ui/text.h"
#include "tests/engine/graphics/image_fixtures.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

constexpr int kShotWidth = 160, kShotHeight = 80;

std::string ReferencePath() {
    return std::string(ALEMBRIA_SOURCE_DIR) + "/tests/engine/ui/data/widgets.png";
}

class WidgetDrawingTest : public WidgetTest {
protected:
    // The top-left of the frame as red, green, blue samples.
    std::vector<uint16_t> Shot() {
        std::vector<uint16_t> samples;
        for (int y = 0; y < kShotHeight; ++y) {
            for (int x = 0; x < kShotWidth; ++x) {
                uint32_t rgb = Pixel(x, y);
                samples.insert(samples.end(), {uint16_t(rgb >> 16), uint16_t((rgb >> 8) & 0xFF), uint16_t(rgb & 0xFF)});
            }
        }
        return samples;
    }

    // The stored reference in the same form; empty when there is none.
    static std::vector<uint16_t> Reference() {
        std::ifstream in(ReferencePath(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::string data = bytes.str();
        TMemoryImageSource source(data.data(), data.size());
        TDecodedImage image;
        std::vector<uint16_t> samples;
        if (!DecodePng(source, &image) || image.width != kShotWidth || image.height != kShotHeight) return samples;
        for (int y = 0; y < kShotHeight; ++y) {
            for (int x = 0; x < kShotWidth; ++x) {
                uint32_t argb = image.pixels[static_cast<size_t>(y) * image.side + x];
                samples.insert(samples.end(), {uint16_t((argb >> 16) & 0xFF), uint16_t((argb >> 8) & 0xFF),
                                               uint16_t(argb & 0xFF)});
            }
        }
        return samples;
    }
};

TEST_F(WidgetDrawingTest, PicturesTextAndSliderMatchTheirReference) {
    // A picture whose corners can be told apart: red grows to the right, green downwards.
    AddPicture("pics/corner.png", 16, 8, [](int x, int y) { return 0xFF000040u | (x * 16u) << 16 | (y * 32u) << 8; });
    AddSolidPicture("pics/rail.png", 8, 4, 0xFF5060A0);
    AddSolidPicture("pics/knob.png", 10, 10, 0xFFF0C020);
    AddSolidPicture("pics/up.png", 24, 16, 0xFF208020);
    screen->SetAlwaysClear(true);
    screen->SetBackground(0, 0, 0, 1);

    Create<TImage>(dialog, "{ image = 'pics/corner.png', x = 4, y = 4 }");
    Create<TImage>(dialog, "{ image = 'pics/corner.png', x = 24, y = 4, hflip = true }");
    Create<TImage>(dialog, "{ image = 'pics/corner.png', x = 44, y = 4, rotate = true }");
    Create<TImage>(dialog, "{ image = 'pics/corner.png', x = 56, y = 4, scale = 0.5, vflip = true }");
    Create<TButton>(dialog, "{ name = 'b', x = 120, y = 4, graphics = { 'pics/up.png' } }");
    Create<TText>(dialog, "{ x = 4, y = 24, w = 150, h = 24, label = 'Potions <b>12</b>', "
                          "font = { '__DEFAULT', 16, { 1, 1, 1, 1 } } }");
    Create<TSlider>(dialog, "{ name = 's', x = 4, y = 60, w = 120, h = 10, railmid = 'pics/rail.png', "
                            "sliderimage = 'pics/knob.png', value = 0.5 }");
    Idle();

    std::vector<uint16_t> shot = Shot();
    if (std::getenv("ALEMBRIA_WRITE_REFERENCES")) {
        Bytes png = WritePng(MakePng(kShotWidth, kShotHeight, PNG_COLOR_TYPE_RGB, 8, shot));
        std::ofstream(ReferencePath(), std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
    }
    std::vector<uint16_t> reference = Reference();
    ASSERT_FALSE(reference.empty()) << "missing reference " << ReferencePath()
                                    << " (ALEMBRIA_WRITE_REFERENCES=1 writes it)";
    EXPECT_TRUE(shot == reference) << "the drawn widgets differ from " << ReferencePath();

    // Spot checks that do not depend on the reference.
    EXPECT_EQ(Pixel(4, 4), 0x000040u) << "the picture's top-left";
    EXPECT_EQ(Pixel(24, 4), 0xF00040u) << "mirrored: its top-right";
    EXPECT_EQ(Pixel(51, 4), 0x000040u) << "turned clockwise: the top-left goes to the top-right";
    EXPECT_EQ(Pixel(120, 4), 0x208020u);
}

}  // namespace
