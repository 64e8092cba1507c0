#include <cmath>

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

class MagicBookTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.numberOfIngredients = 10;
        tables.potions = {{15, 1, {0}}, {15, 2, {1, 2}}, {15, 3, {3, 4, 5}}};
        AddPicture("anim/potions/potion3", 20, 30);
        AddPicture("anim/potions/potion2", 20, 30);
        AddAnimation("gui/magicbook/anim_gui_paper", 6, "function DoAnim() frames{1,2,3,4,5,6} end");
        AddAnimation("effects/stars_stand", 2, "function DoAnim() loop(100, {1,2}) end");
        AddPicture("anim/ingredients/ingredient_box_c", 20, 10);
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }

    clsAnimatedSprite& PotionSprite(clsMagicBookPaper& book) { return *book.GetPotion().GetSprite(); }
};

TEST_F(MagicBookTest, TheHitRectangleStandsFromTheWholePixelsOfThePanelsPlace) {
    clsMagicBookPaper book(scene.get(), 591.7f, 5.2f);
    EXPECT_EQ(book.GetHitRect(), TRect(646, 10, 754, 140));
    struct Case {
        TPoint point;
        bool inside;
    };
    for (Case c : {Case{{646, 10}, true}, Case{{753, 139}, true}, Case{{754, 50}, false}, Case{{700, 140}, false},
                   Case{{645, 50}, false}})
        EXPECT_EQ(book.HitTest(c.point), c.inside) << c.point.x << "," << c.point.y;
    book.Update(0.0f);
    EXPECT_EQ(PotionSprite(book).GetPosition(), TVec2(591.7f + 49.0f, 5.2f + 109.5f));
}

TEST_F(MagicBookTest, TheFirstChoiceShowsThePotionWithItsStars) {
    clsMagicBookPaper book(scene.get(), 591.0f, 5.0f);
    EXPECT_EQ(book.GetStarsState(), clsMagicBookPaper::kStarsHidden);
    book.SelectPotion(-1);
    EXPECT_EQ(book.GetPotion().GetPotionId(), clsPotionGraph::kNoPotion);
    book.SelectPotion(2);
    book.SetOpen(true);
    EXPECT_TRUE(PotionSprite(book).IsVisible());
    EXPECT_EQ(book.GetPotion().GetPotionId(), 2);
    EXPECT_EQ(book.GetStarsState(), clsMagicBookPaper::kStarsShown);
    EXPECT_TRUE(book.GetStars().IsVisible());

    book.SelectPotion(1);  // another choice: the stars go out until the book opens again
    EXPECT_FALSE(book.GetStars().IsVisible());
    EXPECT_EQ(book.GetPotion().GetPotionId(), 1);
    book.SetOpen(true);
    EXPECT_TRUE(book.GetStars().IsVisible());
    book.SetOpen(false);
    EXPECT_FALSE(book.GetStars().IsVisible());
    book.SelectPotion(7);  // no picture: the potion goes out of sight
    EXPECT_FALSE(PotionSprite(book).IsVisible());
}

TEST_F(MagicBookTest, AnOrderNeedsAShownPotionAndATargetStillInTheScene) {
    clsMagicBookPaper book(scene.get(), 591.0f, 5.0f);
    clsSprite cauldron(scene.get());
    book.SendToTarget(&cauldron);
    EXPECT_FALSE(book.GetPaper().IsVisible()) << "no potion chosen";
    book.SelectPotion(2);
    book.SendToTarget(nullptr);
    EXPECT_FALSE(book.GetPaper().IsVisible());
    auto* released = new clsSprite(scene.get());
    released->Destroy();
    book.SendToTarget(released);
    EXPECT_FALSE(book.GetPaper().IsVisible()) << "a target on its way out";
    EXPECT_EQ(book.GetTarget(), nullptr);
}

TEST_F(MagicBookTest, ThePaperTakesThePotionAtFrameThreeAndFliesToTheCauldron) {
    clsMagicBookPaper book(scene.get(), 591.0f, 5.0f);
    clsSprite cauldron(scene.get());
    cauldron.SetPosition(572.0f, 496.0f);
    cauldron.Update(0.0f);
    book.SelectPotion(2);
    book.SetOpen(true);
    book.SendToTarget(&cauldron);
    EXPECT_TRUE(book.GetPaper().IsVisible());
    EXPECT_EQ(book.GetPaper().GetPosition(), TVec2(610.0f, -1.0f));
    EXPECT_EQ(book.GetOrderedPotion(), 2);

    while (book.GetPaper().GetAnimation().GetCurrentFrame() < 3) {
        EXPECT_TRUE(PotionSprite(book).IsVisible());
        Step(0.016f, book);
    }
    EXPECT_FALSE(PotionSprite(book).IsVisible());
    EXPECT_FALSE(book.GetStars().IsVisible());
    EXPECT_EQ(book.GetStarsState(), clsMagicBookPaper::kStarsDelivered);

    FinishAction(book.GetPaper());
    Step(0.016f, book);
    ASSERT_EQ(scene->animationsEnded.back(), &book.GetPaper());
    clsAnimatedSprite other(scene.get());
    EXPECT_FALSE(book.OnAnimationEnded(&other));
    EXPECT_TRUE(book.OnAnimationEnded(&book.GetPaper()));
    EXPECT_EQ(book.GetTarget(), nullptr);
    TVec2 start = book.GetPaper().GetPosition();
    Step(0.1f, book);
    TVec2 moved = book.GetPaper().GetPosition() - start;
    EXPECT_NEAR(std::hypot(moved.x, moved.y), clsMagicBookPaper::kPaperSpeed * 0.1f, 0.5f);
    for (int step = 0; step < 100 && scene->arrivals.empty(); ++step) Step(0.016f, book);
    ASSERT_EQ(scene->arrivals, std::vector<clsObjectGraph*>{&book.GetPaper()});
    EXPECT_EQ(book.GetPaper().GetPosition(), TVec2(572.0f - 70.0f, 496.0f - 150.0f));
    book.HidePaper(&cauldron);
    EXPECT_TRUE(book.GetPaper().IsVisible());
    book.HidePaper(&book.GetPaper());
    EXPECT_FALSE(book.GetPaper().IsVisible());

    book.PrepareStars();  // the next choice shows the stars again
    book.SelectPotion(2);
    book.SetOpen(true);
    EXPECT_TRUE(book.GetStars().IsVisible());
    EXPECT_TRUE(PotionSprite(book).IsVisible());
}

TEST_F(MagicBookTest, AMagicBoxIsHitInsideItsIngredientLeavingTheRightAndBottomEdges) {
    clsMagicBox box(scene.get(), 2, 100);
    EXPECT_EQ(box.GetIngredient()->GetDisplayKind(), clsIngredientGraph::kBox);
    EXPECT_EQ(box.GetBoxParameter(), 100);
    box.SetPosition(100.0f, 50.0f);
    box.Update(0.0f);
    struct Case {
        TPoint point;
        bool inside;
    };
    for (Case c : {Case{{90, 45}, true}, Case{{109, 54}, true}, Case{{110, 50}, false}, Case{{100, 55}, false},
                   Case{{89, 50}, false}})
        EXPECT_EQ(box.HitTest(c.point), c.inside) << c.point.x << "," << c.point.y;
    EXPECT_FALSE(SpriteRectContains(nullptr, {100, 50}));
}

TEST_F(MagicBookTest, AMarkerFollowsItsBoxAndShowsWhenAsked) {
    clsMagicBox box(scene.get(), 2, 100);
    box.SetMarkerVisible(true);  // no marker yet: nothing happens
    box.AttachMarker(new clsAnimatedSprite(scene.get()), 5.0f, -10.0f, false);
    box.SetPosition(100.0f, 50.0f);
    box.Update(0.0f);
    EXPECT_EQ(box.GetMarker()->GetPosition(), TVec2(105.0f, 40.0f));
    EXPECT_FALSE(box.GetMarker()->IsVisible());
    box.SetMarkerVisible(true);
    EXPECT_TRUE(box.GetMarker()->IsVisible());
}

}  // namespace
