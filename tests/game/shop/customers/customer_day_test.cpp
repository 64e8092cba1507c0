// A customer day in the shop stand-in: the roster keeps two places busy as the shop does, arrivals
// come due with the frames, the heroine (the test) attends every waiting customer at once and
// hands over what it wants, except to the medusa, who waits in vain.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "tests/game/shop/customers/customer_fixture.h"

namespace customertest {
namespace {

class CustomerDayTest : public CustomerTest {
protected:
    int Busy() const {
        return static_cast<int>(std::count_if(shop->seats.begin(), shop->seats.end(), [](clsClient* c) { return c; }));
    }
    // The heroine's round: attention for who waits for it, the wanted items for who shows them.
    void Serve(clsClient& customer) {
        if (customer.GetServiceState() == clsClient::kWaitingForAttention) customer.Attend(nullptr);
        if (customer.GetServiceState() != clsClient::kWaitingForItems || dynamic_cast<clsMedusa*>(&customer)) return;
        while (clsObjectRequired* wanted = customer.GetRequest(0)) {
            std::unique_ptr<clsObjectRequired> item;
            if (clsArtifact* artifact = wanted->AsArtifact())
                item.reset(Artifact(artifact->GetArtifactId()));
            else
                item.reset(Potion(wanted->AsPotionGraph()->GetPotionId()));
            requests.push_back(Describe(*item));
            customer.Attend(item.get());
        }
    }
    static std::string Describe(clsObjectRequired& item) {
        if (clsArtifact* artifact = item.AsArtifact()) return "artifact " + std::to_string(artifact->GetArtifactId());
        return "potion " + std::to_string(item.AsPotionGraph()->GetPotionId());
    }
    // One frame of the open shop.
    void Frame(clsCustomerRoster& roster, const LevelRecord& level, float dt) {
        while (Busy() + roster.GetPendingArrivalCount() < level.customersAtTime)
            roster.AddArrival(level.customerIntervalMin, level.customerIntervalMax, clsCustomerRoster::kFromPlan);
        roster.Update(dt);
        Step(dt);
        for (clsClient* customer : shop->seats)
            if (customer) Serve(*customer);
    }

    std::vector<std::string> requests;  // what the heroine handed over, in order
};

TEST_F(CustomerDayTest, ADayOfCustomers) {
    LevelRecord level;
    level.potions = {0, 1};
    level.potionsTypes = {1, 1};
    level.artifacts = {1};
    level.customersSequence = {'a', 'o', 'm', 'w'};
    level.customersAtTime = 2;
    level.customerIntervalMin = 1000;
    level.customerIntervalMax = 2000;
    random.scripted = {2, 1};  // the plan stays as built: potion 0, potion 1, artifact 0
    clsCustomerRoster roster(scene.get(), *shop, level, 0);

    const float dt = 0.05f;
    float elapsed = 0;
    for (; shop->arrived.size() < 5 && elapsed < 120; elapsed += dt) Frame(roster, level, dt);
    roster.ClearArrivals();  // closing time
    for (; Busy() > 0 && elapsed < 240; elapsed += dt) {
        roster.Update(dt);
        Step(dt);
        for (clsClient* customer : shop->seats)
            if (customer) Serve(*customer);
    }
    ASSERT_EQ(Busy(), 0);

    EXPECT_EQ(shop->arrivedKinds, (std::vector<std::string>{"Alchemist", "Ogre", "Medusa", "Witch", "Alchemist"}));
    EXPECT_EQ(CountLogged("[ERROR] The level 0 has asked more customers than design imagined!"), 1);
    EXPECT_EQ(requests, (std::vector<std::string>{"potion 0", "potion 1", "artifact 0", "potion 1", "artifact 0"}));
    // The plan dealt out pass after pass: the medusa's potion 0 (never handed over), the witch's potion
    // 1, the last alchemist's artifact 0. Tips of four points (39 seconds left); the witch's short
    // list pays its last entry.
    EXPECT_EQ(scene->moneyDrops.size(), 4u);
    std::vector<std::vector<int>> drops;
    for (const DropMoneyCall& drop : scene->moneyDrops)
        drops.push_back({drop.potionMoney, drop.fruitMoney, drop.artifactMoney, drop.tipMoney});
    EXPECT_EQ(drops, (std::vector<std::vector<int>>{{15, 0, 0, 4}, {30, 0, 40, 16}, {30, 0, 0, 2}, {0, 0, 40, 4}}));
    EXPECT_EQ(scene->Count("OnCustomerServed"), 4);
    EXPECT_EQ(scene->Count("OnCustomerLost"), 1);
}

}  // namespace
}  // namespace customertest
