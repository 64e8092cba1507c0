// A customer's service: arrival, attention, thought, deliveries, payment, patience and its loss.
#include <gtest/gtest.h>

#include "game/shop/hud/status_bar.h"
#include "tests/game/shop/customers/customer_fixture.h"

namespace customertest {
namespace {


class ServiceTest : public CustomerTest {
protected:
    float TimeLeft(clsClient& customer) { return customer.GetPatienceBar()->GetTimeLeft(); }

    // Frames of whole seconds, then the rest, until the bar has seconds left.
    void WaitUntilLeft(clsClient& customer, float seconds) {
        while (TimeLeft(customer) - seconds >= 1.0f) Step(1.0f);
        if (TimeLeft(customer) > seconds) Step(TimeLeft(customer) - seconds);
    }
    // Attended at once and thought it over: the wanted items show.
    void AttendAndThink(clsClient& customer) {
        customer.Attend(nullptr);
        Step(1.0f);
        ASSERT_EQ(customer.GetServiceState(), clsClient::kWaitingForItems);
    }
};

TEST_F(ServiceTest, AMageComesIsServedPaysAndGoes) {
    auto* mage = new clsMage(scene.get(), Potion(0), false);
    shop->AddCustomer(mage);
    EXPECT_EQ(mage->GetServiceState(), clsClient::kArriving);
    EXPECT_EQ(mage->GetState(), clsClient::kAppearing);
    EXPECT_EQ(mage->GetPatienceBar(), nullptr);

    FinishBody(*mage);  // the appear animation ends: the mage has arrived
    EXPECT_EQ(mage->GetServiceState(), clsClient::kWaitingForAttention);
    EXPECT_EQ(mage->GetState(), clsClient::kStanding);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_stand");
    // Three points of ten seconds left of five: the fifth of ten pictures.
    EXPECT_EQ(TimeLeft(*mage), 30.0f);
    EXPECT_EQ(mage->GetPatienceBar()->GetCurrentFrame(), 4);

    mage->Attend(nullptr);  // at once: a point of patience back
    EXPECT_EQ(TimeLeft(*mage), 40.0f);
    EXPECT_EQ(mage->GetServiceState(), clsClient::kThinking);
    EXPECT_TRUE(mage->GetThoughtBubble()->IsVisible());
    EXPECT_FALSE(mage->GetRequest(0)->GetSprite()->IsVisible());
    Step(0.5f);
    EXPECT_EQ(mage->GetServiceState(), clsClient::kThinking);
    Step(0.5f);  // one second of thought
    EXPECT_EQ(mage->GetServiceState(), clsClient::kWaitingForItems);
    EXPECT_FALSE(mage->GetThoughtBubble()->IsVisible());
    EXPECT_TRUE(mage->GetRequestBubble()->IsVisible());
    EXPECT_TRUE(mage->GetRequest(0)->GetSprite()->IsVisible());

    std::unique_ptr<clsPotionGraph> wrong(Potion(1)), right(Potion(0));
    mage->Attend(wrong.get());
    mage->Attend(nullptr);
    EXPECT_EQ(mage->GetServiceState(), clsClient::kWaitingForItems);
    EXPECT_EQ(mage->GetNumRequestedItems(), 1);
    mage->Attend(right.get());  // 39 seconds left: four points, the fourth tip
    EXPECT_EQ(mage->GetServiceState(), clsClient::kDone);
    EXPECT_EQ(mage->GetState(), clsClient::kTakingItems);
    EXPECT_EQ(mage->GetPatienceBar(), nullptr);
    EXPECT_FALSE(mage->GetRequestBubble()->IsVisible());
    EXPECT_EQ(scene->Count("OnCustomerServed"), 1);
    EXPECT_TRUE(scene->moneyDrops.empty());

    FinishBody(*mage);  // the items taken: it pays and leaves
    EXPECT_EQ(scene->moneyDrops, (std::vector<DropMoneyCall>{{15, 0, 0, 4, mage->GetBody()}}));
    EXPECT_EQ(mage->GetState(), clsClient::kLeaving);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_disappear");
    FinishBody(*mage);
    EXPECT_EQ(shop->Seat(0), nullptr);  // gone: the shop deleted it

    EXPECT_EQ(Sounds(), (std::vector<std::string>{
                            "play audio/sfx/customer01/characters-appear", "play audio/sfx/general-request",
                            "play audio/sfx/customer01/messages-refuse", "play audio/sfx/customer01/messages-refuse",
                            "play audio/sfx/customer01/characters-approval",
                            "play audio/sfx/customer01/characters-disappear"}));
    EXPECT_EQ(scene->Count("OnCustomerLost"), 0);
}

// Coming with half a point or less used gives a point back.
TEST_F(ServiceTest, ThePromptBonusNeedsNearlyAllStartingPointsLeft) {
    const struct {
        float waited, leftAfterAttention;
    } cases[] = {{0, 40}, {5, 35}, {5.5f, 24.5f}, {6, 24}};
    for (const auto& c : cases) {
        clsClient* mage = Arrived<clsMage>(Potion(0));
        Wait(c.waited);
        mage->Attend(nullptr);
        EXPECT_EQ(TimeLeft(*mage), c.leftAfterAttention) << "waited " << c.waited;
        shop->seats[0] = nullptr;
        mage->Release();
    }
}

TEST_F(ServiceTest, TipsGrowWithThePatienceLeftAndTheTipCharmRaisesThem) {
    const struct {
        float leftWhenServed;
        bool harp;  // a point of patience from the harp first
        bool charm;
        std::deque<uint32_t> rolls;  // the tip charm's draws: roll % 100 + 1 against probability 50
        int tip;
        int charmsShown;
        size_t rollsLeft;
    } cases[] = {
        {12, false, false, {}, 2, 0, 0},       {10, false, false, {}, 1, 0, 0},
        {0.5f, false, false, {}, 1, 0, 0},     {39, false, false, {}, 4, 0, 0},
        {49, true, false, {}, 5, 0, 0},        {12, false, false, {0}, 2, 0, 1},  // charm off: nothing drawn
        {12, false, true, {49}, 3, 1, 0},      {12, false, true, {50}, 2, 0, 0},
        {49, true, true, {0}, 7, 1, 0},
    };
    for (const auto& c : cases) {
        SetTipCharm(c.charm);
        clsClient* mage = Arrived<clsMage>(Potion(0));
        AttendAndThink(*mage);
        if (c.harp) mage->AddPatience(1.0f);
        WaitUntilLeft(*mage, c.leftWhenServed);
        random.scripted = c.rolls;
        scene->moneyDrops.clear();
        scene->hooks.clear();
        std::unique_ptr<clsPotionGraph> potion(Potion(0));
        mage->Attend(potion.get());
        FinishBody(*mage);
        ASSERT_EQ(scene->moneyDrops.size(), 1u) << c.leftWhenServed;
        EXPECT_EQ(scene->moneyDrops[0].tipMoney, c.tip) << c.leftWhenServed << " charm " << c.charm;
        EXPECT_EQ(scene->Count("Hook36"), c.charmsShown) << c.leftWhenServed;
        EXPECT_EQ(random.scripted.size(), c.rollsLeft) << c.leftWhenServed;
        FinishBody(*mage);
    }
}

TEST_F(ServiceTest, ItemsArePaidByCategory) {
    // The ogre's two items: a potion of two ingredients (30) and artifact 1 (55.9 → 55).
    auto* ogre = new cls2Head(scene.get(), Potion(1), false);
    ASSERT_TRUE(ogre->AddSecondRequest(Artifact(1)));
    SeatAndArrive(*ogre);
    AttendAndThink(*ogre);
    std::unique_ptr<clsArtifact> artifact(Artifact(1));
    std::unique_ptr<clsPotionGraph> potion(Potion(1));
    ogre->Attend(artifact.get());  // 39 s left: tip 8
    EXPECT_EQ(ogre->GetServiceState(), clsClient::kWaitingForItems);
    EXPECT_EQ(ogre->GetRequest(0)->GetSprite()->GetParent(), ogre->GetRequestBubble());
    Wait(10.0f);
    ogre->Attend(potion.get());  // 29 s left: tip 6
    FinishBody(*ogre);
    // The fruit (60) of the alchemist's second row: 39 s left, tip 40.
    clsClient* mage = Arrived<clsMage>(Potion(clsPotionGraph::kFruitPotion), true);
    AttendAndThink(*mage);
    std::unique_ptr<clsPotionGraph> fruit(Potion(clsPotionGraph::kFruitPotion));
    mage->Attend(fruit.get());
    FinishBody(*mage);
    EXPECT_EQ(scene->moneyDrops, (std::vector<DropMoneyCall>{{30, 0, 55, 14, ogre->GetBody()},
                                                              {0, 60, 0, 40, mage->GetBody()}}));
}

TEST_F(ServiceTest, WantedItemsMatchByKindAndId) {
    auto* ogre = new cls2Head(scene.get(), Potion(0), false);
    EXPECT_FALSE(ogre->AddSecondRequest(nullptr));
    clsPotionGraph* second = Potion(0);
    ASSERT_TRUE(ogre->AddSecondRequest(second));
    std::unique_ptr<clsPotionGraph> third(Potion(2));
    EXPECT_FALSE(ogre->AddSecondRequest(third.get()));  // two already
    EXPECT_EQ(ogre->GetRequest(0)->GetSprite()->GetPosition() - ogre->GetRequestBubble()->GetPosition(),
              TVec2(-15, -7));
    EXPECT_EQ(second->GetSprite()->GetPosition() - ogre->GetRequestBubble()->GetPosition(), TVec2(15, -7));
    EXPECT_EQ(ogre->GetRequest(2), nullptr);
    EXPECT_EQ(ogre->GetRequest(-1), nullptr);

    std::unique_ptr<clsPotionGraph> potion(Potion(0));
    std::unique_ptr<clsArtifact> artifactWithThePotionsId(Artifact(0));
    EXPECT_EQ(ogre->FindRequest(potion.get()), 1);  // the last match
    EXPECT_EQ(ogre->FindRequest(artifactWithThePotionsId.get()), -1);
    EXPECT_FALSE(ogre->RemoveRequest(artifactWithThePotionsId.get()));
    EXPECT_TRUE(ogre->RemoveRequest(potion.get()));
    EXPECT_EQ(scene->Count("OnCustomerServed"), 0);
    EXPECT_EQ(ogre->GetNumRequestedItems(), 1);
    EXPECT_EQ(ogre->GetRequest(0)->GetSprite()->GetPosition() - ogre->GetRequestBubble()->GetPosition(),
              TVec2(0, -7));
    ogre->Release();

    clsClient* arrived = Arrived<clsMage>(Potion(0));
    std::unique_ptr<clsPotionGraph> late(Potion(1));
    EXPECT_FALSE(arrived->AddSecondRequest(late.get()));  // no longer arriving
}

TEST_F(ServiceTest, ACustomerWhosePatienceRunsOutTurnsAngryOnceAndLeavesUnpaid) {
    clsClient* mage = Arrived<clsMage>(Potion(0));
    WaitUntilLeft(*mage, 10.0f);
    EXPECT_EQ(mage->GetState(), clsClient::kStanding);
    Step(0.5f);  // less than one point left
    EXPECT_EQ(mage->GetState(), clsClient::kAngryStarting);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_angry");
    EXPECT_EQ(mage->GetBody()->GetLastAction(), TString("Start"));
    EXPECT_EQ(mage->GetMoodLevel(), 0);
    FinishBody(*mage);
    EXPECT_EQ(mage->GetState(), clsClient::kAngryLooping);
    EXPECT_EQ(mage->GetBody()->GetLastAction(), TString("Loop"));
    Wait(9.0f);
    EXPECT_EQ(mage->GetServiceState(), clsClient::kWaitingForAttention);
    Step(0.5f);  // the last picture has run out
    EXPECT_EQ(mage->GetServiceState(), clsClient::kDone);
    EXPECT_EQ(mage->GetState(), clsClient::kLeaving);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_disappear_angry");
    EXPECT_EQ(mage->GetPatienceBar(), nullptr);
    EXPECT_EQ(scene->customersLost, std::vector<clsClient*>{mage});
    EXPECT_EQ(SoundCount("audio/sfx/clients_complain"), 1);
    EXPECT_EQ(SoundCount("audio/sfx/characters_complain2"), 1);
    FinishBody(*mage);
    EXPECT_TRUE(scene->moneyDrops.empty());
    EXPECT_EQ(shop->Seat(0), nullptr);
}

// A lost customer pays nothing, even for the item it already has; it leaves content nonetheless.
TEST_F(ServiceTest, AnOgreGivenOneOfTwoItemsAndThenLostPaysNothing) {
    auto* ogre = new cls2Head(scene.get(), Potion(0), false);
    ogre->AddSecondRequest(Potion(1));
    SeatAndArrive(*ogre);
    AttendAndThink(*ogre);
    std::unique_ptr<clsPotionGraph> potion(Potion(0));
    ogre->Attend(potion.get());
    while (ogre->GetServiceState() != clsClient::kDone) Step(1.0f);
    EXPECT_EQ(scene->Count("OnCustomerLost"), 1);
    EXPECT_EQ(BodyImage(*ogre), "anim/2head/2head_disappear");
    EXPECT_FALSE(ogre->GetRequest(0)->GetSprite()->IsVisible());
    while (shop->Seat(0)) Step(0.1f);
    EXPECT_TRUE(scene->moneyDrops.empty());
}

TEST_F(ServiceTest, TheHarpCalmsAnAngryCustomerWhoCanTurnAngryAgain) {
    clsClient* mage = Arrived<clsMage>(Potion(0));
    mage->AddPatience(1.0f);  // standing: time back, nothing else
    EXPECT_EQ(TimeLeft(*mage), 40.0f);
    EXPECT_EQ(mage->GetState(), clsClient::kStanding);
    EXPECT_EQ(mage->GetMoodLevel(), 1);

    WaitUntilLeft(*mage, 9.0f);
    FinishBody(*mage);
    ASSERT_EQ(mage->GetState(), clsClient::kAngryLooping);
    mage->PlayAngry();  // already looping: no new start, no sound
    EXPECT_EQ(mage->GetBody()->GetLastAction(), TString("Loop"));
    mage->AddPatience(2.0f);
    EXPECT_EQ(TimeLeft(*mage), 29.0f);
    EXPECT_EQ(mage->GetState(), clsClient::kCalmingDown);
    EXPECT_EQ(mage->GetBody()->GetLastAction(), TString("End"));
    EXPECT_EQ(mage->GetMoodLevel(), 1);
    FinishBody(*mage);
    EXPECT_EQ(mage->GetState(), clsClient::kStanding);
    WaitUntilLeft(*mage, 9.0f);
    EXPECT_EQ(mage->GetState(), clsClient::kAngryStarting);
    EXPECT_EQ(SoundCount("audio/sfx/clients_complain"), 2);
}

TEST_F(ServiceTest, APausedBarKeepsItsTime) {
    auto* mage = new clsMage(scene.get(), Potion(0), false);
    mage->SetPatiencePaused(true);
    shop->AddCustomer(mage);
    FinishBody(*mage);
    Wait(5.0f);
    EXPECT_EQ(TimeLeft(*mage), 30.0f);
    mage->SetPatiencePaused(false);
    Wait(5.0f);
    EXPECT_EQ(TimeLeft(*mage), 25.0f);
}

// The stand animations take turns, each change waiting for the end of the current loop.
TEST_F(ServiceTest, IdleAnimationsWaitForTheEndOfTheStandLoop) {
    random.scripted = {0};  // the first change due after 5 seconds
    clsClient* mage = new clsMage(scene.get(), Potion(0), false);
    shop->AddCustomer(mage);
    FinishBody(*mage);
    TAnimatedSprite& stand = mage->GetBody()->GetAnimation();
    stand.SetCurrentFrame(1);
    shop->Update(5.0f);  // due, but mid-loop
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_stand");
    stand.SetCurrentFrame(2);
    shop->Update(0.1f);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_stand");
    stand.SetCurrentFrame(3);  // the loop's last frame
    shop->Update(0.0f);
    EXPECT_EQ(BodyImage(*mage), "anim/mage/mage_stand02");
    EXPECT_EQ(mage->GetState(), clsClient::kStanding);
}

// Data the rules cannot read as written: a bar of more starting points than it holds starts full,
// a tip beyond a short list is its last entry, and no tips pay nothing.
TEST_F(ServiceTest, OutOfRangeCustomerDataIsClamped) {
    clsClient* witch = Arrived<clsWitch>(Potion(0));  // startingPoints 7, tips 1,2
    EXPECT_EQ(TimeLeft(*witch), 50.0f);
    EXPECT_EQ(witch->GetPatienceBar()->GetCurrentFrame(), 0);
    AttendAndThink(*witch);
    std::unique_ptr<clsPotionGraph> potion(Potion(0));
    witch->Attend(potion.get());
    FinishBody(*witch);
    EXPECT_EQ(scene->moneyDrops.back().tipMoney, 2);

    GetGameTables().clientTypes[kAlchemistRow].tips.clear();
    clsClient* mage = Arrived<clsMage>(Potion(0));
    AttendAndThink(*mage);
    mage->Attend(potion.get());
    FinishBody(*mage);
    EXPECT_EQ(scene->moneyDrops.back(), (DropMoneyCall{15, 0, 0, 0, mage->GetBody()}));
}

}  // namespace
}  // namespace customertest
