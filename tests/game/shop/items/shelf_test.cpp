#include "game/shop/items/shelf.h"

#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "tests/game/shop/items/items_fixture.h"

namespace {

// The shop's shelf and its artifact grid.
class ShelfTest : public ItemsTest {
protected:
    void SetUp() override {
        ItemsTest::SetUp();
        AddPicture("anim/drawer_01", 44, 34);
        AddPicture("anim/potions/potion1", 10, 12);
        shelf = std::make_unique<clsShelf>(scene.get(), 180, 13, 318, 203);
        shelf->BuildSlots(94, 33, 3, 3, 47, 31, 18, 16);
    }
    void TearDown() override {
        shelf.reset();
        ItemsTest::TearDown();
    }
    clsPotionGraph* Potion() { return new clsPotionGraph(scene.get(), 0, true); }

    std::unique_ptr<clsShelf> shelf;
};

TEST_F(ShelfTest, NineArtifactsFillTheGridRowByRowAndATenthIsRefused) {
    EXPECT_EQ(shelf->GetSlotCount(), 9);
    EXPECT_EQ(shelf->GetSlotRect(0), TRect(274, 46, 321, 77));
    EXPECT_EQ(shelf->GetSlotRect(1).left, 337);
    EXPECT_EQ(shelf->GetSlotRect(3).top, 46 + 31 + 18);
    for (int id = 0; id < 9; ++id) EXPECT_TRUE(shelf->PutInFreeSlot(new clsArtifact(scene.get(), id, 0), 1));
    EXPECT_EQ(shelf->GetSlotItem(4)->GetSprite()->GetPosition(), TVec2(337, 95));
    auto* tenth = new clsArtifact(scene.get(), 0, 0);
    EXPECT_FALSE(shelf->PutInFreeSlot(tenth, 1));
    delete tenth;
    EXPECT_FALSE(shelf->PutInFreeSlot(nullptr, 1));
    EXPECT_EQ(shelf->GetSlotItem(9), nullptr);
    EXPECT_EQ(shelf->GetSlotItem(-1), nullptr);
}

TEST_F(ShelfTest, ArtifactsAreFoundByTheirIdFromTheLastSlot) {
    shelf->PutInFreeSlot(new clsArtifact(scene.get(), 2, 0), 1);
    shelf->PutInFreeSlot(Potion(), 1);
    shelf->PutInFreeSlot(new clsArtifact(scene.get(), 2, 0), 1);
    EXPECT_EQ(shelf->FindSlotByItemId(2), shelf->GetSlotItem(2));
    EXPECT_EQ(shelf->FindSlotByItemId(0), nullptr) << "the potion has no artifact id";
    EXPECT_EQ(shelf->FindSlotByItemId(5), nullptr);
}

TEST_F(ShelfTest, PlacesSitInTheDrawerAndOpenOnceUpToTheDrawerCount) {
    const TRect places[] = {{190, 83, 230, 113}, {190, 128, 230, 158}, {190, 178, 230, 208}};
    for (int i = 0; i < clsShelf::kSpots; ++i) {
        EXPECT_EQ(shelf->GetSpotRect(i), places[i]);
        EXPECT_EQ(shelf->GetSpotSprite(i)->GetPosition(), TVec2(210, places[i].top + 15));
        EXPECT_FALSE(shelf->GetSpotSprite(i)->IsVisible());
        EXPECT_TRUE(shelf->GetSpotCover(i)->IsVisible());
    }
    EXPECT_EQ(shelf->GetSpotCover(2)->GetPosition(), TVec2(208.5f, 190.8f));
    shelf->SetSpotCount(2);
    shelf->SetSpotCount(3);
    EXPECT_TRUE(shelf->IsSpotEnabled(1));
    EXPECT_FALSE(shelf->IsSpotEnabled(2)) << "a second count opens nothing";
    EXPECT_FALSE(shelf->GetSpotCover(0)->IsVisible());
    EXPECT_TRUE(shelf->GetSpotCover(2)->IsVisible());

    clsPotionGraph* refused = Potion();
    shelf->PlaceItem(refused, 2);
    EXPECT_TRUE(shelf->IsSpotEmpty(2)) << "closed places stay empty, yet count as empty";
    refused->Destroy();
    EXPECT_FALSE(shelf->IsSpotEmpty(3));

    int index = -1;
    EXPECT_TRUE(shelf->FindSpotAt(TPoint{190, 83}, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(shelf->FindSpotAt(TPoint{230, 90}, index)) << "the right edge is outside";
    EXPECT_FALSE(shelf->FindSpotAt(TPoint{200, 113}, index)) << "the bottom edge is outside";
    EXPECT_FALSE(shelf->FindSpotAt(TPoint{200, 190}, index)) << "the closed place";
}

TEST_F(ShelfTest, APlacedPotionStandsOnItsPlaceUntilRemovedOrTaken) {
    shelf->SetSpotCount(3);
    clsPotionGraph* first = Potion();
    shelf->PlaceItem(first, 1);
    EXPECT_EQ(first->GetSprite()->GetPosition(), TVec2(210, 143));
    EXPECT_EQ(shelf->GetSpotItem(1), first);
    clsPotionGraph* second = Potion();
    shelf->PlaceItem(second, 1);
    EXPECT_EQ(shelf->GetSpotItem(1), first) << "an occupied place keeps its potion";
    EXPECT_EQ(shelf->FindSpotByItem(first), 1);
    EXPECT_EQ(shelf->FindSpotByItem(second), -1);
    EXPECT_EQ(shelf->FindSpotBySprite(shelf->GetSpotSprite(1)), 1);
    EXPECT_EQ(shelf->FindSpotBySprite(first->GetSprite()), -1);

    EXPECT_TRUE(shelf->RemoveItem(first));
    EXPECT_TRUE(first->IsReleased());
    EXPECT_TRUE(shelf->IsSpotEmpty(1));
    EXPECT_FALSE(shelf->RemoveItem(first));

    shelf->PlaceItem(second, 0);
    EXPECT_EQ(shelf->TakeSpotItem(0), second);
    EXPECT_TRUE(shelf->IsSpotEmpty(0));
    EXPECT_EQ(shelf->TakeSpotItem(0), nullptr);
    delete second;
}

TEST_F(ShelfTest, PlacedPotionsGoToTheScenesDeletionWithTheShelf) {
    shelf->SetSpotCount(1);
    clsPotionGraph* stored = Potion();
    shelf->PlaceItem(stored, 0);
    shelf->Update(0.016f);
    shelf->Draw();
    shelf.reset();
    EXPECT_TRUE(stored->IsReleased());
    PreloadShelfAnims(scene->assets);
    EXPECT_EQ(scene->assets.preload, std::vector<std::string>{"anim/drawer_01"});
}

}  // namespace
