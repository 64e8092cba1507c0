#include <string>

#include "game/modes/bazaar/bazaar_tutorial.h"
#include "tests/game/modes/bazaar/bazaar_fixture.h"

namespace {

using BazaarTutorialTest = BazaarTest;

// The first text shows at once; each call shows the next, the third ends the tutorial and a fourth
// changes nothing. The pointer neither previews nor chooses.
TEST_F(BazaarTutorialTest, TwoTextsThenTheEnd) {
    StartGame(BazaarConfig(4));
    auto* tutorial = OpenBazaar<clsTutorialBazaar>(0, 100);
    EXPECT_EQ(tutorial->GetStep(), clsTutorialBazaar::kFirstText);
    EXPECT_TRUE(Shown("panelDescription"));
    EXPECT_EQ(Text("txtAddonDescription"), "tutorialShop1");
    bazaar->OnMouseMove({370, 458});
    bazaar->OnMouseDown({370, 458});
    EXPECT_EQ(bazaar->GetHovered(), nullptr);
    EXPECT_EQ(bazaar->GetSelected(), nullptr);
    EXPECT_EQ(Offered(clsAddon::kHarp)->GetState(), clsAddon::kNormal);
    EXPECT_EQ(Text("txtAddonDescription"), "tutorialShop1");

    tutorial->TutorialNextState();
    EXPECT_EQ(tutorial->GetStep(), clsTutorialBazaar::kSecondText);
    EXPECT_EQ(Text("txtAddonDescription"), "tutorialShop2");
    tutorial->TutorialNextState();
    EXPECT_EQ(tutorial->GetState(), clsShopGame::kFinishing);
    EXPECT_EQ(tutorial->GetStep(), clsTutorialBazaar::kSecondText);
    tutorial->TutorialNextState();
    EXPECT_EQ(tutorial->GetState(), clsShopGame::kFinishing);
    EXPECT_EQ(Text("txtAddonDescription"), "tutorialShop2");
}

TEST_F(BazaarTutorialTest, FinalizingEndsAtOnce) {
    StartGame(BazaarConfig(4));
    auto* tutorial = OpenBazaar<clsTutorialBazaar>(0, 100);
    tutorial->FinalizeTutorial();
    EXPECT_EQ(tutorial->GetState(), clsShopGame::kFinishing);
    EXPECT_EQ(tutorial->GetStep(), clsTutorialBazaar::kFirstText);
    tutorial->TutorialNextState();
    EXPECT_EQ(Text("txtAddonDescription"), "tutorialShop1");
}

}  // namespace
