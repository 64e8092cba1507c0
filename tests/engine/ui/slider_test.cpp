#include <limits>

#include "engine/graphics/texture.h"
#include "engine/ui/image.h"
#include "engine/ui/slider.h"
#include "tests/engine/ui/widget_fixture.h"

namespace {

class SliderTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        AddSolidPicture("pics/top.png", 12, 6, 0xFF303030);
        AddSolidPicture("pics/mid.png", 12, 4, 0xFF606060);
        AddSolidPicture("pics/bot.png", 12, 6, 0xFF909090);
        AddSolidPicture("pics/thumb.png", 10, 10, 0xFFC0C000);
        AddSolidPicture("pics/thumb_over.png", 10, 10, 0xFFFFFF00);
    }

    TSlider* MakeSlider(const std::string& fields) {
        return Create<TSlider>(dialog, "{ name = 's', railtop = 'pics/top.png', railmid = 'pics/mid.png', "
                                       "railbot = 'pics/bot.png', sliderimage = 'pics/thumb.png', "
                                       "sliderrollimage = 'pics/thumb_over.png', " + fields + " }");
    }
    bool ThumbRolledOver(TSlider* slider) const {
        return slider->GetThumb()->GetTexture() == TTexture::Get("pics/thumb_over.png");
    }
};

TEST_F(SliderTest, OrientationAndThickness) {
    struct Case {
        const char* fields;
        bool horizontal;
        TRect rect;
    } cases[] = {
        {"x = 10, y = 10, w = 20, h = 100", false, TRect(10, 10, 22, 110)},
        {"x = 10, y = 10, w = 200, h = 20", true, TRect(10, 10, 210, 22)},
        {"x = 10, y = 10, w = 200, h = 20, hslider = false", false, TRect(10, 10, 22, 30)},
        {"x = 10, y = 10, w = 20, h = 200, hslider = true", true, TRect(10, 10, 30, 22)},
        // The thumb set off across the rail widens the slider.
        {"x = 10, y = 10, w = 20, h = 100, yoffset = -5", false, TRect(10, 10, 25, 110)},
    };
    for (const Case& c : cases) {
        TSlider* slider = MakeSlider(c.fields);
        EXPECT_EQ(slider->IsHorizontal(), c.horizontal) << c.fields;
        EXPECT_EQ(slider->GetRect(), c.rect) << c.fields;
    }
}

TEST_F(SliderTest, DraggingTheThumbSetsTheValueAndTellsTheParent) {
    TSlider* slider = MakeSlider("x = 100, y = 100, w = 12, h = 100, value = 1.5");
    EXPECT_EQ(slider->GetValue(), 1.0f);
    EXPECT_TRUE(heard.empty()) << "the style's value is set silently";
    EXPECT_EQ(slider->GetThumb()->GetRect(), TRect(0, 90, 10, 100));

    MouseMove(105, 195);
    EXPECT_TRUE(ThumbRolledOver(slider));
    MouseDown(105, 195);
    MouseMove(105, 150);
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.5f);
    EXPECT_EQ(slider->GetThumb()->GetRect(), TRect(0, 45, 10, 55));
    // Outside the slider the drag and the capture go on.
    MouseMove(400, 50);
    EXPECT_EQ(slider->GetValue(), 0.0f);
    EXPECT_TRUE(manager->HasCapture(slider));
    MouseMove(400, 500);
    EXPECT_EQ(slider->GetValue(), 1.0f);
    MouseUp(400, 500);
    EXPECT_FALSE(ThumbRolledOver(slider));
    EXPECT_FALSE(manager->HasCapture(slider));
    EXPECT_EQ(heard, (std::vector<std::string>{"9:s", "9:s", "9:s", "10:s"}));
}

TEST_F(SliderTest, RailClicksAskForAPageStep) {
    TSlider* slider = MakeSlider("x = 100, y = 100, w = 200, h = 20, value = 0.5");
    EXPECT_EQ(slider->GetThumb()->GetRect(), TRect(95, 0, 105, 10));
    MouseDown(150, 105);
    MouseUp(150, 105);
    MouseDown(250, 105);
    MouseUp(250, 105);
    MouseDown(195, 105);  // on the thumb: a drag, no page step
    MouseUp(195, 105);
    EXPECT_EQ(slider->GetValue(), 0.5f);
    EXPECT_EQ(heard, (std::vector<std::string>{"11:s", "4:mouse:up", "12:s", "4:mouse:up", "10:s"}));
}

TEST_F(SliderTest, ASliderWithoutLengthKeepsItsValue) {
    TSlider* slider = MakeSlider("w = 0, h = 0, hslider = true, value = 0.25");
    ASSERT_EQ(slider->GetWidth(), 0);
    EXPECT_TRUE(slider->OnMouseDown({2, 2}));
    EXPECT_TRUE(slider->OnMouseMove({5, 2}));
    EXPECT_EQ(slider->GetValue(), 0.25f);
    slider->SetValue(std::numeric_limits<float>::quiet_NaN(), true);
    EXPECT_EQ(slider->GetValue(), 0.0f);
    EXPECT_EQ(heard, (std::vector<std::string>{}));
}

TEST_F(SliderTest, ASecondInitChangesOnlyTheWindowPart) {
    TSlider* slider = MakeSlider("x = 10, y = 10, w = 20, h = 100, value = 0.5");
    slider->Init(Style("{ name = 'again', x = 30, hslider = true, value = 0, sliderimage = 'pics/top.png' }"));
    EXPECT_STREQ(slider->GetName().CStr(), "again");
    EXPECT_FALSE(slider->IsHorizontal());
    EXPECT_EQ(slider->GetValue(), 0.5f);
    EXPECT_EQ(slider->GetThumb()->GetTexture(), TTexture::Get("pics/thumb.png"));
}

}  // namespace
