// The shop's input without pictures: what the cauldrons' regions and the floor give, the errands a
// click queues, the right button and the keys (the cursor needs the application: see the scenarios). (Clicks on pictured objects are played
// through the headless game: the scenarios in level/.)
#include <memory>

#include "game/data/game_manager.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/screen/shop_game.h"
#include "tests/game/shop/screen/shop_screen_fixture.h"

namespace {

// One level without customers, its shop open after 0.1 s.
const char kQuietLevel[] =
    "<config><game><initDelay>0.1</initDelay><maxSecsElapsed>0.05</maxSecsElapsed><levelOfPlant>99</levelOfPlant>"
    "<levelOfPhoenix>99</levelOfPhoenix><playerSpeed>400</playerSpeed></game>"
    "<levels multiple=\"true\"><level id=\"0\"><timeMinutes>1</timeMinutes><customersAtTime>0</customersAtTime>"
    "<goal>20</goal><expertGoal>50</expertGoal><potions>0</potions><potionsTypes>1</potionsTypes></level></levels>"
    "<potions multiple=\"true\"><potion id=\"p0\"><ingredients>A</ingredients></potion></potions></config>";

// The first cauldron stands at (462, 496): its mouth above, its fire below, its drain at the right.
const TPoint kMouth{462, 470};
const TPoint kFire{462, 530};
const TPoint kDrain{515, 466};
const TPoint kFloor{300, 300};

class ShopInputTest : public ShopScreenTest {
protected:
    void SetUp() override {
        ShopScreenTest::SetUp();
        StartGame(kQuietLevel);
        Open(0);
        Run(10);
        cauldron = shop->GetCauldrons().at(0).get();
    }
    void Click(TPoint point) {
        shop->OnMouseMove(point);
        shop->OnMouseDown(point);
    }

    clsCauldron* cauldron = nullptr;
};

TEST_F(ShopInputTest, CauldronRegionsGiveTheirKinds) {
    struct Case {
        TPoint point;
        int kind;
    };
    for (const Case& c : {Case{kMouth, kHoverCauldronMouth}, Case{kFire, kHoverCauldronFire},
                          Case{kDrain, kHoverCauldronEmpty}}) {
        shop->OnMouseMove(c.point);
        EXPECT_EQ(shop->GetHoverKind(), c.kind) << c.point.x << "," << c.point.y;
        EXPECT_EQ(shop->GetHoverObject(), cauldron->GetBody());
    }
    shop->OnMouseMove(kFloor);
    EXPECT_EQ(shop->GetHoverKind(), kHoverNothing);
    EXPECT_EQ(shop->GetHoverObject(), nullptr);
}

TEST_F(ShopInputTest, ClicksQueueErrandsWithTheirMarks) {
    Click(kFloor);
    Click({50, 50});  // outside the floor
    Click(kFire);
    Click(kDrain);
    const auto& orders = shop->GetOrders();
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0]->kind, clsPlayerOrder::kWalk);
    EXPECT_EQ(orders[0]->target, nullptr);
    EXPECT_EQ(orders[1]->kind, clsPlayerOrder::kLightFire);
    EXPECT_EQ(orders[2]->kind, clsPlayerOrder::kEmptyCauldron);
    EXPECT_EQ(orders[2]->target, cauldron->GetBody());
    ASSERT_EQ(shop->GetCheckMarks().size(), 2u);
    EXPECT_EQ(shop->GetCheckMarks()[0].kind, kHoverCauldronFire);
    EXPECT_EQ(shop->GetCheckMarks()[1].kind, kHoverCauldronEmpty);
    EXPECT_EQ(cauldron->GetBody()->GetMarkCount(), 2);
}

TEST_F(ShopInputTest, TheRightButtonStopsTheErrandUnderWayAfterItsWalkAndDropsTheOthers) {
    Click(kFire);
    Click(kDrain);
    Run(1);
    const auto& orders = shop->GetOrders();
    ASSERT_EQ(orders.size(), 2u);
    ASSERT_EQ(orders[0]->phase, clsPlayerOrder::kStarted);
    EXPECT_FALSE(shop->OnMouseButton(kFloor, 0)) << "a right button's release does nothing";
    EXPECT_TRUE(shop->OnMouseButton(kFloor, 1));
    EXPECT_EQ(orders[0]->phase, clsPlayerOrder::kCancelled);
    EXPECT_EQ(orders[1]->phase, clsPlayerOrder::kDone);
    EXPECT_TRUE(shop->GetCheckMarks().empty());
    EXPECT_FALSE(cauldron->GetBody()->IsMarked());
    for (int frame = 0; frame < 200 && !orders.empty(); ++frame) Run(1);
    EXPECT_TRUE(orders.empty()) << "she walks on, does nothing there, and the queue empties";
    EXPECT_FALSE(cauldron->IsBusy()) << "the fire was not lit";
}

TEST_F(ShopInputTest, PPausesOnlyInsideTheGame) {
    GameManager* manager = GameManager::Get();
    manager->InsideGame(false);
    EXPECT_FALSE(shop->OnKeyDown('P', 0));
    manager->InsideGame(true);
    EXPECT_FALSE(shop->OnKeyDown('Q', 0));
    EXPECT_TRUE(shop->OnKeyDown('P', 0));
    EXPECT_FALSE(manager->AreInsideGame());
    EXPECT_TRUE(shop->OnKeyDown(27, 0)) << "Escape is the shop's";
}

TEST_F(ShopInputTest, AFireErrandOnACauldronNotReadyEndsAtOnce) {
    auto order = std::make_unique<clsPlayerOrder>();
    order->kind = clsPlayerOrder::kLightFire;
    order->phase = clsPlayerOrder::kStarted;
    order->target = cauldron->GetBody();
    shop->PerformAction(order.get());
    EXPECT_EQ(order->phase, clsPlayerOrder::kDone);
    EXPECT_FALSE(cauldron->IsBusy());
}

}  // namespace
