#include "engine/graphics/text_sprite.h"

#include <algorithm>
#include <cmath>

#include "tests/engine/graphics/sprite_fixture.h"

namespace {

const float kWhite[4] = {1, 1, 1, 1};

using TextSpriteTest = SpriteTest;

TEST_F(TextSpriteTest, FlagsChooseTheAnchorAndEmptyFontNamesKeepTheDefault) {
    struct Case {
        int flags;
        TVec2 anchor;
    };
    const Case cases[] = {{0, {0, 0}}, {1 | 8, {20, 12}}, {2 | 4, {40, 6}}, {1 | 2 | 4 | 8, {20, 6}}};
    for (const Case& c : cases) {
        std::shared_ptr<TSprite> sprite = TTextSprite::Create(40, 12, c.flags, nullptr, 10, kWhite, 0);
        auto& text = static_cast<TTextSprite&>(*sprite);
        EXPECT_EQ(text.GetAnchor().x, c.anchor.x) << c.flags;
        EXPECT_EQ(text.GetAnchor().y, c.anchor.y) << c.flags;
        EXPECT_EQ(text.GetBlock().GetFontName(), TString("__DEFAULT"));
        EXPECT_TRUE(sprite->IsKindOf(TSprite::ClassId()));
        EXPECT_TRUE(sprite->IsKindOf(TTextSprite::ClassId()));
        EXPECT_STREQ(sprite->GetClassName(), "TTextSprite");
    }
    std::shared_ptr<TSprite> empty = TTextSprite::Create(40, 12, 0, "", 10, kWhite, 0);
    EXPECT_EQ(static_cast<TTextSprite&>(*empty).GetBlock().GetFontName(), TString("__DEFAULT"));
}

TEST_F(TextSpriteTest, BoundsAreTheBoxPlacedLikeAPictureAndHitsAreHalfOpen) {
    std::shared_ptr<TSprite> sprite = TTextSprite::Create(40, 12, 0, nullptr, 10, kWhite, 0);
    MoveTo(*sprite, 30, 20);
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(10, 14, 50, 26));
    EXPECT_TRUE(sprite->HitTest({10, 14}, TSpriteState(), 128, -1));
    EXPECT_FALSE(sprite->HitTest({50, 20}, TSpriteState(), 128, -1));
    sprite->GetState().flags |= TSpriteState::kUseAnchor;
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(30, 20, 70, 32));
    sprite->SetVisible(false);
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(10000000, 10000000, -10000000, -10000000));
    EXPECT_FALSE(sprite->HitTest({35, 25}, TSpriteState(), -1, -1));
}

// The bounds of the lit pixels on the screen: left, top, right, bottom (exclusive).
TRect LitBounds(const std::function<uint32_t(int, int)>& back) {
    TRect lit(64, 48, 0, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if ((back(x, y) & 0xFF00) > 0x4000) lit = TRect(std::min(lit.left, x), std::min(lit.top, y),
                                                             std::max(lit.right, x + 1), std::max(lit.bottom, y + 1));
    return lit;
}

// The point of the box named by the flags stands on the sprite's position: a right-aligned label
// ends there, a centred one is centred on it, one without flags hangs from it to the right.
TEST_F(TextSpriteTest, TheAnchorOfTheBoxStandsOnTheSpritesPosition) {
    auto back = [this](int x, int y) { return Back(x, y); };
    const TVec2 position(32, 24);
    for (int flags : {0, 1 | 4, 2 | 4}) {
        std::shared_ptr<TSprite> sprite = TTextSprite::Create(60, 40, flags, nullptr, 10, kWhite, 0);
        static_cast<TTextSprite&>(*sprite).SetText("HHH");
        MoveTo(*sprite, position.x, position.y);
        DrawFrame(*sprite);
        TRect lit = LitBounds(back);
        ASSERT_LT(lit.left, lit.right) << flags;
        if (flags == 0) {
            EXPECT_NEAR(lit.left, position.x, 3) << flags;
            EXPECT_GE(lit.top, position.y) << flags;
            EXPECT_LT(lit.top, position.y + 10) << flags;
        } else {
            EXPECT_NEAR((lit.top + lit.bottom) / 2.0, position.y, 2) << flags;
            double x = flags & 1 ? (lit.left + lit.right) / 2.0 : lit.right;
            EXPECT_NEAR(x, position.x, 2) << flags;
        }
    }
}

TEST_F(TextSpriteTest, ARotatedParentTurnsTheTextAboutTheTransformedAnchor) {
    auto back = [this](int x, int y) { return Back(x, y); };
    std::shared_ptr<TSprite> parent = TSprite::Create(0);
    // Anchored at the middle of the box's left edge: the text runs to the right of it.
    std::shared_ptr<TSprite> sprite = TTextSprite::Create(40, 12, 4, nullptr, 10, kWhite, 0);
    static_cast<TTextSprite&>(*sprite).SetText("HHHHHH");
    parent->AddChild(sprite);
    MoveTo(*parent, 12, 6);

    DrawFrame(*parent);
    TRect flat = LitBounds(back);
    ASSERT_GT(flat.Width(), flat.Height());
    EXPECT_NEAR(flat.left, 12, 3);
    EXPECT_NEAR((flat.top + flat.bottom) / 2.0, 6, 2);

    parent->GetState().transform.Rotate(3.14159265f / 2);
    TVec2 pivot = parent->GetState().transform.Transform(TVec2(0, 0));
    DrawFrame(*parent);
    TRect turned = LitBounds(back);
    EXPECT_NEAR(turned.Width(), flat.Height(), 2);
    EXPECT_NEAR(turned.Height(), flat.Width(), 2);
    // The text turned a quarter about the anchor: what lay right of it now lies below it.
    double flatX = (flat.left + flat.right) / 2.0 - 12, flatY = (flat.top + flat.bottom) / 2.0 - 6;
    EXPECT_NEAR((turned.left + turned.right) / 2.0, pivot.x - flatY, 1.5);
    EXPECT_NEAR((turned.top + turned.bottom) / 2.0, pivot.y + flatX, 1.5);
}

TEST_F(TextSpriteTest, TheSpritesAlphaFadesTheText) {
    std::shared_ptr<TSprite> sprite = TTextSprite::Create(64, 48, 0, nullptr, 22, kWhite, 0);
    static_cast<TTextSprite&>(*sprite).SetText("HH");
    auto brightest = [this] {
        uint32_t most = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) most = std::max(most, (Back(x, y) >> 8) & 0xFF);
        return most;
    };
    DrawFrame(*sprite);
    EXPECT_GT(brightest(), 0xF0u);
    sprite->GetState().alpha = 0.5f;
    DrawFrame(*sprite);
    EXPECT_NEAR(static_cast<double>(brightest()), 0x80, 0x10);
}

}  // namespace
