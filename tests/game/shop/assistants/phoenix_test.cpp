#include "game/shop/assistants/phoenix.h"

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/items/ingredient_graph.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

class PhoenixTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.numberOfIngredients = 10;
        tables.addons.resize(3);
        tables.addons[2].paramPerLevel = {9.0f, 6.0f, 3.0f};
        tables.maxConsecutives = 2;
        tables.restSecs = 8.0f;
        AddAnimation("anim/fenix/fenix_stand", 2,
                     "function stand() loop(100, {1}) end function standAnimated() frames{1,2} end");
        AddAnimation("anim/fenix/fenix_sleep", 2, "function DoAnim() loop(100, {1,2}) end");
        AddAnimation("anim/fenix/fenix_flying", 2, "function DoAnim() frames{1,2} end");
        AddAnimation("anim/artifacts/artifact_time", 10, "function disappear() frames{10} end");
        AddPicture("anim/ingredients/ingredient_scroll_k", 16, 16);
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }

    std::unique_ptr<clsFenix> MakePhoenix(int level) {
        auto phoenix = std::make_unique<clsFenix>(scene.get(), level);
        phoenix->SetPosition(133.5f, 230.1f);
        phoenix->Update(0.0f);
        return phoenix;
    }
    void Seconds(int seconds, clsFenix& phoenix) {
        for (int i = 0; i < seconds; ++i) Step(1.0f, phoenix);
    }
};

TEST_F(PhoenixTest, TheRestTimeIsThatOfTheUpgradeLevelAndLevelOneOutsideOneToThree) {
    struct Case {
        int level;
        float seconds;
    };
    for (Case c : {Case{1, 9.0f}, Case{2, 6.0f}, Case{3, 3.0f}, Case{0, 9.0f}, Case{4, 9.0f}})
        EXPECT_EQ(MakePhoenix(c.level)->GetRestSeconds(), c.seconds) << "level " << c.level;
}

TEST_F(PhoenixTest, TheHourglassRunsDownWhileItWorksAndTheIngredientComesAtTheEnd) {
    auto phoenix = MakePhoenix(1);
    ASSERT_TRUE(phoenix->IsReady());
    phoenix->Activate();
    EXPECT_EQ(phoenix->GetMode(), clsFenix::kResting);
    EXPECT_EQ(phoenix->GetState(), clsFenix::kWorking);
    EXPECT_EQ(phoenix->GetBody()->GetLastAction(), "standAnimated");
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/phoenix2"});
    EXPECT_TRUE(phoenix->GetHourglass().GetSprite().IsVisible());
    EXPECT_EQ(phoenix->GetHourglass().GetFrame(), 0);
    for (int second = 1; second <= 8; ++second) {
        Step(1.0f, *phoenix);
        EXPECT_EQ(phoenix->GetHourglass().GetFrame(), second);
        EXPECT_EQ(phoenix->GetHeldIngredient(), nullptr);
    }
    Step(1.0f, *phoenix);
    EXPECT_EQ(phoenix->GetHourglass().GetFrame(), 9);
    ASSERT_NE(phoenix->GetHeldIngredient(), nullptr);
    EXPECT_EQ(phoenix->GetHeldIngredient()->GetIngredientId(), clsFenix::kIngredientId);
    EXPECT_EQ(phoenix->GetHeldIngredient()->GetIcon()->GetPosition(), TVec2(133.5f + 10.0f, 230.1f - 80.0f));
    EXPECT_EQ(phoenix->GetMode(), clsFenix::kHolding);
    Step(1.0f, *phoenix);
    EXPECT_FALSE(phoenix->GetHourglass().IsRunning());
    EXPECT_EQ(phoenix->GetHourglass().GetSprite().GetLastAction(), "disappear");

    phoenix->TakeHeldIngredient();
    EXPECT_EQ(phoenix->GetHeldIngredient(), nullptr);
    EXPECT_TRUE(phoenix->IsReady());
}

TEST_F(PhoenixTest, AfterTheMostIngredientsInARowItSleepsThenFliesBackHoldingTheLast) {
    auto phoenix = MakePhoenix(3);
    phoenix->Activate();
    Seconds(3, *phoenix);
    phoenix->TakeHeldIngredient();
    phoenix->Activate();
    Seconds(3, *phoenix);
    EXPECT_EQ(phoenix->GetProductionCount(), 2);
    EXPECT_EQ(phoenix->GetMode(), clsFenix::kAsleep);
    EXPECT_EQ(phoenix->GetState(), clsFenix::kSleeping);
    EXPECT_NE(phoenix->GetHeldIngredient(), nullptr) << "the last ingredient stays held through the sleep";
    EXPECT_FALSE(phoenix->IsReady());

    Seconds(7, *phoenix);
    EXPECT_EQ(phoenix->GetState(), clsFenix::kSleeping);
    Step(1.0f, *phoenix);
    EXPECT_EQ(phoenix->GetState(), clsFenix::kFlying);
    FinishAction(*phoenix->GetBody());
    Step(0.016f, *phoenix);
    ASSERT_EQ(scene->animationsEnded.back(), phoenix->GetBody());
    phoenix->OnMoveEnded();
    EXPECT_EQ(phoenix->GetState(), clsFenix::kStanding);
    EXPECT_EQ(phoenix->GetMode(), clsFenix::kHolding);
    EXPECT_EQ(phoenix->GetProductionCount(), 0);
    phoenix->TakeHeldIngredient();
    EXPECT_TRUE(phoenix->IsReady());
}

TEST_F(PhoenixTest, TakingWithoutAnIngredientChangesNothingButAHoldingMode) {
    auto phoenix = MakePhoenix(1);
    phoenix->TakeHeldIngredient();
    EXPECT_TRUE(phoenix->IsReady());
    phoenix->Activate();
    phoenix->TakeHeldIngredient();
    EXPECT_EQ(phoenix->GetMode(), clsFenix::kResting) << "still working";
}

TEST_F(PhoenixTest, PreloadsItsPicturesAndSound) {
    PreloadFenixAnims(scene->assets);
    EXPECT_EQ(scene->assets.preload, (std::vector<std::string>{"anim/fenix/fenix_stand", "anim/fenix/fenix_sleep",
                                                               "anim/fenix/fenix_flying",
                                                               "audio/sfx/phoenix2?group=1000"}));
}

}  // namespace
