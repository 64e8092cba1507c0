#include <algorithm>
#include <string>
#include <vector>

#include "game/shop/hud/score_panel.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/screen/shop_game.h"
#include "tests/game/shop/screen/shop_screen_fixture.h"

namespace {

// Level 0: a day of 15 s with customers who lose patience after 5 s; level 1 the same without
// customers. Goal 20, expert goal 50.
std::string DayConfig(int customersAtTime = 1) {
    std::string level = "<timeMinutes>0.25</timeMinutes><goal>20</goal><expertGoal>50</expertGoal><potions>0</potions>"
                        "<customersSequence>A,A,A,A,A,A</customersSequence><potionsTypes>1</potionsTypes>"
                        "<timeCreationClient>1000,1000</timeCreationClient>";
    return "<config><game><initDelay>0.5</initDelay><maxSecsElapsed>0.05</maxSecsElapsed>"
           "<levelOfPlant>99</levelOfPlant><levelOfPhoenix>99</levelOfPhoenix><playerSpeed>400</playerSpeed></game>"
           "<trophies><potionMaster>1000</potionMaster><potionMasterGold>1000</potionMasterGold><artifact>1000</artifact>"
           "<plant>1000</plant><potionpedia>99</potionpedia><shopMonth>1000</shopMonth><shopYear>1000</shopYear>"
           "<upgradeFreak>1000</upgradeFreak><goldenPhoenixFeather>1000</goldenPhoenixFeather></trophies>"
           "<levels multiple=\"true\"><level id=\"0\"><customersAtTime>" + std::to_string(customersAtTime) +
           "</customersAtTime>" + level + "</level><level id=\"1\"><customersAtTime>0</customersAtTime>" + level +
           "</level></levels><potions multiple=\"true\"><potion id=\"p0\"><ingredients>A</ingredients></potion>"
           "</potions><clients multiple=\"true\"><client id=\"Alchemist\"><tips>1,2,3,4,5</tips>"
           "<barPointSeconds>1</barPointSeconds><startingPoints>5</startingPoints><secsToThink>0.2</secsToThink>"
           "</client></clients></config>";
}

class ShopDayTest : public ShopScreenTest {
protected:
    // Frames of 16 ms until the shop is in state (at most limit frames); the frames it took.
    int RunUntilState(int state, int limit = 5000) {
        for (int frame = 1; frame <= limit; ++frame) {
            Run(1);
            if (shop->GetState() == state) return frame;
        }
        return -1;
    }
};

TEST_F(ShopDayTest, TheDayOpensClosesAndEndsInOrder) {
    StartGame(DayConfig());
    Open(0);
    std::vector<int> states{shop->GetState()};
    std::vector<int> frames{0};
    for (int frame = 1; frame <= 3000 && states.back() != clsShopGame::kResultShown; ++frame) {
        Run(1);
        if (shop->GetState() == states.back()) continue;
        states.push_back(shop->GetState());
        frames.push_back(frame);
    }
    EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[1], 32) << "0.5 s of opening delay in 16 ms frames";
    EXPECT_NEAR(frames[2], 938, 2) << "the day's 15 s";
    EXPECT_STREQ(shop->GetResultName(), "lose");
    EXPECT_EQ(shop->GetLostCount(), 3) << "one customer at a time, each out of patience after 5 s";
    EXPECT_EQ(clsGameSession::Instance()->GetLevelsLost(), 1);
}

TEST_F(ShopDayTest, ALongFrameCountsAsTheCapAndAWrappedClockAsItsTrueStep) {
    StartGame(DayConfig());
    modal.GetClock().SetTime(0xFFFFFFFFu - 40);  // the millisecond counter wraps in the third frame
    Open(0);
    Run(3);
    EXPECT_NEAR(shop->GetScorePanel()->GetElapsedSeconds(), 0.048f, 1e-5f);
    Run(1, 200);
    EXPECT_NEAR(shop->GetScorePanel()->GetElapsedSeconds(), 0.098f, 1e-5f) << "a long frame counts 0.05 s";
}

TEST_F(ShopDayTest, CustomersNeverOutnumberThePlaces) {
    for (int customersAtTime : {1, 2, 4}) {
        StartGame(DayConfig(customersAtTime));
        Open(0);
        int most = 0;
        for (int frame = 0; frame < 900; ++frame) {
            Run(1);
            int expected = shop->CountBusyPlaces() + shop->GetRoster()->GetPendingArrivalCount();
            if (shop->GetState() == clsShopGame::kOpen) EXPECT_LE(expected, customersAtTime);
            most = std::max(most, shop->CountBusyPlaces());
        }
        EXPECT_EQ(most, customersAtTime);
        Close();
    }
}

TEST_F(ShopDayTest, GoalMessagesShowOnceEachAndTheExpertGoalReplacesTheGoal) {
    StartGame(DayConfig());
    Open(0);
    shop->AddMoney(19);
    EXPECT_EQ(shop->GetGoalMessage(), nullptr);
    shop->AddMoney(1);
    clsAnimatedSprite* goal = shop->GetGoalMessage();
    ASSERT_NE(goal, nullptr);
    EXPECT_EQ(goal->GetLastAction(), "startMsg");
    shop->AddMoney(5);
    EXPECT_EQ(shop->GetGoalMessage(), goal) << "shown once";
    EXPECT_EQ(shop->GetExpertMessage(), nullptr);
    Run(130);  // a little over 2 s
    EXPECT_EQ(goal->GetLastAction(), "endMsg");
    shop->AddMoney(25);
    clsAnimatedSprite* expert = shop->GetExpertMessage();
    ASSERT_NE(expert, nullptr);
    EXPECT_FALSE(goal->IsVisible());
    EXPECT_TRUE(shop->IsExpertGoalReached());
    shop->AddMoney(100);
    EXPECT_EQ(shop->GetExpertMessage(), expert) << "shown once";
}

TEST_F(ShopDayTest, ReachingTheExpertGoalAtOnceShowsBothMessagesInOrder) {
    StartGame(DayConfig());
    Open(0);
    shop->AddMoney(60);
    ASSERT_NE(shop->GetGoalMessage(), nullptr);
    ASSERT_NE(shop->GetExpertMessage(), nullptr);
    EXPECT_FALSE(shop->GetGoalMessage()->IsVisible());
    EXPECT_TRUE(shop->GetExpertMessage()->IsVisible());
}

TEST_F(ShopDayTest, ClosingTimeStopsArrivalsAndChangesTheSign) {
    StartGame(DayConfig(4));
    Open(0);
    ASSERT_GT(RunUntilState(clsShopGame::kOpen), 0);
    Run(1);
    EXPECT_GT(shop->GetRoster()->GetPendingArrivalCount(), 0);
    shop->CloseShop();
    EXPECT_EQ(shop->GetState(), clsShopGame::kClosing);
    EXPECT_EQ(shop->GetRoster()->GetPendingArrivalCount(), 0);
    Run(60);
    EXPECT_EQ(shop->GetRoster()->GetPendingArrivalCount(), 0) << "nobody new comes after closing time";
}

// Only three sparks fly at a time: a fourth pick-up lands the oldest spark's money at once, so every
// amount counts and the level's result still comes.
TEST_F(ShopDayTest, FourPickUpsInQuickSuccessionAllLandAndTheLevelEnds) {
    StartGame(DayConfig());
    Open(1);
    ASSERT_GT(RunUntilState(clsShopGame::kOpen), 0);
    shop->LaunchMoneySpark(325, 494, 10);
    Run(10);
    shop->LaunchMoneySpark(240, 446, 20);
    Run(10);
    shop->LaunchMoneySpark(185, 373, 30);
    EXPECT_EQ(shop->GetSparksInFlight(), 3);
    Run(10);
    shop->LaunchMoneySpark(158, 300, 40);
    EXPECT_EQ(shop->GetMoney(), 10) << "the oldest spark's amount lands when its spark is taken over";
    EXPECT_EQ(shop->GetSparksInFlight(), 3);
    shop->CloseShop();
    Run(2);
    EXPECT_EQ(shop->GetState(), clsShopGame::kFinishing) << "waits for the sparks";
    EXPECT_GT(RunUntilState(clsShopGame::kResultShown), 0);
    EXPECT_EQ(shop->GetMoney(), 100);
    EXPECT_EQ(shop->GetSparksInFlight(), 0);
    EXPECT_TRUE(shop->GetPendingMoney().empty());
    EXPECT_STREQ(shop->GetResultName(), "win");
}

}  // namespace
