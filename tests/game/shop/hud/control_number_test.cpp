#include "game/shop/hud/control_number.h"

#include "engine/graphics/animated_sprite.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

class ControlNumberTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        AddAnimation("anim/numbers", 12);
    }
    static std::vector<int> Frames(const clsControlNumber& number) {
        std::vector<int> frames;
        for (const auto& digit : number.GetDigits()) frames.push_back(digit->GetAnimation().GetCurrentFrame());
        return frames;
    }
};

TEST_F(ControlNumberTest, CharactersMapToTheFramesOfTheNumbersPicture) {
    const struct {
        char character;
        int frame;
    } table[] = {{'1', 0}, {'5', 4}, {'9', 8}, {'0', 9}, {'-', 10}, {'+', 11}, {' ', -1}, {'a', -1}, {'.', -1}};
    for (const auto& c : table) EXPECT_EQ(clsControlNumber::DigitFrameOf(c.character), c.frame) << c.character;
}

TEST_F(ControlNumberTest, TheSignComesFirstAndDigitsFollowTenPixelsApart) {
    clsControlNumber negative(scene.get());
    negative.SetValue(-42, TVec2(100, 200));
    EXPECT_EQ(Frames(negative), (std::vector<int>{10, 3, 1}));
    ASSERT_EQ(negative.GetDigits().size(), 3u);
    EXPECT_EQ(negative.GetDigits()[2]->GetPosition(), TVec2(120, 200));

    clsControlNumber zero(scene.get());
    zero.SetValue(0, TVec2());
    EXPECT_EQ(Frames(zero), (std::vector<int>{11, 9}));

    clsControlNumber largest(scene.get());
    largest.SetValue(-999, TVec2());
    EXPECT_EQ(largest.GetDigits().size(), 4u);
    for (int outside : {1000, -1000}) {
        clsControlNumber number(scene.get());
        number.SetValue(outside, TVec2());
        EXPECT_TRUE(number.GetDigits().empty()) << outside;
        EXPECT_EQ(number.GetTimeShownSecs(), -1.0f);
    }
}

TEST_F(ControlNumberTest, TheNumberRisesAndGrowsThenStopsAtOneAndAHalfSeconds) {
    clsControlNumber number(scene.get());
    number.SetValue(7, TVec2(50, 100));
    Step(0.5f, number);
    EXPECT_EQ(number.GetDigits()[0]->GetPosition(), TVec2(50, 85));
    EXPECT_FLOAT_EQ(number.GetDigits()[1]->GetScale().x, 1.1f);
    Step(0.5f, number);
    EXPECT_EQ(number.GetState(), clsControlNumber::kShowing);
    Step(0.5f, number);
    EXPECT_EQ(number.GetState(), clsControlNumber::kFinished);
    EXPECT_EQ(number.GetDigits()[0]->GetPosition(), TVec2(50, 70)) << "no move on the finishing update";
    Step(0.5f, number);
    EXPECT_FLOAT_EQ(number.GetTimeShownSecs(), 1.5f);
}

}  // namespace
