#include <string>

#include "tests/engine/graphics/animation_fixture.h"

namespace {

TEST_F(AnimatedTextureTest, LoadsOnceAndSharesUnderItsKey) {
    Add("anim/blink.xml", std::string(kBlink));
    Add("anim/blink.png", Sheet());
    auto blink = TAnimatedTexture::Get("", "", "anim/blink");
    ASSERT_NE(blink, nullptr);
    EXPECT_EQ(TAnimatedTexture::Get("", "", "anim/blink"), blink);
    EXPECT_EQ(AssetCast<TAnimatedTexture>(manager.FindAsset("::anim/blink")), blink);
    EXPECT_TRUE(blink->IsKindOf(TTexture::ClassId()));
    EXPECT_EQ(blink->GetFrameCount(), 3);
    EXPECT_TRUE(blink->HasAlpha());
    EXPECT_EQ(blink->GetFolder(), TString("anim/"));

    EXPECT_EQ(TAnimatedTexture::Get("", "", "anim/none"), nullptr);
}

TEST_F(AnimatedTextureTest, TheSheetIsLookedForBesideTheDescriptionThenAsWritten) {
    Add("anim/near.xml", std::string(kBlink));
    Add("blink.png", Sheet());
    EXPECT_NE(TAnimatedTexture::Get("", "", "anim/near.xml"), nullptr);
    Add("anim/lost.xml", std::string(kBlink).replace(std::string(kBlink).find("blink.png"), 9, "gone.png"));
    EXPECT_EQ(TAnimatedTexture::Get("", "", "anim/lost.xml"), nullptr);
    // An image given by the caller replaces the description's sheet.
    Add("other.png", Sheet());
    EXPECT_NE(TAnimatedTexture::Get("other.png", "", "anim/lost.xml"), nullptr);
}

TEST_F(AnimatedTextureTest, CurrentFrameIsKeptWithinTheFrames) {
    Add("anim/blink.xml", std::string(kBlink));
    Add("anim/blink.png", Sheet());
    auto blink = TAnimatedTexture::Get("", "", "anim/blink");
    ASSERT_NE(blink, nullptr);
    EXPECT_EQ(blink->GetWidth(), 0);  // no frame chosen yet
    blink->SetCurrentFrame(1);
    EXPECT_EQ(blink->GetCurrentFrame(), 1);
    EXPECT_EQ(blink->GetWidth(), 4);
    blink->SetCurrentFrame(3);
    blink->SetCurrentFrame(-2);
    EXPECT_EQ(blink->GetCurrentFrame(), 1);
    blink->SetCurrentFrame(-1);
    EXPECT_EQ(blink->GetHeight(), 0);
    int x = 0, y = 0;
    EXPECT_TRUE(blink->GetRegistrationPoint(1, &x, &y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    EXPECT_FALSE(blink->GetRegistrationPoint(3, &x, &y));
}

TEST_F(AnimatedTextureTest, DrawsTheCurrentFrameAtItsRegistrationPoint) {
    Add("anim/blink.xml", std::string(kBlink));
    Add("anim/blink.png", Sheet());
    auto blink = TAnimatedTexture::Get("", "", "anim/blink");
    ASSERT_NE(blink, nullptr);
    auto sprite = TSprite::Create(0, blink);
    MoveTo(*sprite, 20, 20);
    struct Case {
        int frame;
        uint32_t flags;
        int left, top, right, bottom;  // the drawn pixels, inclusive
        uint32_t colour;               // at the top-left one
    };
    const Case cases[] = {
        {0, 0, 20, 20, 23, 23, 0xFF0000},
        {1, 0, 19, 18, 22, 21, 0x007F00},  // registration point (1, 2), alpha 0.5
        {1, TSpriteState::kMirrorX, 17, 18, 20, 21, 0x007F00},  // x of the point mirrored: 4 - 1
        {2, 0, 20, 20, 27, 27, 0xFF0000},  // the frame's own transform doubles it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frame " << c.frame << " flags " << c.flags);
        blink->SetCurrentFrame(c.frame);
        sprite->GetState().flags = c.flags;
        DrawFrame(*sprite);
        EXPECT_EQ(Back(c.left, c.top), c.colour);
        EXPECT_NE(Back(c.right, c.bottom), 0u);  // (filtered where the frame is scaled)
        EXPECT_EQ(Back(c.left - 1, c.top), 0u);
        EXPECT_EQ(Back(c.right + 1, c.bottom), 0u);
        EXPECT_EQ(Back(c.left, c.top - 1), 0u);
        EXPECT_EQ(Back(c.right, c.bottom + 1), 0u);
    }
    // No current frame: nothing at all.
    blink->SetCurrentFrame(-1);
    sprite->GetState().flags = 0;
    DrawFrame(*sprite);
    EXPECT_EQ(Back(20, 20), 0u);
}

TEST_F(AnimatedTextureTest, ABinaryDescriptionWithoutFramesDrawsNothing) {
    // "ANIM", unused, version 2, name, source, "IMGN", 4 ints, image, mask, "FRMS", 0 frames.
    Bytes anm;
    auto raw = [&](const void* p, size_t n) {
        anm.insert(anm.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    };
    auto i32 = [&](int v) { raw(&v, 4); };
    auto str = [&](const std::string& s) {
        i32(static_cast<int>(s.size()));
        raw(s.data(), s.size());
    };
    raw("ANIM", 4), i32(0), i32(2), str("empty"), str("");
    raw("IMGN", 4), i32(0), i32(0), i32(8), i32(4), str("blink.png"), str("");
    raw("FRMS", 4), i32(0);
    Add("anim/empty.anm", anm);
    Add("anim/blink.png", Sheet());
    auto empty = TAnimatedTexture::Get("", "", "anim/empty");
    if (!empty) return;  // refusing the description is as good
    auto sprite = TSprite::Create(0, empty);
    MoveTo(*sprite, 20, 20);
    empty->SetCurrentFrame(0);
    DrawFrame(*sprite);
    EXPECT_EQ(Back(20, 20), 0u);
    EXPECT_EQ(empty->GetWidth(), 0);
}

TEST_F(AnimatedTextureTest, XmlAndBinaryDescriptionsDrawTheSameFrames) {
    Add("anim/blink.xml", std::string(kBlink));
    Add("anim/twin.anm", BlinkAnm(""));
    Add("anim/blink.png", Sheet());
    auto xml = TAnimatedTexture::Get("", "", "anim/blink");
    auto anm = TAnimatedTexture::Get("", "", "anim/twin");
    ASSERT_NE(xml, nullptr);
    ASSERT_NE(anm, nullptr);
    ASSERT_EQ(anm->GetFrameCount(), xml->GetFrameCount());
    EXPECT_EQ(anm->GetScript(), xml->GetScript());  // both made up: every frame in turn
    for (int frame = 0; frame < xml->GetFrameCount(); ++frame) {
        SCOPED_TRACE(frame);
        std::vector<uint32_t> drawn[2];
        for (int i = 0; i < 2; ++i) {
            std::shared_ptr<TAnimatedTexture> texture = i == 0 ? xml : anm;
            texture->SetCurrentFrame(frame);
            auto sprite = TSprite::Create(0, texture);
            MoveTo(*sprite, 20, 20);
            DrawFrame(*sprite);
            for (int y = 14; y < 30; ++y)
                for (int x = 14; x < 30; ++x) drawn[i].push_back(Back(x, y));
        }
        EXPECT_EQ(drawn[0], drawn[1]);
    }
}

TEST_F(AnimatedTextureTest, TheAssetMapLoadsDescriptionsByName) {
    RegisterAnimatedTextureAssetKinds();
    Add("anim/blink.xml", std::string(kBlink));
    Add("anim/blink.png", Sheet());
    TAssetMap map;
    map.AddAsset("anim/blink.xml", nullptr, false);
    auto blink = map.GetTexture<TAnimatedTexture>("anim/blink.xml");
    ASSERT_NE(blink, nullptr);
    EXPECT_EQ(TAnimatedTexture::Get("", "", "anim/blink.xml"), blink);
    UnregisterAssetKind("xml");
    UnregisterAssetKind("anm");
}

TEST_F(AnimatedTextureTest, ASheetTakesItsAlphaFromTheMaskBesideIt) {
    std::string xml = kBlink;
    xml.replace(xml.find("mask=\"\""), 7, "mask=\"half.png\"");
    Add("anim/masked.xml", xml);
    Add("anim/blink.png", Sheet());
    // A grey mask whose value (its red channel) becomes the alpha: 0x80 everywhere.
    Add("anim/half.png", WritePng(MakePng(8, 4, PNG_COLOR_TYPE_GRAY, 8, std::vector<uint16_t>(32, 0x80))));
    auto masked = TAnimatedTexture::Get("", "", "anim/masked");
    ASSERT_NE(masked, nullptr);
    masked->SetCurrentFrame(0);
    auto sprite = TSprite::Create(0, masked);
    MoveTo(*sprite, 20, 20);
    DrawFrame(*sprite);
    EXPECT_EQ(Back(21, 21), 0x800000u);
}

}  // namespace
