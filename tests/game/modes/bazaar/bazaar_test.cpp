#include <array>
#include <ostream>
#include <string>

#include "game/shop/items/shelf.h"
#include "tests/game/modes/bazaar/bazaar_fixture.h"

namespace {

std::string Point(const TVec2& point) { return TString::Format("%g,%g", point.x, point.y).CStr(); }

// Every add-on of the bazaar as kind:level:picture-state@place[$tag], a drawer's place as its shelf
// spot; "-" marks one the pointer cannot pick.
std::string Describe(clsBazaar& bazaar) {
    std::string text;
    for (auto& addon : bazaar.GetAddons()) {
        if (!text.empty()) text += ' ';
        TVec2 place = addon->GetSprite()->GetPosition();
        std::string where = Point(place);
        for (int spot = 0; spot < 3 && addon->GetKind() == clsAddon::kDrawer; ++spot)
            if (Point(bazaar.GetShelf()->GetSpotSprite(spot)->GetPosition()) == where) where = "spot" + std::to_string(spot);
        text += std::to_string(addon->GetKind()) + ":" + std::to_string(addon->GetLevel()) + ":" +
                std::to_string(addon->GetState()) + "@" + where;
        if (BazaarPriceTag* tag = bazaar.FindPriceTag(addon.get()))
            text += std::string("$") + tag->GetText().CStr() + "@" + Point(tag->GetPosition());
        if (!addon->IsSelectable()) text += "-";
    }
    return text;
}

struct SetUpCase {
    const char* name;
    int level;
    int levelOfPhoenix;
    std::array<int, 3> cauldrons;
    int shoes, phoenix, harp, drawer;
    const char* addons;
};

void PrintTo(const SetUpCase& c, std::ostream* os) { *os << c.name; }

const char kShoes1[] = "1:2:1@300,353$15@360,353 ";
const char kCauldrons100[] = "0:2:1@459.6,489.6$20@461.5,543.9 0:1:1@567.8,489.6$10@573.4,543.9 "
                             "0:1:1@678.6,489.6$10@685.5,544 ";
const char kHarp0[] = "3:1:1@370,458$7@506.9,360.9 ";

const SetUpCase kSetUpCases[] = {
    {"FreshPlayerBeforeThePhoenix", 0, 4, {1, 0, 0}, 1, 1, 0, 0,
     "1:2:1@300,353$15@360,353 0:2:1@459.6,489.6$20@461.5,543.9 0:1:1@567.8,489.6$10@573.4,543.9 "
     "0:1:1@678.6,489.6$10@685.5,544 3:1:1@370,458$7@506.9,360.9 2:1:5@133.5,230.1- "
     "4:1:1@spot0$3@285.4,96.2 4:1:5@spot1- 4:2:5@spot2-"},
    {"OneLevelBeforeThePhoenixStillAPlaceholder", 3, 4, {1, 0, 0}, 1, 1, 0, 2,
     "1:2:1@300,353$15@360,353 0:2:1@459.6,489.6$20@461.5,543.9 0:1:1@567.8,489.6$10@573.4,543.9 "
     "0:1:1@678.6,489.6$10@685.5,544 3:1:1@370,458$7@506.9,360.9 2:1:5@133.5,230.1- 4:3:1@spot2$6@285.4,191"},
    {"ThePhoenixOnSaleFromItsLevel", 4, 4, {3, 2, 3}, 2, 1, 2, 1,
     "1:3:1@300,353$25@360,353 0:3:1@567.8,489.6$30@573.4,543.9 3:3:1@370,458$9@506.9,360.9 "
     "2:2:1@133.5,230.1$50@274.1,143.8 4:2:1@spot1$4@285.4,142.2 4:2:5@spot2-"},
    {"EverythingBought", 5, 4, {3, 3, 3}, 3, 3, 3, 3, ""},
};

class BazaarSetUpTest : public BazaarTest, public ::testing::WithParamInterface<SetUpCase> {};

}  // namespace

TEST_P(BazaarSetUpTest, EveryUpgradeForSaleHasItsAddonAndTag) {
    const SetUpCase& c = GetParam();
    StartGame(BazaarConfig(c.levelOfPhoenix));
    SavedLevelRecord& saved = Saved();
    saved.cauldronLevels = c.cauldrons;
    saved.shoesLevel = c.shoes;
    saved.phoenixLevel = c.phoenix;
    saved.harpLevel = c.harp;
    saved.drawerLevel = c.drawer;
    OpenBazaar(c.level, 100);
    EXPECT_EQ(Describe(*bazaar), c.addons);
    EXPECT_EQ(bazaar->GetCauldrons().size(), 3u);  // all three, at the grade on offer
    bool allSold = std::string(c.addons).empty();
    EXPECT_EQ(bazaar->IsAllSold(), allSold);
    EXPECT_EQ(Shown("containerMessage"), allSold);
    EXPECT_EQ(Shown("btnBazaarDone"), !allSold);
    EXPECT_EQ(Text("txtScore"), "$100");
    EXPECT_EQ(bazaar->GetMode(), clsBazaar::kBrowsing);
}

INSTANTIATE_TEST_SUITE_P(Records, BazaarSetUpTest, ::testing::ValuesIn(kSetUpCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BazaarTest, PointingPreviewsAndAClickSelectsWithTheButtons) {
    StartGame(BazaarConfig(4));
    OpenBazaar(0, 100);
    clsAddon* harp = Offered(clsAddon::kHarp);
    clsAddon* shoes = Offered(clsAddon::kShoes);
    bazaar->OnMouseMove({370, 458});
    EXPECT_EQ(bazaar->GetHovered(), harp);
    EXPECT_EQ(harp->GetState(), clsAddon::kOver);
    EXPECT_TRUE(Shown("panelDescription"));
    EXPECT_FALSE(Shown("btn_buy"));
    EXPECT_EQ(Text("txtAddonName"), "addonName4_1");
    EXPECT_EQ(Text("txtAddonCost"), "lblPrice $ 7");
    bazaar->OnMouseDown({370, 458});
    EXPECT_EQ(bazaar->GetSelected(), harp);
    EXPECT_EQ(harp->GetState(), clsAddon::kSelected);
    EXPECT_TRUE(Shown("btn_buy"));
    EXPECT_TRUE(Shown("btn_cancel"));
    // Another add-on under the pointer lights up; the panel keeps the one selected.
    bazaar->OnMouseMove({300, 353});
    EXPECT_EQ(shoes->GetState(), clsAddon::kOver);
    EXPECT_EQ(Text("txtAddonName"), "addonName4_1");
    bazaar->OnMouseMove({10, 10});
    EXPECT_EQ(bazaar->GetHovered(), nullptr);
    EXPECT_TRUE(Shown("panelDescription"));
    bazaar->CancelAddon();
    EXPECT_EQ(bazaar->GetSelected(), nullptr);
    EXPECT_EQ(harp->GetState(), clsAddon::kNormal);
    EXPECT_FALSE(Shown("panelDescription"));
}

// Money equal to the cost buys; one short shows the warning and nothing changes.
TEST_F(BazaarTest, APurchaseNeedsTheWholeCost) {
    struct MoneyCase {
        int money;
        int answer, left, startMoney, level, mode;
        const char* score;
        bool warning;
    };
    const MoneyCase cases[] = {
        {20, 0, 0, 480, 2, clsBazaar::kBrowsing, "$0", false},
        {19, 0, 19, 500, 1, clsBazaar::kMoneyWarning, "$19", true},
    };
    for (const MoneyCase& c : cases) {
        SCOPED_TRACE(c.money);
        StartGame(BazaarConfig(4));
        Saved().startMoney = 500;
        OpenBazaar(0, c.money);
        clsAddon* cauldron = Offered(clsAddon::kCauldron);  // cauldron 0 offers level 2 for 20
        Pick(cauldron);
        EXPECT_EQ(bazaar->BuyAddon(), c.answer);
        EXPECT_EQ(GetLevelFlow().playerMoney, c.left);
        EXPECT_EQ(Saved().startMoney, c.startMoney);
        EXPECT_EQ(Saved().cauldronLevels[0], c.level);
        EXPECT_EQ(bazaar->GetMode(), c.mode);
        EXPECT_EQ(Text("txtScore"), c.score);
        EXPECT_EQ(Shown("panelMessageWarning"), c.warning);
        EXPECT_EQ(Shown("btnBazaarDone"), !c.warning);
        CloseBazaar();
        GameManager::Destroy();
        clsTrophyTracker::DestroyInstance();
    }
}

TEST_F(BazaarTest, TheWarningClosesBackToBrowsing) {
    StartGame(BazaarConfig(4));
    OpenBazaar(0, 1);
    Pick(Offered(clsAddon::kHarp));
    EXPECT_EQ(bazaar->BuyAddon(), 0);
    bazaar->OnMouseMove({300, 353});
    EXPECT_EQ(bazaar->GetHovered(), nullptr);  // no hovering behind the warning
    bazaar->OkMessageWarning();
    EXPECT_EQ(bazaar->GetMode(), clsBazaar::kBrowsing);
    EXPECT_EQ(bazaar->GetSelected(), nullptr);
    EXPECT_FALSE(Shown("panelMessageWarning"));
    EXPECT_TRUE(Shown("btnBazaarDone"));
    EXPECT_EQ(bazaar->BuyAddon(), 0);  // nothing selected
}

// The drawer add-on walks from spot to spot and is gone once the last drawer is bought; the
// purchase that completes the upgrade count answers the trophy's bit, once.
TEST_F(BazaarTest, TheDrawerWalksToTheNextSpotUntilSoldOut) {
    StartGame(BazaarConfig(4));
    Saved().drawerLevel = 1;
    OpenBazaar(0, 100);
    Pick(Offered(clsAddon::kDrawer));
    EXPECT_EQ(bazaar->BuyAddon(), 0);
    EXPECT_EQ(Saved().drawerLevel, 2);
    EXPECT_NE(Describe(*bazaar).find("4:3:1@spot2$6@285.4,191 4:2:5@spot2-"), std::string::npos) << Describe(*bazaar);
    clsAddon* drawer = Offered(clsAddon::kDrawer);
    Pick(drawer);
    EXPECT_EQ(bazaar->BuyAddon(), 1024);
    EXPECT_EQ(Saved().drawerLevel, 3);
    EXPECT_EQ(Offered(clsAddon::kDrawer), nullptr);
    EXPECT_EQ(bazaar->FindPriceTag(drawer), nullptr);
    Pick(Offered(clsAddon::kShoes));
    EXPECT_EQ(bazaar->BuyAddon(), 0);
    EXPECT_EQ(GetLevelFlow().playerMoney, 100 - 4 - 6 - 15);
    EXPECT_EQ(Text("txtScore"), "$75");
    EXPECT_TRUE(Shown("btnBazaarDone"));  // selling out on a visit shows no merchant message
}

TEST_F(BazaarTest, BuyingTheLastCauldronLevelRemovesItsAddon) {
    StartGame(BazaarConfig(4));
    Saved().cauldronLevels = {2, 3, 3};
    OpenBazaar(0, 100);
    clsAddon* cauldron = Offered(clsAddon::kCauldron);
    ASSERT_EQ(cauldron->GetLevel(), 3);
    Pick(cauldron);
    EXPECT_EQ(bazaar->BuyAddon(), 0);
    EXPECT_EQ(Saved().cauldronLevels[0], 3);
    EXPECT_FALSE(cauldron->IsSelectable());
    EXPECT_FALSE(cauldron->GetSprite()->IsVisible());
    EXPECT_EQ(bazaar->FindPriceTag(cauldron), nullptr);
    EXPECT_EQ(GetLevelFlow().playerMoney, 70);
}
