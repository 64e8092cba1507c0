#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/app/task.h"
#include "engine/graphics/animated_sprite.h"
#include "game/shop/objects/scene_sprite.h"
#include "platform/clock/clock.h"
#include "tests/engine/graphics/animation_fixture.h"
#include "tests/game/shop/objects/test_scene.h"

namespace {

using ObjectTest = AnimatedTextureTest;

TVec2 Drawn(const clsSpriteObject& object) {
    const TMat3& m = object.GetFrameworkSprite()->GetState().transform;
    return TVec2(m.m[6], m.m[7]);
}

TEST_F(ObjectTest, NewObjectsStandAboveTheScreenUntilPlaced) {
    TestScene scene;
    clsSprite sprite(&scene);
    EXPECT_EQ(sprite.GetTypeCode(), clsBasicObject::kSprite);
    EXPECT_EQ(sprite.GetPosition(), TVec2(0, -900));
    EXPECT_EQ(sprite.GetScale(), TVec2(1, 1));
    EXPECT_TRUE(sprite.IsVisible());
    EXPECT_EQ(Drawn(sprite), TVec2(0, -900));
    sprite.SetTexture(Solid(10, 6, 0xFFFFFFFF));
    sprite.SetPosition(20.7f, 30.2f);
    EXPECT_EQ(Drawn(sprite), TVec2(0, -900));  // pushed to the framework sprite by the update
    sprite.SetVisible(false);
    sprite.Update(0);
    EXPECT_EQ(Drawn(sprite), TVec2(20.7f, 30.2f));
    EXPECT_EQ(sprite.GetWorldRect(), TRect(15, 27, 25, 33));
    EXPECT_FALSE(sprite.GetFrameworkSprite()->IsVisible());
    sprite.SetTexture(nullptr);  // ignored
    EXPECT_EQ(sprite.GetWidth(), 10);
}

TEST_F(ObjectTest, StraightMovesEndExactlyOnTheTargetAndArriveOnce) {
    struct Case {
        TVec2 from, to;
        float speed, dt;
        int updatesToArrive;
    };
    const Case cases[] = {
        {{0, 0}, {100, 0}, 30, 1.0f, 4},       // overshoots on the fourth step
        {{0, 0}, {90, 0}, 30, 1.0f, 3},        // lands exactly
        {{10, 10}, {13, 14}, 1, 1.0f, 5},      // diagonal, length 5
        {{5, 5}, {5, -395}, 400, 0.016f, 63},  // a heroine's step at 60 frames per second
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.to.x << ", " << c.to.y);
        TestScene scene;
        clsSprite sprite(&scene);
        sprite.SetPositionV(c.from);
        ASSERT_TRUE(sprite.MoveTowards(c.to, c.speed));
        for (int update = 1; update < c.updatesToArrive; ++update) {
            sprite.Update(c.dt);
            ASSERT_TRUE(scene.arrivals.empty()) << "update " << update;
        }
        sprite.Update(c.dt);
        EXPECT_EQ(sprite.GetPosition(), c.to);
        EXPECT_EQ(Drawn(sprite), c.to);
        EXPECT_EQ(sprite.GetVelocity(), TVec2());
        sprite.Update(c.dt);
        EXPECT_EQ(scene.arrivals, std::vector<clsObjectGraph*>{&sprite});
        EXPECT_EQ(sprite.GetPosition(), c.to);
    }
}

TEST_F(ObjectTest, RefusedMovesChangeNothing) {
    TestScene scene;
    clsSprite mover(&scene), target(&scene);
    mover.SetPosition(3, 4);
    target.SetPosition(50, 60);
    EXPECT_FALSE(mover.MoveTowards(TVec2(3, 4), 100));
    EXPECT_FALSE(mover.MoveToObject(nullptr, 100, 0, 0));
    clsSprite* gone = new clsSprite(&scene);
    gone->Destroy();
    EXPECT_TRUE(gone->IsReleased());
    EXPECT_FALSE(mover.MoveToObject(gone, 100, 0, 0));
    EXPECT_FALSE(mover.IsMoving());
    mover.Update(1.0f);
    EXPECT_EQ(mover.GetPosition(), TVec2(3, 4));
    EXPECT_TRUE(scene.arrivals.empty());

    ASSERT_TRUE(mover.MoveToObject(&target, 1000, -3, 4));
    EXPECT_EQ(mover.GetMoveTarget(), &target);
    mover.Update(1.0f);
    EXPECT_EQ(mover.GetPosition(), TVec2(47, 64));
}

TEST_F(ObjectTest, AttachedObjectsFollowTheirParentAndBobAroundTheAttachPoint) {
    TestScene scene, otherScene;
    clsSprite parent(&scene), child(&scene), stranger(&otherScene);
    child.SetTexture(Solid(8, 20, 0xFFFFFFFF));
    EXPECT_FALSE(child.AttachTo(nullptr, 0, 0));
    EXPECT_FALSE(child.AttachTo(&child, 0, 0));
    EXPECT_FALSE(child.AttachTo(&stranger, 0, 0));
    EXPECT_EQ(child.GetParent(), nullptr);

    parent.SetPosition(100, 200);
    ASSERT_TRUE(child.AttachTo(&parent, 5, -10));
    EXPECT_EQ(child.GetPosition(), TVec2(105, 190));
    parent.MoveTowards(TVec2(100, 300), 100);
    child.StartBobbing(500, 0.1f);  // ±2 around the attach point
    struct Step {
        float dt;
        float parentY, childY;
    };
    // Each half swing takes 500 ms, the driver's end value exactly; the child follows the parent first.
    const Step steps[] = {{0.25f, 225, 215}, {0.25f, 250, 242}, {0.25f, 275, 265},
                          {0.25f, 300, 288}, {0.5f, 300, 292},  {0.5f, 300, 288}};
    for (const Step& step : steps) {
        parent.Update(step.dt);
        child.Update(step.dt);
        EXPECT_FLOAT_EQ(parent.GetPosition().y, step.parentY);
        EXPECT_FLOAT_EQ(child.GetPosition().y, step.childY);
        EXPECT_EQ(child.GetPosition().x, 105);
    }
    child.StopBobbing();
    child.Update(0.25f);
    EXPECT_EQ(child.GetPosition(), TVec2(105, 290));
    child.Detach();
    parent.SetPosition(0, 0);
    child.Update(0.25f);
    EXPECT_EQ(child.GetPosition(), TVec2(105, 290));
}

TEST_F(ObjectTest, AnUnattachedObjectBobsAroundWhereItStood) {
    TestScene scene;
    clsSprite sprite(&scene);
    sprite.SetTexture(Solid(4, 10, 0xFFFFFFFF));
    sprite.SetPosition(7, 50);
    sprite.StartBobbing(100, 0.5f);
    float lowest = 1e9f, highest = -1e9f;
    for (int i = 0; i < 20; ++i) {
        sprite.Update(0.02f);
        lowest = std::min(lowest, sprite.GetPosition().y);
        highest = std::max(highest, sprite.GetPosition().y);
    }
    EXPECT_FLOAT_EQ(lowest, 45);
    EXPECT_FLOAT_EQ(highest, 55);
}

TEST_F(ObjectTest, PendingScalesAccumulateInTheDrawnTransform) {
    TestScene scene;
    clsSprite sprite(&scene);
    sprite.SetPosition(10, 20);
    sprite.SetScale(2);
    sprite.Update(0);
    sprite.SetScaleXY(2, 3);
    sprite.Update(0);
    sprite.Update(0);  // nothing pending
    const TMat3& m = sprite.GetFrameworkSprite()->GetState().transform;
    EXPECT_EQ(m.m[0], 4);
    EXPECT_EQ(m.m[4], 6);
    EXPECT_EQ(Drawn(sprite), TVec2(10, 20));
}

TEST_F(ObjectTest, MarksCountDownToZero) {
    clsSprite sprite(nullptr);
    sprite.RemoveMark();
    EXPECT_EQ(sprite.GetMarkCount(), 0);
    EXPECT_FALSE(sprite.IsMarked());
    sprite.AddMark();
    sprite.AddMark();
    sprite.RemoveMark();
    EXPECT_TRUE(sprite.IsMarked());
    sprite.RemoveMark();
    EXPECT_FALSE(sprite.IsMarked());
}

TEST_F(ObjectTest, DestroyQueuesOwnedObjectsAndDeletesFreeOnes) {
    TestScene scene;
    clsSprite* owned = new clsSprite(&scene);
    owned->Destroy();
    EXPECT_EQ(scene.released, std::vector<clsBasicObject*>{owned});
    (new clsAnimatedSprite(nullptr))->Destroy();  // gone at once: the leak checker would see it otherwise
}

class AnimatedObjectTest : public AnimatedTextureTest {
protected:
    void SetUp() override {
        AnimatedTextureTest::SetUp();
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        Add("anim/blink.png", Sheet());
        Add("anim/two.anm", BlinkAnm("function DoAnim() frames{1,2} end"));
    }
    void TearDown() override {
        AnimationTaskList().Clear();
        platform::UseClockBackend(platform::ClockBackend::Real);
        AnimatedTextureTest::TearDown();
    }
    // Moves the scene's clock on, runs the animation scripts and updates the sprite.
    void Frame(TestScene& scene, clsAnimatedSprite& sprite, uint32_t ms) {
        scene.clock.SetTime(scene.clock.GetTime() + ms);
        AnimationTaskList().Run();
        sprite.Update(ms / 1000.0f);
    }
};

TEST_F(AnimatedObjectTest, TheSceneHearsOnceThatAnAwaitedAnimationEnded) {
    TestScene scene;
    clsAnimatedSprite sprite(&scene);
    EXPECT_EQ(sprite.GetTypeCode(), clsBasicObject::kAnimatedSprite);
    sprite.SetTexture(TAnimatedTexture::Get("", "", "anim/two"));
    sprite.Play("DoAnim");
    EXPECT_EQ(sprite.GetLastAction(), "DoAnim");
    Frame(scene, sprite, 10);
    EXPECT_TRUE(scene.animationsEnded.empty());
    platform::AdvanceTestClock(1000);  // the application's time does not drive the scene's animations
    Frame(scene, sprite, 5);
    EXPECT_TRUE(scene.animationsEnded.empty());
    for (int frame = 0; frame < 5; ++frame) Frame(scene, sprite, 16);
    EXPECT_EQ(scene.animationsEnded, std::vector<clsAnimatedSprite*>{&sprite});
    EXPECT_FALSE(sprite.IsAwaitingEnd());

    // Without an animation a play ends at once: the scene hears of it at the next update.
    clsAnimatedSprite bare(&scene);
    bare.Play("DoAnim");
    bare.Update(0.016f);
    bare.Update(0.016f);
    EXPECT_EQ(scene.animationsEnded, (std::vector<clsAnimatedSprite*>{&sprite, &bare}));
}

TEST_F(AnimatedObjectTest, RotationAndFlipsReachTheFrameworkSprite) {
    clsAnimatedSprite sprite(nullptr);
    sprite.SetRotation(90);
    const TMat3& m = sprite.GetAnimation().GetState().transform;
    EXPECT_NEAR(m.m[0], 0, 1e-6);
    EXPECT_NEAR(std::fabs(m.m[1]), 1, 1e-6);
    sprite.SetSpriteFlags(true, true);
    EXPECT_EQ(sprite.GetAnimation().GetState().flags, TSpriteState::kMirrorX | TSpriteState::kMirrorY);
    sprite.SetSpriteFlags(false, true);
    EXPECT_EQ(sprite.GetAnimation().GetState().flags, uint32_t(TSpriteState::kMirrorY));
}

TEST_F(AnimatedObjectTest, AStillSpriteShowsTheFirstFrameOfAnAnimation) {
    auto animation = TAnimatedTexture::Get("", "", "anim/two");
    animation->SetCurrentFrame(1);
    clsSprite still(nullptr);
    still.SetTexture(animation);
    EXPECT_EQ(still.GetWidth(), 4);
    still.SetPosition(20, 20);
    still.Update(0);
    animation->SetCurrentFrame(1);  // as an animated sprite of the same animation leaves it
    DrawFrame(*TSprite::Create(0));
    ASSERT_TRUE(renderer->BeginDraw(1));
    ASSERT_TRUE(renderer->Begin2d());
    still.Draw();
    renderer->End2d();
    renderer->EndDraw();
    int red = 0, green = 0;
    for (int y = 12; y < 28; ++y)
        for (int x = 12; x < 28; ++x) {
            red += Back(x, y) == 0xFF0000u;
            green += Back(x, y) == 0x00FF00u;
        }
    EXPECT_EQ(red, 16);
    EXPECT_EQ(green, 0);
}

}  // namespace
