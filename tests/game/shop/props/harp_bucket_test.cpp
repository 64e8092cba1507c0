#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

class HarpTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GetGameTables().addons.resize(4);
        GetGameTables().addons[3].paramPerLevel = {1.0f, 2.0f, 3.5f};
        for (const char* name : {"anim/harp/harp_stand01", "anim/harp/harp_stand02", "anim/harp/harp_dance01",
                                 "anim/harp/harp_dance02"})
            AddAnimation(name, 2, "function DoAnim() loop(100, {1,2}) end");
        AddAnimation("anim/artifacts/artifact_time", 10, "function disappear() frames{10} end");
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }

    // Plays on in steps of a quarter second for that many seconds.
    void PlayFor(float seconds, clsHarp& harp) {
        for (int step = 0; step < static_cast<int>(seconds * 4.0f + 0.5f); ++step) Step(0.25f, harp);
    }
};

TEST_F(HarpTest, ATunePlaysTenSecondsThenTheHarpRestsFifteenWithItsClock) {
    clsHarp harp(scene.get(), 2);
    EXPECT_EQ(harp.GetBody()->GetAnimation().GetAnimation(), scene->assets.textures["anim/harp/harp_stand02"]);
    ASSERT_TRUE(harp.Play());
    EXPECT_EQ(harp.GetState(), clsHarp::kDancing);
    EXPECT_EQ(harp.GetBody()->GetAnimation().GetAnimation(), scene->assets.textures["anim/harp/harp_dance02"]);
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/magic_harp"});

    PlayFor(9.75f, harp);
    EXPECT_TRUE(harp.IsPlaying());
    EXPECT_FALSE(harp.Play()) << "a tune is playing";
    Step(0.25f, harp);
    EXPECT_FALSE(harp.IsPlaying());
    EXPECT_EQ(harp.GetState(), clsHarp::kStanding);
    EXPECT_EQ(scene->assets.sounds.back(), "stop audio/sfx/magic_harp");
    EXPECT_TRUE(harp.GetClock().IsRunning());
    EXPECT_TRUE(harp.GetClock().GetSprite().IsVisible());

    PlayFor(14.75f, harp);
    EXPECT_FALSE(harp.Play()) << "resting";
    EXPECT_EQ(harp.GetClock().GetFrame(), 8);
    Step(0.25f, harp);
    EXPECT_TRUE(harp.IsIdle());
    EXPECT_TRUE(harp.Play());
}

TEST_F(HarpTest, TheRestClockShowsNineStepsAndDisappearsAfterTheTenth) {
    clsHarp harp(scene.get(), 1);
    harp.Play();
    Step(10.0f, harp);
    std::vector<int> frames;
    for (int step = 0; step < 10; ++step) {
        frames.push_back(harp.GetClock().GetFrame());
        Step(15.0f / 9.0f + 0.01f, harp);  // a little more than a step: what is over is dropped
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(harp.GetClock().IsRunning());
    EXPECT_EQ(harp.GetClock().GetSprite().GetLastAction(), "disappear");
}

TEST_F(HarpTest, OneLongFrameEndsTheTuneAndTheRest) {
    clsHarp harp(scene.get(), 1);
    harp.Play();
    Step(1000.0f, harp);
    EXPECT_TRUE(harp.IsIdle());
    EXPECT_FALSE(harp.IsPlaying());
}

TEST_F(HarpTest, ThePatienceGivenIsTheUpgradeLevelsValue) {
    struct Case {
        int level;
        float points;
    };
    for (Case c : {Case{1, 1.0f}, Case{2, 2.0f}, Case{3, 3.5f}, Case{0, 1.0f}, Case{4, 1.0f}})
        EXPECT_EQ(clsHarp(scene.get(), c.level).GetEffectValue(), c.points) << "level " << c.level;
    GetGameTables().addons.resize(3);
    EXPECT_EQ(clsHarp(scene.get(), 1).GetEffectValue(), 0.0f) << "no harp in the add-on table";
}

TEST_F(HarpTest, PausingTouchesTheTuneOnlyWhileItPlays) {
    clsHarp harp(scene.get(), 1);
    harp.PauseTune(true);
    EXPECT_TRUE(scene->assets.sounds.empty());
    harp.Play();
    harp.PauseTune(true);
    harp.PauseTune(false);
    EXPECT_EQ(scene->assets.sounds, (std::vector<std::string>{"play audio/sfx/magic_harp", "pause audio/sfx/magic_harp",
                                                              "resume audio/sfx/magic_harp"}));
}

TEST_F(HarpTest, TheBucketEatsAndStandsAgainWhenItHasEaten) {
    AddAnimation("anim/bucket/bucket_stand", 2, "function DoAnim() loop(100, {1,2}) end");
    AddAnimation("anim/bucket/bucket_eat", 3, "function DoAnim() frames{1,2,3} end");
    clsBucket bucket(scene.get());
    EXPECT_EQ(bucket.GetState(), clsBucket::kStanding);
    bucket.OnMoveEnded();
    EXPECT_EQ(bucket.GetState(), clsBucket::kStanding);
    bucket.PlayEat();
    EXPECT_EQ(bucket.GetState(), clsBucket::kEating);
    EXPECT_EQ(bucket.GetBody()->GetAnimation().GetAnimation(), scene->assets.textures["anim/bucket/bucket_eat"]);
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/piranha_trash"});
    bucket.OnMoveEnded();
    EXPECT_EQ(bucket.GetState(), clsBucket::kStanding);
    EXPECT_EQ(bucket.GetBody()->GetAnimation().GetAnimation(), scene->assets.textures["anim/bucket/bucket_stand"]);
}

TEST_F(HarpTest, PreloadsTheirPicturesAndSounds) {
    PreloadHarpAnims(scene->assets);
    PreloadBucketAnims(scene->assets);
    EXPECT_EQ(scene->assets.preload,
              (std::vector<std::string>{"anim/shadow_sprite", "anim/harp/harp_stand01", "anim/harp/harp_stand02",
                                        "anim/harp/harp_stand03", "anim/harp/harp_dance01", "anim/harp/harp_dance02",
                                        "anim/harp/harp_dance03", "audio/sfx/magic_harp?group=1000",
                                        "anim/shadow_sprite", "anim/bucket/bucket_stand", "anim/bucket/bucket_eat",
                                        "audio/sfx/piranha_trash?group=1000"}));
}

}  // namespace
