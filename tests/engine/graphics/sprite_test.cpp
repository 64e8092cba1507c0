#include "tests/engine/graphics/sprite_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

TEST_F(SpriteTest, ChildrenBelowLayerZeroDrawBehindTheParentWhateverItsLayer) {
    // Parent: red 8 x 8 centred on (20, 20) -> pixels 16..23. Children overlap its right half.
    auto parent = TSprite::Create(5, Solid(8, 8, kRed));
    MoveTo(*parent, 20, 20);
    auto behind = TSprite::Create(-1, Solid(8, 8, kGreen));
    MoveTo(*behind, 4, -4);  // pixels 20..27 x 12..19: overlaps the parent's 20..23 x 16..19
    auto front = TSprite::Create(0, Solid(8, 8, kBlue));
    MoveTo(*front, 4, 4);  // pixels 20..27 x 20..27
    parent->AddChild(front);
    parent->AddChild(behind);
    ASSERT_EQ(parent->GetChildren().front(), behind);

    DrawFrame(*parent);
    EXPECT_EQ(Back(21, 17), 0xFF0000u);  // the parent over the green child
    EXPECT_EQ(Back(25, 14), 0x00FF00u);  // green where the parent is not
    EXPECT_EQ(Back(21, 21), 0x0000FFu);  // blue over the parent
    EXPECT_EQ(Back(17, 21), 0xFF0000u);
    EXPECT_EQ(Back(24, 20), 0x0000FFu);
    EXPECT_EQ(Back(28, 20), 0u);

    DrawFrame(*parent, 0);  // the parent alone
    EXPECT_EQ(Back(25, 14), 0u);
    EXPECT_EQ(Back(21, 21), 0xFF0000u);

    parent->SetVisible(false);
    DrawFrame(*parent);
    EXPECT_EQ(Back(21, 21), 0u);
}

TEST_F(SpriteTest, MirrorBitsComposeByExclusiveOr) {
    // 2 x 1: red left, blue right.
    auto picture = Paint(2, 1, [](int x, int) { return x == 0 ? kRed : kBlue; });
    struct Case {
        uint32_t parentFlags, childFlags;
        uint32_t left, right;
    };
    const Case cases[] = {
        {0, 0, 0xFF0000, 0x0000FF},
        {1, 0, 0x0000FF, 0xFF0000},
        {0, 1, 0x0000FF, 0xFF0000},
        {1, 1, 0xFF0000, 0x0000FF},
        {2, 1, 0x0000FF, 0xFF0000},  // a vertical mirror of one row changes nothing across
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parentFlags << "/" << c.childFlags);
        auto parent = TSprite::Create(0);
        parent->GetState().flags = c.parentFlags;
        MoveTo(*parent, 10, 10);
        auto child = TSprite::Create(0, picture);
        child->GetState().flags = c.childFlags;
        parent->AddChild(child);
        DrawFrame(*parent);
        EXPECT_EQ(Back(9, 9), c.left);
        EXPECT_EQ(Back(10, 9), c.right);
    }
}

TEST_F(SpriteTest, AlphaMultipliesDownTheTreeButColourDoesNot) {
    auto parent = TSprite::Create(0);
    parent->GetState().alpha = 0.5f;
    parent->GetState().colour[1] = 0.0f;  // the parent's colour does not reach the child
    MoveTo(*parent, 10, 10);
    auto child = TSprite::Create(0, Solid(4, 4, 0xFFFFFFFF));
    child->GetState().alpha = 0.5f;
    parent->AddChild(child);
    DrawFrame(*parent);
    // Vertex alpha 0.25 -> 63 of 255 over black.
    EXPECT_EQ(Back(9, 9), 0x3F3F3Fu);

    TSpriteState composed = TSpriteState::Compose(child->GetState(), parent->GetState());
    EXPECT_FLOAT_EQ(composed.alpha, 0.25f);
    EXPECT_EQ(composed.colour[1], 1.0f);
}

TEST_F(SpriteTest, SourceRectAnchorAndScalePlaceThePicture) {
    // 4 x 4 quadrants: red, green / blue, white.
    auto picture = Paint(4, 4, [](int x, int y) {
        return y < 2 ? (x < 2 ? kRed : kGreen) : (x < 2 ? kBlue : 0xFFFFFFFF);
    });
    auto sprite = TSprite::Create(0, picture);
    TSpriteState& state = sprite->GetState();
    state.flags = TSpriteState::kUseSourceRect | TSpriteState::kUseAnchor;
    state.sourceRect = TRect(2, 0, 4, 2);  // the green quadrant
    state.anchor = TVec2(0, 0);
    MoveTo(*sprite, 30, 30);
    DrawFrame(*sprite);
    EXPECT_EQ(Back(30, 30), 0x00FF00u);
    EXPECT_EQ(Back(31, 31), 0x00FF00u);
    EXPECT_EQ(Back(32, 31), 0u);
    EXPECT_EQ(Back(29, 30), 0u);
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(30, 30, 32, 32));

    TSpriteState scaled(TVec2(10, 10), 1.0f, 2.0f);
    EXPECT_EQ(sprite->GetRect(scaled, -1), TRect(70, 70, 74, 74));
}

TEST_F(SpriteTest, BoundsMergeChildrenAndRoundToNearest) {
    auto root = TSprite::Create(0);
    EXPECT_EQ(root->GetRect(TSpriteState(), -1), TRect(10000000, 10000000, -10000000, -10000000));
    auto child = TSprite::Create(1, Solid(5, 3, kRed));
    MoveTo(*child, 10, 10);  // corners 7.5 .. 12.5, 8.5 .. 11.5
    root->AddChild(child);
    EXPECT_EQ(root->GetRect(TSpriteState(), -1), TRect(8, 9, 13, 12));
    EXPECT_EQ(root->GetRect(TSpriteState(), 0), TRect(10000000, 10000000, -10000000, -10000000));
    TSpriteState moved(TVec2(-20, 0.25f));
    EXPECT_EQ(root->GetRect(moved, -1), TRect(-12, 9, -7, 12));
}

TEST_F(SpriteTest, ChildrenKeepLayerOrderStably) {
    auto root = TSprite::Create(0);
    auto a = TSprite::Create(2), b = TSprite::Create(1), c = TSprite::Create(2), d = TSprite::Create(-3);
    for (auto& s : {a, b, c, d}) root->AddChild(s);
    std::vector<TSprite*> order;
    for (auto& s : root->GetChildren()) order.push_back(s.get());
    EXPECT_EQ(order, (std::vector<TSprite*>{d.get(), b.get(), a.get(), c.get()}));

    b->SetLayer(2);  // equal layers keep their order in the list: b stays before a
    order.clear();
    for (auto& s : root->GetChildren()) order.push_back(s.get());
    EXPECT_EQ(order, (std::vector<TSprite*>{d.get(), b.get(), a.get(), c.get()}));
    a->SetLayer(5);
    EXPECT_EQ(root->GetChildren().back(), a);

    EXPECT_TRUE(root->RemoveChild(c));
    EXPECT_EQ(c->GetParent(), nullptr);
    EXPECT_FALSE(root->RemoveChild(c));
    EXPECT_EQ(root->GetChildren().size(), 3u);
}

TEST_F(SpriteTest, LiveSpritesArePublishedAndOrphanChildrenOnDeath) {
    int before = TSprite::LiveCount();
    auto child = TSprite::Create(0);
    {
        auto parent = TSprite::Create(0);
        parent->AddChild(child);
        EXPECT_EQ(GetConfig("current_sprite_count").ToInt(), before + 2);
    }
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(GetConfig("current_sprite_count").ToInt(), before + 1);
    child.reset();
    EXPECT_EQ(GetConfig("current_sprite_count").ToInt(), before);
}

TEST_F(SpriteTest, RectangleHitTestIsHalfOpen) {
    auto sprite = TSprite::Create(0, Solid(4, 4, kRed));
    MoveTo(*sprite, 10, 10);  // bounds {8, 8, 12, 12}
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {{8, 8, true}, {11, 11, true}, {12, 10, false}, {10, 12, false}, {7, 10, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(sprite->HitTest(TPoint{c.x, c.y}, TSpriteState(), -1, -1), c.hit);
        EXPECT_EQ(sprite->HitTest(TPoint{c.x, c.y}, TSpriteState(), 1, -1), c.hit);
    }
    sprite->SetVisible(false);
    EXPECT_FALSE(sprite->HitTest(TPoint{10, 10}, TSpriteState(), -1, -1));
}

TEST_F(SpriteTest, PixelHitTestReadsTheDrawnAlpha) {
    // 8 x 2: alpha 0, 0x10, 0x80, 0xF0, 0xFA, 0xFF, 0xFF, 0 from left to right.
    const uint32_t alphas[8] = {0, 0x10, 0x80, 0xF0, 0xFA, 0xFF, 0xFF, 0};
    auto sprite = TSprite::Create(0, Paint(8, 2, [&](int x, int) { return alphas[x] << 24 | 0xFFFFFF; }));
    MoveTo(*sprite, 20, 20);  // pixels 16..23 x 19..20
    struct Case {
        int x, threshold;
        bool hit;
    };
    const Case cases[] = {
        {16, 1, false}, {17, 1, true},    {17, 0x11, false}, {18, 0x80, true},
        {18, 0x81, false}, {19, 240, true}, {19, 250, false}, {21, 255, true}, {23, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " threshold " << c.threshold);
        EXPECT_EQ(sprite->HitTest(TPoint{c.x, 20}, TSpriteState(), c.threshold, -1), c.hit);
    }
}

TEST_F(SpriteTest, SixteenBitDisplaysRoundHighThresholdsToTheirFourAlphaBits) {
    platform->Data()->lowMemoryVideo = true;
    platform->SetDisplay(640, 480, true, true, false, false);
    ASSERT_EQ(renderer->GetOption("16bitmode"), TString("1"));
    // Alpha 0xFA is kept as 0xF0 by a four-bit alpha channel.
    auto sprite = TSprite::Create(0, Solid(4, 4, 0xFAFFFFFF));
    MoveTo(*sprite, 10, 10);
    EXPECT_TRUE(sprite->HitTest(TPoint{10, 10}, TSpriteState(), 250, -1));
    EXPECT_TRUE(sprite->HitTest(TPoint{10, 10}, TSpriteState(), 240, -1));
}

TEST_F(SpriteTest, TexturelessSpritesAreHitThroughChildrenOnlyWhenAsked) {
    auto root = TSprite::Create(0);
    auto child = TSprite::Create(0, Solid(4, 4, kRed));
    MoveTo(*child, 10, 10);
    root->AddChild(child);
    EXPECT_FALSE(root->HitTest(TPoint{10, 10}, TSpriteState(), 1, -1));
    SetConfig("hittestchildren", "1");
    EXPECT_TRUE(root->HitTest(TPoint{10, 10}, TSpriteState(), 1, -1));
    EXPECT_FALSE(root->HitTest(TPoint{10, 10}, TSpriteState(), 1, 0));
}


TEST_F(SpriteTest, TextureDrawsHonourTheBlendModeAndDrawAt) {
    auto red = Solid(4, 4, kRed);
    auto sprite = TSprite::Create(0, red);
    MoveTo(*sprite, 10, 10);
    sprite->GetState().mode = BlendAdditive;
    ASSERT_TRUE(renderer->BeginDraw(1));
    const float green[4] = {0, 1, 0, 1};
    renderer->FillRect(TRect(0, 0, 64, 48), green);
    ASSERT_TRUE(renderer->Begin2d());
    sprite->Draw(TSpriteState(), -1);
    // Twice the size, half the red: (x, y) is the centre.
    red->DrawAt(30, 30, 2, 2, 0, TColor(0x80808080u));
    renderer->End2d();
    renderer->EndDraw();
    EXPECT_EQ(Back(9, 9), 0xFFFF00u);  // red added to green
    EXPECT_EQ(Back(26, 26), 0x40FF00u);  // the blend stays additive: 0x80 red at alpha 0x80 added
    EXPECT_EQ(Back(33, 33), 0x40FF00u);
    EXPECT_EQ(Back(34, 34), 0x00FF00u);

    // Outside a frame nothing is drawn (and nothing breaks).
    red->DrawAt(30, 30, 1, 1, 0, TColor(0xFFFFFFFFu));
    red->Draw(TSpriteState());
}

}  // namespace
