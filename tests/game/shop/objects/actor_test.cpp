#include <gtest/gtest.h>

#include "game/shop/objects/actor.h"
#include "tests/engine/graphics/sprite_fixture.h"
#include "tests/game/shop/objects/test_scene.h"

namespace {

class Walker : public clsActor {
public:
    using clsActor::clsActor;
    void RefreshAnimation() override { ++refreshes; }
    int refreshes = 0;
};

class ActorTest : public SpriteTest {};

TEST_F(ActorTest, TheShadowLiesUnderTheBodyAndFollowsIt) {
    TestScene scene;
    scene.textures["anim/shadow_sprite"] = Solid(16, 4, 0xFFFF0000);
    Walker walker(&scene);
    walker.GetBody()->SetTexture(Solid(8, 8, 0xFF00FF00));
    walker.SetPosition(20, 20);
    walker.AddShadow(0, 4, 1.0f);
    walker.Update(0);
    DrawFrame(*TSprite::Create(0));  // clears the screen
    ASSERT_TRUE(renderer->BeginDraw(1));
    ASSERT_TRUE(renderer->Begin2d());
    walker.Draw();
    renderer->End2d();
    renderer->EndDraw();
    EXPECT_EQ(Back(20, 23), 0x00FF00u);  // the body over the shadow
    EXPECT_EQ(Back(13, 24), 0xFF0000u);  // the shadow beside it
    EXPECT_EQ(Back(20, 27), 0u);

    walker.SetSpeed(10);
    walker.WalkTo(TVec2(40, 20));
    for (int i = 0; i < 2; ++i) walker.Update(1.0f);
    EXPECT_EQ(walker.GetPosition(), TVec2(40, 20));
    EXPECT_EQ(walker.GetShadow()->GetPosition(), TVec2(40, 24));
    EXPECT_EQ(scene.arrivals, std::vector<clsObjectGraph*>{walker.GetBody()});
    EXPECT_EQ(walker.GetBody()->GetUserPointer(), &walker);

    // A second call keeps the one shadow and its accumulated scale.
    clsSprite* shadow = walker.GetShadow();
    walker.AddShadow(0, 6, 0.5f);
    walker.Update(0);
    EXPECT_EQ(walker.GetShadow(), shadow);
    EXPECT_EQ(shadow->GetPosition(), TVec2(40, 26));
    EXPECT_EQ(shadow->GetFrameworkSprite()->GetState().transform.m[0], 0.5f);
}

TEST_F(ActorTest, ActionsAndMoveEndsRefreshTheAnimation) {
    Walker walker(nullptr);
    walker.PlayAction();
    walker.OnMoveEnded();
    EXPECT_EQ(walker.refreshes, 2);
    walker.AddShadow(0, 0, 1);  // no scene: no texture, still attached
    walker.Update(0);
    EXPECT_EQ(walker.GetShadow()->GetWidth(), 0);
    TestScene scene;
    clsActor::PreloadShadow(scene);
    EXPECT_EQ(scene.preload, std::vector<std::string>{"anim/shadow_sprite"});
}

TEST_F(ActorTest, ReleaseQueuesTheBodyOnceAndDeletesTheActor) {
    TestScene scene;
    Walker* walker = new Walker(&scene);
    clsAnimatedSprite* body = walker->GetBody();
    walker->AddShadow(0, 0, 1);
    walker->Release();
    EXPECT_EQ(scene.released, std::vector<clsBasicObject*>{body});
    EXPECT_EQ(body->GetUserPointer(), nullptr);

    Walker* another = new Walker(&scene);
    clsAnimatedSprite* queued = another->GetBody();
    queued->Destroy();
    another->Release();
    EXPECT_EQ(scene.released, (std::vector<clsBasicObject*>{body, queued}));
}

}  // namespace
