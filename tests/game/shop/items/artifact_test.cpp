#include "game/shop/items/artifact.h"

#include "engine/graphics/animated_sprite.h"
#include "tests/game/shop/items/items_fixture.h"

namespace {

class ArtifactTest : public ItemsTest {
protected:
    void SetUp() override {
        ItemsTest::SetUp();
        AddPicture("anim/artifacts/artifact_2", 12, 10);
        AddPicture("anim/artifacts/artifact_2_off", 6, 10);
        AddAnimation("anim/artifacts/artifact_time", 10, "function disappear() frames{10} end");
        AddAnimation("fx/artifact/fx_artifact", 2, "function DoAnim() loop(100, {1,2}) end");
    }
};

TEST_F(ArtifactTest, TheStateChoosesThePictureExceptWhileRecharging) {
    clsArtifact artifact(scene.get(), 1, clsArtifact::kSpent);
    EXPECT_EQ(artifact.AsArtifact(), &artifact);
    EXPECT_EQ(artifact.GetTypeCode(), clsBasicObject::kArtifact);
    EXPECT_EQ(artifact.GetValue(), 75);
    EXPECT_EQ(artifact.GetSprite()->GetWidth(), 6);
    artifact.SetState(clsArtifact::kReady);
    EXPECT_EQ(artifact.GetSprite()->GetWidth(), 12);
    artifact.SetState(clsArtifact::kSpent);
    artifact.SetState(clsArtifact::kRecharging);
    EXPECT_EQ(artifact.GetState(), clsArtifact::kRecharging);
    EXPECT_EQ(artifact.GetSprite()->GetWidth(), 6) << "the spent picture stays";
    EXPECT_FALSE(artifact.GetClock()->IsVisible());
    EXPECT_FALSE(artifact.GetGlow()->IsVisible());
}

TEST_F(ArtifactTest, ValuesAreTruncatedAndZeroOutsideTheList) {
    EXPECT_EQ(clsArtifact(scene.get(), 0, clsArtifact::kReady).GetValue(), 40);
    EXPECT_EQ(clsArtifact(scene.get(), 2, clsArtifact::kReady).GetValue(), 0);
    EXPECT_EQ(clsArtifact(scene.get(), -1, clsArtifact::kReady).GetValue(), 0);
    EXPECT_EQ(clsArtifact::TextureName(8, clsArtifact::kSpent), "anim/artifacts/artifact_9_off");
}

TEST_F(ArtifactTest, TheClockShowsOneFrameASecondAndDisappearsAfterTheTenth) {
    clsArtifact artifact(scene.get(), 1, clsArtifact::kRecharging);
    artifact.StartClock(9.0f);
    EXPECT_TRUE(artifact.GetClock()->IsVisible());
    for (int second = 1; second <= 9; ++second) {
        Step(1.0f, artifact);
        EXPECT_EQ(artifact.GetClockFrame(), second);
        EXPECT_EQ(artifact.GetClock()->GetAnimation().GetCurrentFrame(), second);
    }
    EXPECT_TRUE(artifact.IsClockRunning());
    Step(1.0f, artifact);
    EXPECT_FALSE(artifact.IsClockRunning());
    EXPECT_EQ(artifact.GetClock()->GetLastAction(), "disappear");
}

TEST_F(ArtifactTest, ALongFrameAdvancesSeveralClockFramesAndKeepsTheRest) {
    clsArtifact artifact(scene.get(), 1, clsArtifact::kRecharging);
    artifact.StartClock(4.5f);  // half a second a frame
    Step(1.2f, artifact);
    EXPECT_EQ(artifact.GetClockFrame(), 2);
    Step(0.3f, artifact);
    EXPECT_EQ(artifact.GetClockFrame(), 3);
}

TEST_F(ArtifactTest, AClockWithoutTimeDisappearsAtOnce) {
    for (float seconds : {0.0f, -1.0f}) {
        clsArtifact artifact(scene.get(), 1, clsArtifact::kRecharging);
        artifact.StartClock(seconds);
        Step(0.016f, artifact);
        EXPECT_FALSE(artifact.IsClockRunning()) << seconds;
        EXPECT_EQ(artifact.GetClock()->GetLastAction(), "disappear");
    }
}

TEST_F(ArtifactTest, TheGlowPlaysWhileShownAndFollowsTheArtifact) {
    clsArtifact artifact(scene.get(), 1, clsArtifact::kReady);
    artifact.GetSprite()->SetPosition(300, 60);
    artifact.SetGlowVisible(true);
    Step(0.016f, artifact);
    EXPECT_TRUE(artifact.GetGlow()->IsVisible());
    EXPECT_EQ(artifact.GetGlow()->GetPosition(), TVec2(295, 80));
    EXPECT_TRUE(artifact.GetGlow()->GetAnimation().IsPlaying(-1));
    artifact.SetGlowVisible(false);
    EXPECT_FALSE(artifact.GetGlow()->IsVisible());
    EXPECT_FALSE(artifact.GetGlow()->GetAnimation().IsPlaying(-1));
}

TEST_F(ArtifactTest, PreloadListsEachPictureWithItsSpentOneThenClockAndGlow) {
    PreloadArtifactAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names[0], "anim/artifacts/artifact_1");
    EXPECT_EQ(names[1], "anim/artifacts/artifact_1_off");
    EXPECT_EQ(names[17], "anim/artifacts/artifact_9_off");
    EXPECT_EQ(names[18], "anim/artifacts/artifact_time");
    EXPECT_EQ(names[19], "fx/artifact/fx_artifact");
}

}  // namespace
