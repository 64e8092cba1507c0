// Text drawn through the renderer into the headless display, compared with stored reference pictures.
#include "engine/graphics/textblock.h"
#include "engine/graphics/vecdraw_renderer.h"
#include "tests/engine/graphics/display_fixture.h"

#include <cstdlib>

namespace {

constexpr int kWidth = 320, kHeight = 40;
const float kWhite[4] = {1, 1, 1, 1};

class TextRenderTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        platform = Make();
        platform->SetDisplay(kWidth, kHeight, false, false, false, false);
        ASSERT_TRUE(platform->Data()->displayReady);
        TRenderer::Get()->PushClipRect(platform->Data()->modeRect);
    }

    // The green channel of the back buffer after drawing the block, as a grey picture.
    std::string Render(TTextBlock& block) {
        TRenderer* renderer = TRenderer::Get();
        EXPECT_TRUE(renderer->BeginDraw(1));
        EXPECT_TRUE(renderer->Begin2d());
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(TRect(0, 0, kWidth, kHeight), black);
        block.Draw(4, 4, kHeight, 1.0f, 0, true);
        renderer->End2d();
        renderer->EndDraw();
        std::string grey;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) grey += static_cast<char>((platform->Data()->backSurface->Pixel(x, y) >> 8) & 0xFF);
        return grey;
    }

    TPlatform* platform = nullptr;
};

std::string ReferencePath(int size) {
    return std::string(ALEMBRIA_SOURCE_DIR) + "/tests/engine/graphics/data/text_" + std::to_string(size) + ".pgm";
}

std::string Header() { return "P5 " + std::to_string(kWidth) + " " + std::to_string(kHeight) + " 255\n"; }

}  // namespace

TEST_F(TextRenderTest, StringsMatchTheirReferencePictures) {
    for (int size : {10, 16, 22}) {
        TTextBlock* block = TTextBlock::Create("Tessa's <b>potions</b>: 12 gold, <i>fast!</i>", kWidth, kHeight, 0,
                                               "__DEFAULT", size, kWhite);
        std::string picture = Render(*block);
        TTextBlock::Destroy(block);
        if (std::getenv("ALEMBRIA_WRITE_REFERENCES")) std::ofstream(ReferencePath(size), std::ios::binary) << Header() << picture;
        std::ifstream in(ReferencePath(size), std::ios::binary);
        std::stringstream stored;
        stored << in.rdbuf();
        ASSERT_EQ(stored.str().substr(0, Header().size()), Header()) << "missing reference " << ReferencePath(size);
        EXPECT_TRUE(stored.str().substr(Header().size()) == picture) << "size " << size << " differs from its reference";
        int lit = 0;
        for (char c : picture) lit += static_cast<unsigned char>(c) > 128;
        EXPECT_GT(lit, size * 20) << size;
    }
}

TEST_F(TextRenderTest, ACachedReplayEqualsAFreshScan) {
    TTextBlock* block = TTextBlock::Create("Replay", kWidth, kHeight, 0, "__DEFAULT", 16, kWhite);
    std::string first = Render(*block);
    std::string second = Render(*block);
    EXPECT_TRUE(first == second);
    TTextBlock::Destroy(block);
}

TEST_F(TextRenderTest, CalibrationSettlesOnTheRasterisersOffsets) {
    TQvMiniVecDraw& draw = GetVectorRenderer();
    draw.SetPixelOffsets(0, 0, 0);
    draw.Render();
    EXPECT_FLOAT_EQ(draw.startOffset, -0.75f);
    EXPECT_FLOAT_EQ(draw.endOffset, -0.75f);
    EXPECT_FLOAT_EQ(draw.yOffset, 0.25f);
}
