#include "engine/graphics/texture.h"
#include "engine/ui/image.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

class ImageTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        AddSolidPicture("pics/plank.png", 100, 40, 0xFF804020);
        AddSolidPicture("pics/glass.png", 100, 40, 0x80804020);
    }
};

TEST_F(ImageTest, SizeFollowsThePictureItsScaleAndTurn) {
    struct Case {
        const char* style;
        TRect rect;
    } cases[] = {
        {"{ image = 'pics/plank.png' }", TRect(0, 0, 100, 40)},
        {"{ image = 'pics/plank.png', scale = 1.5 }", TRect(0, 0, 150, 60)},
        {"{ image = 'pics/plank.png', scale = 1.5, rotate = true }", TRect(0, 0, 60, 150)},
        {"{ image = 'pics/plank.png', scale = 0.333 }", TRect(0, 0, 33, 13)},
        // The placement fills only what the picture left at 0: position yes, size no.
        {"{ image = 'pics/plank.png', x = 10, y = 20, w = 5, h = 5 }", TRect(10, 20, 110, 60)},
        {"{ image = '', x = 10, y = 20, w = 30, h = 7 }", TRect(10, 20, 40, 27)},
        // Bad input: no picture file, a scale that is no size, a string for a number.
        {"{ image = 'pics/none.png', w = 30, h = 7 }", TRect(0, 0, 30, 7)},
        {"{ image = 'pics/plank.png', scale = -2 }", TRect(0, 0, 100, 40)},
        {"{ image = 'pics/plank.png', scale = 'big' }", TRect(0, 0, 100, 40)},
    };
    for (const Case& c : cases) {
        TImage* image = Create<TImage>(dialog, c.style);
        EXPECT_EQ(image->GetRect(), c.rect) << c.style;
    }
    EXPECT_TRUE(Logged("style scale -2 is not above 0"));
}

TEST_F(ImageTest, TurningLaterSwapsTheSize) {
    TImage* image = Create<TImage>(dialog, "{ image = 'pics/plank.png', scale = 0.5 }");
    image->SetRotate(true);
    EXPECT_EQ(image->GetRect(), TRect(0, 0, 20, 50));
    image->SetRotate(false);
    EXPECT_EQ(image->GetRect(), TRect(0, 0, 50, 20));
}

TEST_F(ImageTest, CoversBelowOnlyWhenOpaqueThrough) {
    TImage* plank = Create<TImage>(dialog, "{ image = 'pics/plank.png' }");
    TImage* glass = Create<TImage>(dialog, "{ image = 'pics/glass.png' }");
    TImage* loadedWithAlpha = Create<TImage>(dialog, "{ image = 'pics/plank.png', alpha = true }");
    EXPECT_TRUE(plank->HasFlags(kWindowCovers | kWindowInTargetPass));
    EXPECT_FALSE(loadedWithAlpha->HasFlags(kWindowCovers));

    plank->SetAlpha(0.99f);
    EXPECT_FALSE(plank->HasFlags(kWindowCovers));
    plank->SetAlpha(1.0f);
    EXPECT_TRUE(plank->HasFlags(kWindowCovers));
    glass->SetAlpha(1.0f);
    EXPECT_FALSE(glass->HasFlags(kWindowCovers));
}

TEST_F(ImageTest, AMaskNamesTheAlphaOfThePicture) {
    AddPicture("pics/plank_mask.png", 100, 40, [](int x, int) { return x < 50 ? 0xFF000000 : 0xFFFFFFFF; });
    TImage* image = Create<TImage>(dialog, "{ image = 'pics/plank.png', mask = 'pics/plank_mask.png', alpha = true }");
    ASSERT_TRUE(image->HasTexture());
    EXPECT_EQ(image->GetRect(), TRect(0, 0, 100, 40));
    uint32_t* pixels = nullptr;
    int pitch = 0;
    TTexture& texture = *image->GetTexture();
    ASSERT_TRUE(texture.Lock(&pixels, &pitch));
    uint32_t left = pixels[20 * pitch + 10];
    uint32_t right = pixels[20 * pitch + 90];
    texture.Unlock();
    EXPECT_EQ(left >> 24, 0u);
    EXPECT_EQ(right >> 24, 0xFFu);
}

}  // namespace
