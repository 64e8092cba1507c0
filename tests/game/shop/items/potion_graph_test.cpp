#include "game/shop/items/potion_graph.h"

#include "game/shop/items/ingredient_graph.h"
#include "tests/game/shop/items/items_fixture.h"

namespace {

using PotionGraphTest = ItemsTest;

TEST_F(PotionGraphTest, APotionShowsItsBottleAndIsWorthFifteenPerIngredient) {
    AddPicture("anim/potions/potion2", 10, 12);
    AddPicture("anim/potions/icons/potion2", 6, 6);
    clsPotionGraph bottle(scene.get(), 1, false);
    EXPECT_EQ(bottle.GetTypeCode(), clsBasicObject::kPotionGraph);
    EXPECT_EQ(bottle.AsPotionGraph(), &bottle);
    EXPECT_EQ(bottle.AsArtifact(), nullptr);
    EXPECT_EQ(bottle.GetPotionId(), 1);
    EXPECT_EQ(bottle.GetValue(), 45);
    EXPECT_EQ(bottle.GetSprite()->GetWidth(), 10);
    EXPECT_EQ(bottle.GetSprite()->GetHolder(), &bottle);
    EXPECT_EQ(bottle.GetSparkle(), nullptr);

    clsPotionGraph icon(scene.get(), 1, true);
    EXPECT_EQ(icon.GetSprite()->GetWidth(), 6);
    EXPECT_EQ(clsPotionGraph::TextureName(2, true), "anim/potions/icons/potion3");
}

TEST_F(PotionGraphTest, NoPotionOrOneWithoutPictureChangesNothing) {
    AddPicture("anim/potions/potion1", 10, 12);
    clsPotionGraph none(scene.get(), clsPotionGraph::kNoPotion, false);
    EXPECT_EQ(none.GetPotionId(), clsPotionGraph::kNoPotion);
    EXPECT_EQ(none.GetSprite()->GetWidth(), 0);
    EXPECT_EQ(none.GetValue(), 0);

    clsPotionGraph bottle(scene.get(), 0, false);
    const struct {
        int id;
        const char* why;
    } refused[] = {{clsPotionGraph::kNoPotion, "no potion"}, {2, "no picture"}, {3, "no such potion"}, {-5, "negative"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(bottle.SetPotion(c.id));
        EXPECT_EQ(bottle.GetPotionId(), 0);
        EXPECT_EQ(bottle.GetValue(), 15);
    }
    EXPECT_EQ(clsPotionGraph::TextureName(3, false), "");
}

TEST_F(PotionGraphTest, TheFruitSparklesAndIsWorthSixty) {
    AddPicture("anim/plant/plant_fruit", 8, 8);
    AddAnimation("fx/fruit/fx_fruit", 3, "function DoAnim() frames{1,2,3} end");
    clsPotionGraph fruit(scene.get(), clsPotionGraph::kFruitPotion, true);
    EXPECT_EQ(fruit.GetValue(), 60);
    EXPECT_EQ(fruit.GetSprite()->GetWidth(), 8);
    ASSERT_NE(fruit.GetSparkle(), nullptr);
    EXPECT_EQ(fruit.GetSparkle()->GetLastAction(), "DoAnim");
    fruit.GetSprite()->SetPosition(100, 50);
    Step(0.016f, fruit);
    EXPECT_EQ(fruit.GetSparkle()->GetPosition(), TVec2(95, 40));
    fruit.SetSparkleVisible(false);
    EXPECT_FALSE(fruit.GetSparkle()->IsVisible());
    FinishAction(*fruit.GetSparkle());
    Step(0.016f, fruit);
    EXPECT_EQ(scene->animationsEnded, std::vector<clsAnimatedSprite*>{fruit.GetSparkle()});
    EXPECT_EQ(scene->hooks, std::vector<std::string>{"OnAnimationEnded"});
}

TEST_F(PotionGraphTest, AnUnchangedPotionIsNotLoadedAgain) {
    AddPicture("anim/potions/potion1", 10, 12);
    AddPicture("anim/potions/potion3", 14, 12);
    clsPotionGraph bottle(scene.get(), 0, false);
    scene->assets.textures.erase("anim/potions/potion1");
    EXPECT_TRUE(bottle.SetPotionIfChanged(0));
    EXPECT_TRUE(bottle.SetPotionIfChanged(2));
    EXPECT_EQ(bottle.GetValue(), 30);
    EXPECT_FALSE(bottle.SetPotionIfChanged(0)) << "a new potion needs its picture";
}

TEST_F(PotionGraphTest, DestroyHandsTheItemAndItsSpriteToTheScene) {
    AddPicture("anim/potions/potion1", 10, 12);
    auto* bottle = new clsPotionGraph(scene.get(), 0, false);
    clsAnimatedSprite* sprite = bottle->GetSprite();
    bottle->Destroy();
    EXPECT_TRUE(bottle->IsReleased());
    EXPECT_TRUE(sprite->IsReleased());
    EXPECT_EQ(bottle->GetSprite(), nullptr);
    scene->DeleteReleasedObjects();

    auto* loose = new clsPotionGraph(nullptr, 0, false);  // without a scene it goes at once
    loose->Destroy();
}

TEST_F(PotionGraphTest, PreloadListsBothFormsTheFruitAndItsSparkle) {
    PreloadPotionAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names[0], "anim/potions/potion1");
    EXPECT_EQ(names[9], "anim/potions/potion10");
    EXPECT_EQ(names[10], "anim/plant/plant_fruit");
    EXPECT_EQ(names[11], "anim/potions/icons/potion1");
    EXPECT_EQ(names[21], "fx/fruit/fx_fruit");
}

using IngredientGraphTest = ItemsTest;

TEST_F(IngredientGraphTest, IconsComeInScrollsAndBoxesForKnownIngredients) {
    AddPicture("anim/ingredients/ingredient_box_c", 9, 9);
    AddPicture("anim/ingredients/ingredient_scroll_a", 7, 9);
    clsIngredientGraph box(scene.get(), 2, clsIngredientGraph::kBox);
    EXPECT_EQ(box.AsIngredientGraph(), &box);
    EXPECT_EQ(box.AsPotionGraph(), nullptr);
    ASSERT_NE(box.GetIcon(), nullptr);
    EXPECT_EQ(box.GetIcon()->GetWidth(), 9);
    EXPECT_EQ(box.GetIcon()->GetHolder(), &box);
    EXPECT_EQ(box.GetSparkle(), nullptr);
    EXPECT_FALSE(box.IsPhoenixIngredient());
    clsIngredientGraph scroll(scene.get(), 0, clsIngredientGraph::kScroll);
    EXPECT_EQ(scroll.GetIcon()->GetWidth(), 7);

    const struct {
        int id, kind;
    } iconless[] = {{11, clsIngredientGraph::kBox}, {-1, clsIngredientGraph::kScroll}, {2, 2}};
    for (const auto& c : iconless) {
        clsIngredientGraph graph(scene.get(), c.id, c.kind);
        EXPECT_EQ(graph.GetIcon(), nullptr) << c.id << " " << c.kind;
        graph.SetVisible(false);
        Step(0.016f, graph);
        graph.Draw();
    }
}

TEST_F(IngredientGraphTest, ThePhoenixIngredientSparklesAndHidesWithItsIcon) {
    AddPicture("anim/ingredients/ingredient_box_k", 9, 9);
    AddAnimation("anim/ingredients/fx_takeitem", 2, "function DoAnim() frames{1,2} end");
    auto* feather = new clsIngredientGraph(scene.get(), clsIngredientGraph::kPhoenixIngredient, clsIngredientGraph::kBox);
    EXPECT_TRUE(feather->IsPhoenixIngredient());
    ASSERT_NE(feather->GetSparkle(), nullptr);
    feather->GetIcon()->SetPosition(40, 30);
    Step(0.016f, *feather);
    EXPECT_EQ(feather->GetSparkle()->GetPosition(), TVec2(38, 35));
    feather->SetVisible(false);
    EXPECT_FALSE(feather->GetIcon()->IsVisible());
    EXPECT_FALSE(feather->GetSparkle()->IsVisible());
    clsSprite* icon = feather->GetIcon();
    clsAnimatedSprite* sparkle = feather->GetSparkle();
    feather->Destroy();
    EXPECT_TRUE(icon->IsReleased());
    EXPECT_TRUE(sparkle->IsReleased());
    EXPECT_EQ(feather->GetIcon(), nullptr);
}

TEST_F(IngredientGraphTest, PreloadHasNoBoxForThePhoenixIngredient) {
    PreloadIngredientAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names[9], "anim/ingredients/ingredient_box_j");
    EXPECT_EQ(names[10], "anim/ingredients/ingredient_scroll_a");
    EXPECT_EQ(names[20], "anim/ingredients/ingredient_scroll_k");
    EXPECT_EQ(names[21], "anim/ingredients/fx_takeitem");
}

}  // namespace
