#include <string>

#include "engine/core/base/clock.h"
#include "engine/core/app/task.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"
#include "engine/scripthost/scripthost_state.h"
#include "platform/clock/clock.h"
#include "tests/engine/graphics/animation_fixture.h"

namespace {

// Animated sprites on the test clock; the test runs their task list.
class AnimatedSpriteTest : public AnimatedTextureTest {
protected:
    void SetUp() override {
        AnimatedTextureTest::SetUp();
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        Add("anim/blink.png", Sheet());
    }
    void TearDown() override {
        AnimationTaskList().Clear();
        platform::UseClockBackend(platform::ClockBackend::Real);
        ResetScriptHostState();  // the sprites set the script search path
        AnimatedTextureTest::TearDown();
    }

    // A sprite showing "anim/<name>" whose description carries script.
    std::shared_ptr<TAnimatedSprite> Sprite(const std::string& name, const std::string& script) {
        Add("anim/" + name + ".anm", BlinkAnm(script));
        auto sprite = TAnimatedSprite::Create(0);
        sprite->SetTexture(TAnimatedTexture::Get("", "", ("anim/" + name).c_str()));
        return sprite;
    }

    // Moves the clock on by ms and runs the due tasks.
    void Advance(uint32_t ms) {
        platform::AdvanceTestClock(ms);
        AnimationTaskList().Run();
    }
};

TEST_F(AnimatedSpriteTest, FramesStepEvery16msAndAfterADelayAtThatPace) {
    auto sprite = Sprite("steps", "function DoAnim() frames{1,2,3} delay(60) frames{3,2} end");
    ASSERT_NE(sprite->GetAnimation(), nullptr);
    EXPECT_EQ(sprite->GetFrameCount(), 3);
    sprite->Play("DoAnim");
    struct Step {
        uint32_t advance;
        int frame;
        bool playing;
    };
    const Step steps[] = {{0, 0, true},   {15, 0, true},  {1, 1, true},  {16, 2, true}, {16, 2, true},
                          {59, 2, true},  {1, 1, true},   {59, 1, true}, {1, 1, false}};
    uint32_t at = 0;
    for (const Step& step : steps) {
        at += step.advance;
        SCOPED_TRACE(testing::Message() << "at " << at << " ms");
        Advance(step.advance);
        EXPECT_EQ(sprite->GetCurrentFrame(), step.frame);
        EXPECT_EQ(sprite->IsPlaying(0), step.playing);
    }
}

TEST_F(AnimatedSpriteTest, DescriptionsWithoutScriptShowEveryFrameAt60ms) {
    auto sprite = Sprite("plain", "");
    sprite->Play("DoAnim");
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    Advance(59);
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    Advance(1);
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);
    Advance(60);
    EXPECT_EQ(sprite->GetCurrentFrame(), 2);
}

TEST_F(AnimatedSpriteTest, AFadeTakesOneStepPerFrame) {
    auto sprite = Sprite("fade", "function DoAnim() fadeout(4) frames{1,2,3,1} fadein(2) frames{1,2,3} end");
    sprite->Play("DoAnim");
    const float expected[] = {0.75f, 0.5f, 0.25f, 0.0f, 0.5f, 1.0f, 1.0f};
    for (float alpha : expected) {
        EXPECT_FLOAT_EQ(sprite->GetState().alpha, alpha);
        Advance(16);
    }
    EXPECT_FALSE(sprite->IsPlaying(0));
}

TEST_F(AnimatedSpriteTest, ASecondPlayStopsTheFirstCoroutine) {
    auto sprite = Sprite("twice", "function A() frames{2,2,2,2} end function B() frames{3} showFrame() frames{1} end");
    sprite->Play("A");
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);
    sprite->Play("B");
    EXPECT_EQ(sprite->GetCurrentFrame(), 2);
    Advance(16);
    EXPECT_EQ(sprite->GetCurrentFrame(), 2);  // A would have shown frame 1 again
    Advance(16);
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    sprite->StopScript();
    EXPECT_FALSE(sprite->IsPlaying(0));
    Advance(100);
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    sprite->Play("A");  // the environment stays after StopScript
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);
}

TEST_F(AnimatedSpriteTest, AScriptMayKillItsOwnSprite) {
    int before = TSprite::LiveCount();
    auto parent = TSprite::Create(0);
    {
        auto child = Sprite("suicide", "function DoAnim() showFrame() RemoveSprite() SetCurrentFrame(2) showFrame() end");
        parent->AddChild(child);
        child->Play("DoAnim");
    }
    EXPECT_EQ(parent->GetChildren().size(), 1u);
    Advance(16);  // the coroutine removes its sprite, the last reference, and carries on unbound
    EXPECT_TRUE(parent->GetChildren().empty());
    EXPECT_EQ(TSprite::LiveCount(), before + 1);
    Advance(100);
    EXPECT_EQ(AnimationTaskList().Count(), 0u);
}

TEST_F(AnimatedSpriteTest, DieDropsTheEnvironmentUntilTheNextPlay) {
    auto sprite = Sprite("die", "n = (n or 0) + 1 function DoAnim() SetCurrentFrame(n) die() showFrame() SetCurrentFrame(0) end");
    sprite->Play("DoAnim");
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);  // the first environment ran the script once
    EXPECT_FALSE(sprite->IsPlaying(0));
    Advance(100);
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);  // the dead coroutine is never resumed
    sprite->Play("DoAnim");
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);  // a fresh environment: n is 1 again
    sprite->Play("DoAnim");
    sprite.reset();  // retired scripts go with the sprite
    EXPECT_EQ(AnimationTaskList().Count(), 0u);
}

TEST_F(AnimatedSpriteTest, PauseAndIsPlayingReachDescendants) {
    auto parent = Sprite("parent", "function DoAnim() frames{1,2} end function Hold() WaitLuaNextFrame() SetCurrentFrame(2) end");
    auto child = Sprite("child", "function DoAnim() frames{1,2,3,1,2,3} end");
    parent->AddChild(child);
    parent->Play("DoAnim");
    child->Play("DoAnim");
    Advance(16);
    Advance(16);
    EXPECT_FALSE(parent->IsPlaying(0));
    EXPECT_TRUE(parent->IsPlaying(-1));
    EXPECT_EQ(child->GetCurrentFrame(), 2);

    // A finished coroutine still passes the pause on to the children.
    parent->Pause(true, -1);
    Advance(16);
    EXPECT_EQ(child->GetCurrentFrame(), 2);

    parent->Play("Hold");  // waits with no wake time
    EXPECT_TRUE(parent->IsPlaying(0));
    Advance(100);
    EXPECT_EQ(parent->GetCurrentFrame(), 1);
    parent->Pause(false, -1);  // both wake 1 ms from now
    Advance(1);
    EXPECT_EQ(parent->GetCurrentFrame(), 2);
    EXPECT_EQ(child->GetCurrentFrame(), 0);

    // A sprite that never played has no coroutine: its pause reaches nobody.
    auto idle = TAnimatedSprite::Create(0);
    idle->AddChild(child);
    idle->Pause(true, -1);
    Advance(16);
    EXPECT_EQ(child->GetCurrentFrame(), 1);
}

TEST_F(AnimatedSpriteTest, RandomAnswersTheLowerBoundForEmptyRanges) {
    auto sprite = Sprite("dice",
                         "function Same() SetCurrentFrame(random(2, 2)) end "
                         "function Reversed() SetCurrentFrame(random(2, -5)) end "
                         "function Range() for i = 1, 50 do local r = random(1, 3) "
                         "if r ~= 1 and r ~= 2 then SetCurrentFrame(-2) return end end SetCurrentFrame(0) end");
    const std::pair<const char*, int> cases[] = {{"Same", 2}, {"Reversed", 2}, {"Range", 0}};
    for (const auto& [function, frame] : cases) {
        SCOPED_TRACE(function);
        sprite->SetCurrentFrame(1);
        sprite->Play(function);
        EXPECT_EQ(sprite->GetCurrentFrame(), frame);
    }
}

TEST_F(AnimatedSpriteTest, RunLoadsAnotherAnimationAndPlaysItsDoAnim) {
    Add("anim/other.anm", BlinkAnm("function DoAnim() frames{3} end"));
    auto sprite = Sprite("runner", "function Go() run{\"anim/other\"} end function Lost() "
                                   "if not Load(\"anim/missing\", \"\", \"\") then SetCurrentFrame(1) end end");
    sprite->Play("Go");
    EXPECT_EQ(sprite->GetCurrentFrame(), 2);
    EXPECT_EQ(sprite->GetScript(), TString("function DoAnim() frames{3} end"));
    sprite->Play("Lost");
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);
    EXPECT_EQ(sprite->GetAnimation(), nullptr);
}

TEST_F(AnimatedSpriteTest, ResumeErrorsAreLoggedAndNothingWithoutAnAnimationPlays) {
    auto sprite = Sprite("broken", "function DoAnim() frames(nil) end");
    sprite->Play("DoAnim");
    EXPECT_TRUE(Logged("TAnimatedSprite::Play: lua_resume error: "));
    EXPECT_FALSE(sprite->IsPlaying(0));

    auto bare = TAnimatedSprite::Create(0);
    bare->Play("DoAnim");
    EXPECT_FALSE(bare->IsPlaying(-1));
    EXPECT_EQ(bare->GetFrameCount(), 1);
}

TEST_F(AnimatedSpriteTest, WaitsAreMeasuredOnTheTimeSource) {
    TClock clock;  // paused at 0
    auto sprite = Sprite("clocked", "function DoAnim() frames{1,2} end");
    sprite->SetTimeSource(&clock);
    sprite->Play("DoAnim");
    Advance(100);
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    clock.SetTime(16);
    AnimationTaskList().Run();
    EXPECT_EQ(sprite->GetCurrentFrame(), 1);
}

TEST_F(AnimatedSpriteTest, BoundsFollowTheFramesRegistrationPoint) {
    auto sprite = Sprite("bounds", "");
    MoveTo(*sprite, 20, 20);
    sprite->SetCurrentFrame(1);  // 4 x 4, registration point (1, 2)
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(19, 18, 23, 22));
    EXPECT_FALSE(sprite->GetState().flags & TSpriteState::kUseAnchor);
    sprite->GetState().flags = TSpriteState::kMirrorX;
    EXPECT_EQ(sprite->GetRect(TSpriteState(), -1), TRect(17, 18, 21, 22));
    EXPECT_TRUE(sprite->HitTest(TPoint{17, 18}, TSpriteState(), 1, -1));
    EXPECT_FALSE(sprite->HitTest(TPoint{21, 18}, TSpriteState(), 1, -1));
}

int closedStates = 0;
int CountClosing(lua_State*) {
    ++closedStates;
    return 0;
}

// Anchors in the registry of L's state a value whose finaliser counts the closing of that state.
void WatchClosing(lua_State* L) {
    lua_pushstring(L, "closing watch");
    lua_newuserdata(L, 1);
    lua_newtable(L);
    lua_pushstring(L, "__gc");
    lua_pushcfunction(L, CountClosing);
    lua_settable(L, -3);
    lua_setmetatable(L, -2);
    lua_settable(L, LUA_REGISTRYINDEX);
}

TEST_F(AnimatedSpriteTest, SpritesOutliveTheirTaskListsScripts) {
    auto sprite = Sprite("shutdown", "function DoAnim() frames{1,2,3} end");
    sprite->Play("DoAnim");
    sprite->StopScript();
    sprite->Play("DoAnim");  // a retired thread, a running one and the environment
    WatchClosing(sprite->GetThread()->GetState());
    closedStates = 0;
    EXPECT_EQ(AnimationTaskList().Count(), 2u);  // the environment and the running thread
    AnimationTaskList().Clear();  // as the application does at its end: the scripts go first
    EXPECT_EQ(closedStates, 1);   // the environment went with the list, closing its state
    sprite.reset();               // and the sprite deletes only what it still owns
    EXPECT_EQ(closedStates, 1);
}

TEST_F(AnimatedSpriteTest, AnAnimationScriptDyingWhileItLoadsStopsPlay) {
    auto sprite = Sprite("stillborn", "function DoAnim() SetCurrentFrame(2) end die()");
    sprite->Play("DoAnim");
    EXPECT_EQ(sprite->GetCurrentFrame(), 0);
    EXPECT_FALSE(sprite->IsPlaying(0));
}

}  // namespace
