#include <gtest/gtest.h>

#include <functional>

#include "game/data/game_tables.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/particles/particle_fx.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

const TVec2 kHome(300, 300);

const char* const kHeroinePictures[] = {
    "anim/tessa/tessa_stand", "anim/tessa/tessa_stand_item", "anim/tessa/tessa_stand_02",
    "anim/tessa/tessa_stand_03", "anim/tessa/tessa_walk_right", "anim/tessa/tessa_walk_front",
    "anim/tessa/tessa_walk_left", "anim/tessa/tessa_walk_back", "anim/tessa/tessa_bringitem_right",
    "anim/tessa/tessa_bringitem_front", "anim/tessa/tessa_bringitem_left", "anim/tessa/tessa_bringitem_back",
    "anim/tessa/tessa_take_item", "anim/tessa/tessa_throw", "anim/tessa/tessa_fire", "anim/tessa/tessa_win_01",
    "anim/tessa/tessa_win_02", "anim/tessa/tessa_lose_01", "anim/tessa/tessa_lose_02",
    "anim/tessa/tessa_activated"};

class PlayerTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        savedTables = GetGameTables();
        GameTables& tables = GetGameTables();
        tables.playerSpeed = 100;
        tables.timeActivateArtifact = 1.0f;
        tables.numberOfIngredients = 10;
        AddonRecord cauldron, shoes;
        cauldron.paramPerLevel = {8, 6, 4};
        shoes.paramPerLevel = {1.0f, 1.3f, 1.6f};
        tables.addons = {cauldron, shoes};
        PotionRecord potion;
        potion.ingredientCount = 2;
        potion.ingredients = {0, 1};
        tables.potions = {potion};
        tables.potionCount = 1;
        tables.artifactValues = {40, 55};
        tables.artifactCount = 2;
        // Pictures of different heights, to see the stack.
        AddPicture("anim/ingredients/ingredient_scroll_a", 6, 10);
        AddPicture("anim/ingredients/ingredient_scroll_b", 6, 20);
        AddPicture("anim/potions/icons/potion1", 8, 16);
        AddPicture("anim/artifacts/artifact_2", 20, 30);
        AddPicture("anim/artifacts/artifact_2_off", 20, 30);
        for (const char* picture : kHeroinePictures) AddPicture(picture, 40, 60);
    }
    void TearDown() override {
        ShopTest::TearDown();
        GetGameTables() = savedTables;
    }

    // A frame as the shop runs it: the heroine hears of her body's animation ends.
    void StepPlayer(float dt, clsPlayer& player) {
        size_t ended = scene->animationsEnded.size();
        Step(dt, player);
        for (size_t index = ended; index < scene->animationsEnded.size(); ++index)
            if (scene->animationsEnded[index] == player.GetBody()) player.OnMoveEnded();
    }

    bool Shows(const clsPlayer& player, const std::string& picture) {
        return player.GetBody()->GetFrameworkSprite()->GetTexture() == scene->assets.textures.at(picture);
    }

    static TVec2 Offset(const clsPlayer& player, int index) {
        const clsBasicObject* item = player.GetCarriedItem(index);
        return item ? player.GetCarriedOffset(index) : TVec2(-999, -999);
    }

    GameTables savedTables;
};

TEST_F(PlayerTest, SheFacesTheWayOfHerWalk) {
    struct Case {
        float degrees;
        const char* facing;
        TVec2 anchor;
    };
    const Case cases[] = {
        {0, "right", {-5, -25}},       {45, "right", {-5, -25}},      {45.001f, "front", {-25, -25}},
        {135, "front", {-25, -25}},    {135.001f, "left", {-25, -45}}, {224.999f, "left", {-25, -45}},
        {225, "back", {35, -45}},      {314.999f, "back", {35, -45}},  {315, "right", {-5, -25}},
        {359.9f, "right", {-5, -25}},
    };
    clsPlayer player(scene.get(), 1);
    for (bool carrying : {false, true}) {
        if (carrying) player.TakeIngredient(0);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.degrees << " degrees" << (carrying ? ", carrying" : ""));
            player.PlayWalk(c.degrees);
            EXPECT_TRUE(Shows(player, std::string(carrying ? "anim/tessa/tessa_bringitem_" : "anim/tessa/tessa_walk_") +
                                          c.facing));
            EXPECT_EQ(player.GetCarryAnchor(), c.anchor);
            EXPECT_EQ(player.GetState(), clsPlayer::kWalking);
        }
    }
    player.RefreshAnimation();
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand_item"));
    EXPECT_EQ(player.GetCarryAnchor(), TVec2(-25, -25));
    EXPECT_EQ(player.GetState(), clsPlayer::kStanding);
}

TEST_F(PlayerTest, AWalkTakesTheDirectionOfItsTarget) {
    clsPlayer player(scene.get(), 1);
    player.SetPosition(kHome.x, kHome.y);
    player.RefreshAnimation();
    EXPECT_FALSE(player.WalkTo(kHome));  // already there: nothing changes
    EXPECT_EQ(player.GetState(), clsPlayer::kStanding);
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand"));

    // Straight and diagonal: the diagonals fall on the borders of the directions.
    const std::pair<TVec2, const char*> walks[] = {
        {{400, 300}, "right"}, {{300, 450}, "front"}, {{200, 300}, "left"}, {{300, 200}, "back"},
        {{400, 400}, "right"}, {{200, 400}, "front"}, {{200, 200}, "back"}, {{400, 200}, "right"}};
    for (const auto& [target, facing] : walks) {
        SCOPED_TRACE(facing);
        player.SetPosition(kHome.x, kHome.y);
        EXPECT_TRUE(player.WalkTo(target));
        EXPECT_TRUE(Shows(player, std::string("anim/tessa/tessa_walk_") + facing));
    }
}

TEST_F(PlayerTest, WalkingOnTheSameWayKeepsTheWalkCycleGoing) {
    AddAnimation("anim/tessa/tessa_walk_right", 4, "function DoAnim() while true do frames{1,2,3,4} end end");
    clsPlayer player(scene.get(), 1);
    player.PlayWalk(0);
    Step(0.040f, player);
    Step(0.0f, player);
    int frame = player.GetBody()->GetAnimation().GetCurrentFrame();
    ASSERT_GT(frame, 0);
    player.PlayWalk(30);  // the same picture: the cycle goes on
    Step(0.0f, player);
    EXPECT_EQ(player.GetBody()->GetAnimation().GetCurrentFrame(), frame);
    player.PlayWalk(90);
    player.PlayWalk(0);  // a new picture: the cycle starts again
    Step(0.0f, player);
    EXPECT_EQ(player.GetBody()->GetAnimation().GetCurrentFrame(), 0);
}

TEST_F(PlayerTest, ShoesSetHerSpeedAndSparkles) {
    struct Case {
        int shoesLevel;
        float speed;
        bool sparkles;
    };
    const Case cases[] = {{0, 100, false}, {1, 100, false}, {2, 130, true}, {3, 160, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shoes level " << c.shoesLevel);
        clsPlayer player(scene.get(), c.shoesLevel);
        EXPECT_FLOAT_EQ(player.GetSpeed(), c.speed);
        EXPECT_EQ(player.GetShoesEffect() != nullptr, c.sparkles);
        player.SetPosition(kHome.x, kHome.y);
        player.WalkTo(kHome + TVec2(c.speed, 0));
        for (int frame = 0; frame < 4; ++frame) StepPlayer(0.25f, player);
        EXPECT_NEAR(player.GetPosition().x, kHome.x + c.speed, 0.01f);  // one second's walk
        if (c.sparkles) {
            player.RefreshAnimation();
            EXPECT_TRUE(player.GetShoesEffect()->IsStopped());
            player.PlayWalk(0);
            EXPECT_FALSE(player.GetShoesEffect()->IsStopped());
        }
    }
    clsPlayer withoutPlayerProgress(scene.get());
    EXPECT_FLOAT_EQ(withoutPlayerProgress.GetSpeed(), 100);
}

// Each item stands on the one below it, centres half a height plus half a height apart.
TEST_F(PlayerTest, CarriedItemsStackUpwardsFromTheCarryAnchor) {
    clsPlayer player(scene.get(), 1);
    player.SetPosition(kHome.x, kHome.y);
    Step(0, player);
    EXPECT_FALSE(player.TakeIngredient(11));  // no picture: nothing taken
    EXPECT_EQ(player.GetNumCarriedItems(), 0);

    ASSERT_TRUE(player.TakeIngredient(0));  // 10 high
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand_item"));
    player.TakePotion(0);  // 16 high
    player.TakeArtifact(1);  // 30 high, shown smaller
    ASSERT_TRUE(player.TakeIngredient(1));  // 20 high
    const TVec2 stacked[] = {{-25, -25}, {-25, -38}, {-25, -61}, {-25, -86}};
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(Offset(player, index), stacked[index]);
    }
    auto* artifactPicture = player.GetCarriedItem(2)->AsArtifact()->GetSprite();
    EXPECT_EQ(artifactPicture->GetPosition(), kHome + TVec2(-25, -61));
    EXPECT_FLOAT_EQ(artifactPicture->GetScale().x, 0.7f);
    EXPECT_EQ(player.GetCarriedItemValue(0), 15);
    EXPECT_EQ(player.GetCarriedItemValue(1), 30);
    EXPECT_EQ(player.GetCarriedItemValue(2), 55);
    EXPECT_EQ(player.GetCarriedItemValue(4), 0);
    EXPECT_EQ(player.CountCarriedIngredients(), 2);
    EXPECT_EQ(player.CountCarriedPotions(), 1);
    EXPECT_TRUE(player.IsCarryingIngredient(1));
    EXPECT_FALSE(player.IsCarryingIngredient(2));

    player.PlayWalk(0);  // facing right: the stack moves over to the right-hand anchor
    EXPECT_EQ(Offset(player, 3), TVec2(-5, -86));
    Step(0.1f, player);  // the items follow her and bob
    clsObjectGraph* top = player.GetCarriedItem(3)->AsIngredientGraph()->GetIcon();
    EXPECT_FLOAT_EQ(top->GetPosition().x, player.GetPosition().x - 5);
    EXPECT_NE(top->GetPosition().y, player.GetPosition().y - 86);

    EXPECT_FALSE(player.RemoveCarriedIngredient(5));
    EXPECT_TRUE(player.RemoveCarriedPotion(0));  // from the middle: the gap closes
    ASSERT_EQ(player.GetNumCarriedItems(), 3);
    EXPECT_EQ(Offset(player, 1), TVec2(-5, -45));
    EXPECT_EQ(Offset(player, 2), TVec2(-5, -70));
}

TEST_F(PlayerTest, RemovingAndHandingOverTakeFromTheTop) {
    clsPlayer player(scene.get(), 1);
    player.TakePotion(0);
    player.TakeArtifact(1);
    player.TakePotion(0);
    clsBasicObject* top = player.GetCarriedItem(2);

    clsArtifact otherArtifact(scene.get(), 1, clsArtifact::kReady);
    player.GetCarriedItem(1)->AsArtifact()->SetState(clsArtifact::kSpent);
    EXPECT_FALSE(player.RemoveCarriedObject(&otherArtifact, true));  // spent: kept
    clsIngredientGraph ingredient(scene.get(), 0, clsIngredientGraph::kScroll);
    EXPECT_FALSE(player.RemoveCarriedObject(&ingredient, false));
    EXPECT_EQ(player.GetNumCarriedItems(), 3);

    std::unique_ptr<clsPotionGraph> handed(player.TakeOutPotion());
    ASSERT_EQ(handed.get(), top);
    EXPECT_EQ(handed->GetSprite()->GetParent(), nullptr);
    EXPECT_EQ(player.GetNumCarriedItems(), 2);

    EXPECT_TRUE(player.RemoveCarriedObject(&otherArtifact, false));
    EXPECT_EQ(player.CountCarriedPotions(), 1);
    EXPECT_TRUE(player.RemoveLastCarried());
    EXPECT_FALSE(player.RemoveLastCarried());
    EXPECT_EQ(player.TakeOutPotion(), nullptr);

    player.TakePotion(0);
    EXPECT_FALSE(player.RemoveCarried(&ingredient));
    EXPECT_TRUE(player.RemoveCarried(player.GetCarriedItem(0)));
    player.TakeIngredient(0);
    player.ClearCarried();
    EXPECT_EQ(player.GetNumCarriedItems(), 0);
    Step(0.1f, player);
}

// The one-shots the shop waits for: each shows its picture and action and keeps its state until
// the shop goes on when the animation ends.
TEST_F(PlayerTest, OneShotAnimationsEndWhereTheShopTakesOver) {
    clsPlayer player(scene.get(), 1);
    clsIngredientGraph target(scene.get(), 0, clsIngredientGraph::kScroll);  // stands in for a cauldron
    struct Case {
        std::function<void()> play;
        const char* picture;
        const char* action;
        int state;
    };
    const Case cases[] = {
        {[&] { player.PlayTakeItem(); }, "anim/tessa/tessa_take_item", "DoAnim", clsPlayer::kTakingItem},
        {[&] { player.PlayThrow(&target); }, "anim/tessa/tessa_throw", "ThrowObject", clsPlayer::kThrowing},
        {[&] { player.PlayThrowEnd(); }, "anim/tessa/tessa_throw", "ThrowObject2", clsPlayer::kThrowingEnd},
        {[&] { player.PlayFireStart(&target); }, "anim/tessa/tessa_fire", "FireStart", clsPlayer::kFiring},
        {[&] { player.PlayFireEnd(); }, "anim/tessa/tessa_fire", "FireEnd", clsPlayer::kFiringEnd},
        {[&] { random.scripted = {0}; player.PlayWin(); }, "anim/tessa/tessa_win_01", "DoAnim", clsPlayer::kWinning},
        {[&] { random.scripted = {3}; player.PlayWin(); }, "anim/tessa/tessa_win_02", "DoAnim", clsPlayer::kWinning},
        {[&] { random.scripted = {0}; player.PlayLose(); }, "anim/tessa/tessa_lose_01", "DoAnim", clsPlayer::kLosing},
        {[&] { random.scripted = {1}; player.PlayLose(); }, "anim/tessa/tessa_lose_02", "DoAnim", clsPlayer::kLosing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture + std::string(" ") + c.action);
        c.play();
        EXPECT_TRUE(Shows(player, c.picture));
        EXPECT_STREQ(player.GetBody()->GetLastAction().CStr(), c.action);
        EXPECT_EQ(player.GetState(), c.state);
        scene->animationsEnded.clear();
        StepPlayer(0.1f, player);
        EXPECT_EQ(scene->animationsEnded, std::vector<clsAnimatedSprite*>{player.GetBody()});
        EXPECT_EQ(player.GetState(), c.state);
    }
    EXPECT_EQ(player.GetActionTarget(), &target);
    player.ClearActionTarget();
    EXPECT_EQ(player.GetActionTarget(), nullptr);
}

TEST_F(PlayerTest, AnActivationLoopsForTheConfiguredTime) {
    clsPlayer player(scene.get(), 2);
    clsArtifact artifact(scene.get(), 1, clsArtifact::kReady);
    player.SetPosition(kHome.x, kHome.y);
    player.PlayActivated(&artifact);
    EXPECT_EQ(player.GetState(), clsPlayer::kActivationStart);
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_activated"));
    EXPECT_STREQ(player.GetBody()->GetLastAction().CStr(), "Start");
    EXPECT_EQ(player.GetActionTarget(), &artifact);
    EXPECT_TRUE(artifact.GetGlow()->IsVisible());
    EXPECT_TRUE(player.GetInvocationEffect()->IsVisible());
    EXPECT_TRUE(player.GetShoesEffect()->IsStopped());
    ASSERT_EQ(player.GetInvocationEffect()->GetPath().GetCount(), 4);
    float first[12];
    ASSERT_TRUE(player.GetInvocationEffect()->GetPath().GetSegment(1, first));
    EXPECT_FLOAT_EQ(first[3], 300 - 63 + 56.4f);
    EXPECT_FLOAT_EQ(first[4], 300 - 60 + 50.7f);
    EXPECT_FLOAT_EQ(first[5], 0.2f);
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"loop audio/sfx/artifact_pick"});
    player.PauseArtifactSound(true);
    EXPECT_EQ(scene->assets.sounds.back(), "pause audio/sfx/artifact_pick");

    StepPlayer(0.25f, player);  // "Start" has ended
    EXPECT_EQ(player.GetState(), clsPlayer::kActivationLoop);
    EXPECT_STREQ(player.GetBody()->GetLastAction().CStr(), "Loop");
    EXPECT_FLOAT_EQ(player.GetActivationSecondsLeft(), 1.0f);
    for (int frame = 0; frame < 3; ++frame) StepPlayer(0.25f, player);
    EXPECT_EQ(player.GetState(), clsPlayer::kActivationLoop);
    StepPlayer(0.25f, player);  // one second later
    EXPECT_EQ(player.GetState(), clsPlayer::kActivationEnd);
    EXPECT_STREQ(player.GetBody()->GetLastAction().CStr(), "End");
    EXPECT_TRUE(artifact.GetGlow()->IsVisible());

    StepPlayer(0.25f, player);  // "End" has ended
    EXPECT_EQ(player.GetState(), clsPlayer::kActivationEnd);
    EXPECT_FALSE(artifact.GetGlow()->IsVisible());
    EXPECT_FALSE(player.GetInvocationEffect()->IsVisible());
    EXPECT_FALSE(player.IsArtifactSoundPlaying());
    EXPECT_EQ(scene->assets.sounds.back(), "stop audio/sfx/artifact_pick");
    player.PauseArtifactSound(false);
    EXPECT_EQ(scene->assets.sounds.back(), "stop audio/sfx/artifact_pick");
}

TEST_F(PlayerTest, IdleVariationsPlayNowAndThenWhileSheStandsEmptyHanded) {
    random.scripted = {0, 1, 2};  // a 5 s delay, the second variation, then a 7 s delay
    clsPlayer player(scene.get(), 1);
    EXPECT_FLOAT_EQ(player.GetIdleDelaySeconds(), 5);
    player.RefreshAnimation();
    for (int frame = 0; frame < 9; ++frame) StepPlayer(0.5f, player);
    EXPECT_FALSE(player.IsIdleVariationPlaying());
    StepPlayer(0.5f, player);
    EXPECT_TRUE(player.IsIdleVariationPlaying());
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand_03"));
    EXPECT_EQ(player.GetState(), clsPlayer::kStanding);
    EXPECT_FLOAT_EQ(player.GetIdleDelaySeconds(), 7);
    StepPlayer(0.5f, player);  // the variation has ended
    EXPECT_FALSE(player.IsIdleVariationPlaying());
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand"));

    player.TakeIngredient(0);  // carrying: no variation
    random.scripted = {0};
    for (int frame = 0; frame < 14; ++frame) StepPlayer(0.5f, player);
    EXPECT_FALSE(player.IsIdleVariationPlaying());
    EXPECT_TRUE(Shows(player, "anim/tessa/tessa_stand_item"));

    player.ClearCarried();
    player.RefreshAnimation();
    player.SetIdleVariations(false);
    for (int frame = 0; frame < 40; ++frame) StepPlayer(0.5f, player);
    EXPECT_FALSE(player.IsIdleVariationPlaying());

    player.SetIdleVariations(true);  // walking holds the timer
    player.PlayWalk(0);
    for (int frame = 0; frame < 40; ++frame) Step(0.5f, player);
    EXPECT_FALSE(player.IsIdleVariationPlaying());
}

TEST_F(PlayerTest, PreloadListsHerAnimationsTheSparkleAndTheSound) {
    PreloadPlayerAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names[0], "anim/tessa/tessa_stand");
    EXPECT_EQ(names[3], "anim/tessa/tessa_stand_item");
    EXPECT_EQ(names[19], "anim/tessa/tessa_throw");
    EXPECT_EQ(names[20], "effects/fx_takeitem");
    EXPECT_EQ(names[21], "audio/sfx/artifact_pick?group=1000");
}

}  // namespace
