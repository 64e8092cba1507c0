#include "game/shop/props/plant.h"

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/items/ingredient_graph.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

constexpr float kFrame = 0.1f;

class PlantTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.numberOfIngredients = 10;
        tables.charms = {{"tip", 50, 1.5f, 1}, {"growth", 0, 0.5f, 1}, {"haste", 0, 0.5f, 1}};
        AddAnimation("anim/plant/plant", 4,
                     "function Anim12() frames{1,2} end function Anim23() frames{2,3} end "
                     "function Anim34() frames{3,4} end function Anim41() frames{4,1} end");
        AddAnimation("fx/fruit/fx_fruit", 2, "function DoAnim() loop(100, {1,2}) end");
        AddPicture("anim/ballon", 60, 40);
        for (char letter : {'a', 'b', 'c', 'd'})
            AddPicture(std::string("anim/ingredients/ingredient_scroll_") + letter, 16, 16);
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }

    std::unique_ptr<clsPlant> MakePlant(std::vector<int> pool, int charmBits = 0) {
        auto plant = std::make_unique<clsPlant>(scene.get(), pool, charmBits);
        plant->SetPosition(740.9f, 420.6f);
        plant->Update(0.0f);
        return plant;
    }

    // Seconds of play until the plant asks for something (capped at a minute).
    float SecondsUntilRequest(clsPlant& plant) {
        float seconds = 0.0f;
        while (!plant.HasRequests() && seconds < 60.0f) {
            Step(kFrame, plant);
            seconds += kFrame;
        }
        return seconds;
    }

    // The stage animation runs to its end and the shop tells the plant.
    void FinishGrowing(clsPlant& plant) {
        FinishAction(*plant.GetBody());
        Step(kFrame, plant);
        plant.OnMoveEnded();
    }

    // Request i sits at (x, y) in the balloon.
    static void ExpectRequestAt(const clsPlant& plant, int i, float x, float y) {
        TVec2 offset = plant.GetRequests()[static_cast<size_t>(i)]->GetIcon()->GetPosition() -
                       plant.GetHoverSprite()->GetPosition();
        EXPECT_NEAR(offset.x, x, 0.01f) << "request " << i;
        EXPECT_NEAR(offset.y, y, 0.01f) << "request " << i;
    }
};

TEST_F(PlantTest, GrowsThroughItsStagesOnTheIngredientsItAsksFor) {
    random.scripted = {1, 0, 0, 1};  // b; a; then a and b at stage 3
    auto plant = MakePlant({0, 1});
    EXPECT_NEAR(SecondsUntilRequest(*plant), 6.0f, 0.15f) << "a new plant waits a second longer";
    EXPECT_EQ(plant->GetRequestId(0), 1);
    EXPECT_EQ(plant->GetRequestId(1), -1);
    EXPECT_TRUE(plant->GetHoverSprite()->IsVisible());
    ExpectRequestAt(*plant, 0, 0.0f, -5.0f);

    EXPECT_FALSE(plant->FulfilRequest(0)) << "not what it asked for";
    EXPECT_TRUE(plant->FulfilRequest(1));
    EXPECT_EQ(plant->GetStage(), 2);
    EXPECT_EQ(plant->GetBody()->GetLastAction(), "Anim12");
    EXPECT_FALSE(plant->GetHoverSprite()->IsVisible());
    for (int i = 0; i < 100; ++i) Step(kFrame, *plant);
    EXPECT_FALSE(plant->HasRequests()) << "the timer stands still while the plant grows";
    FinishGrowing(*plant);
    EXPECT_NEAR(SecondsUntilRequest(*plant), 5.0f, 0.15f);

    EXPECT_TRUE(plant->FulfilRequest(0));
    EXPECT_EQ(plant->GetBody()->GetLastAction(), "Anim23");
    FinishGrowing(*plant);
    EXPECT_NEAR(SecondsUntilRequest(*plant), 7.0f, 0.15f);
    ASSERT_EQ(plant->GetRequestCount(), 2) << "stage 3 asks for two";
    ExpectRequestAt(*plant, 0, -16.0f, -4.0f);
    ExpectRequestAt(*plant, 1, 17.0f, -4.0f);
    EXPECT_FALSE(plant->FulfilRequest(0));
    Step(kFrame, *plant);
    ExpectRequestAt(*plant, 0, 0.0f, -5.0f);
    EXPECT_TRUE(plant->FulfilRequest(1));
    EXPECT_EQ(plant->GetBody()->GetLastAction(), "Anim34");
    EXPECT_TRUE(plant->IsRipe());
    EXPECT_FALSE(plant->GetFruitSparkle().IsVisible());
    FinishGrowing(*plant);
    EXPECT_TRUE(plant->IsRipeShown());
    EXPECT_TRUE(plant->GetFruitSparkle().IsVisible());
    EXPECT_GE(SecondsUntilRequest(*plant), 60.0f) << "a ripe plant asks for nothing";

    plant->Restart();
    EXPECT_EQ(plant->GetStage(), 1);
    EXPECT_EQ(plant->GetBody()->GetLastAction(), "Anim41");
    EXPECT_FALSE(plant->GetFruitSparkle().IsVisible());
    FinishGrowing(*plant);
    EXPECT_NEAR(SecondsUntilRequest(*plant), 5.0f, 0.15f) << "after a picking the first wait is the stage's";
}

TEST_F(PlantTest, TheGrowthCharmShortensEveryStage) {
    struct Case {
        int charmBits;
        float firstRequestSeconds;
    };
    for (Case c : {Case{0, 6.0f}, Case{2, 3.5f}, Case{1 | 4, 6.0f}, Case{2 | 4, 3.5f}}) {
        auto plant = MakePlant({0}, c.charmBits);
        EXPECT_NEAR(SecondsUntilRequest(*plant), c.firstRequestSeconds, 0.15f) << "charms " << c.charmBits;
    }
}

TEST_F(PlantTest, FulfillingAnIngredientAskedTwiceTakesBoth) {
    auto plant = MakePlant({2});
    SecondsUntilRequest(*plant);
    for (int stage = 1; stage < 3; ++stage) {
        ASSERT_TRUE(plant->FulfilRequest(2));
        FinishGrowing(*plant);
        SecondsUntilRequest(*plant);
    }
    ASSERT_EQ(plant->GetRequestCount(), 2);
    EXPECT_TRUE(plant->FulfilRequest(2));
    EXPECT_TRUE(plant->IsRipe());
}

TEST_F(PlantTest, APlantWithNothingToAskForMakesNoRequestNobodyCouldMeet) {
    auto plant = MakePlant({});
    EXPECT_GE(SecondsUntilRequest(*plant), 60.0f);
    EXPECT_EQ(plant->GetRequestCount(), 0);
    EXPECT_FALSE(plant->GetHoverSprite()->IsVisible());
}

TEST_F(PlantTest, PreloadsItsPictures) {
    PreloadPlantAnims(scene->assets);
    EXPECT_EQ(scene->assets.preload,
              (std::vector<std::string>{"anim/shadow_sprite", "anim/plant/plant", "anim/ballon", "fx/fruit/fx_fruit"}));
}

}  // namespace
