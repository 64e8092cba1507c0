// The roster: the level's item plan and its shuffle, arrivals counted down, the customer sequence
// with its wrap, the choice of wanted items, and a whole customer day through the shop stand-in.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/shop/customers/customer_fixture.h"

namespace customertest {
namespace {

using Entry = clsCustomerRoster::PlanEntry;
constexpr int P = Entry::kPotion;
constexpr int A = Entry::kArtifact;

// Potions of the test data: 0 has one ingredient, 1 two, 2 three; artifacts 0 and 1.
LevelRecord Level(std::vector<int> potions, std::vector<int> potionsTypes, std::vector<int> artifacts,
                  std::vector<char> sequence = {'a'}) {
    LevelRecord level;
    level.potions = std::move(potions);
    level.potionsTypes = std::move(potionsTypes);
    level.artifacts = std::move(artifacts);
    level.customersSequence = std::move(sequence);
    return level;
}

const char kUnplannedPotion[] = "[ERROR] The level is asking a potion not considered in the potion types";
const char kTooManyCustomers[] = "[ERROR] The level 7 has asked more customers than design imagined!";

class RosterTest : public CustomerTest {
protected:
    // The roster of the level, its plan left in the order built (the shuffle's draws scripted).
    std::unique_ptr<clsCustomerRoster> Unshuffled(const LevelRecord& level, int planSize) {
        for (int i = planSize - 1; i >= 1; --i) random.scripted.push_back(static_cast<uint32_t>(i));
        auto roster = std::make_unique<clsCustomerRoster>(scene.get(), *shop, level, 7);
        EXPECT_TRUE(random.scripted.empty());
        return roster;
    }
    // A seated customer wanting the items.
    void SeatWanting(std::vector<clsObjectRequired*> items) {
        auto* customer = new cls2Head(scene.get(), items[0], false);
        if (items.size() > 1) customer->AddSecondRequest(items[1]);
        *std::find(shop->seats.begin(), shop->seats.end(), nullptr) = customer;
    }
    static Entry EntryOf(clsObjectRequired* item) {
        if (clsArtifact* artifact = item->AsArtifact()) return {A, artifact->GetArtifactId()};
        return {P, item->AsPotionGraph()->GetPotionId()};
    }
    // The item the roster chose, deleted after reading it; {0, 0} for none.
    static Entry Chosen(clsObjectRequired* item) {
        if (!item) return {0, 0};
        Entry entry = EntryOf(item);
        item->Destroy();
        return entry;
    }
    std::vector<Entry> Wants(clsClient* customer) {
        std::vector<Entry> wants;
        for (int i = 0; i < customer->GetNumRequestedItems(); ++i) wants.push_back(EntryOf(customer->GetRequest(i)));
        return wants;
    }
};

TEST_F(RosterTest, ThePlanFillsThePotionTypesThenAddsTheArtifacts) {
    const struct {
        std::vector<int> potions, types, artifacts;
        std::vector<Entry> plan;
        int errors;
    } cases[] = {
        {{0, 1}, {2, 1}, {1, 2}, {{P, 0}, {P, 1}, {P, 0}, {A, 1}, {A, 1}, {A, 0}}, 0},
        {{0}, {}, {}, {}, 0},
        // The potion types the potions cannot fill end the plan (logged) instead of looping for ever.
        {{0}, {2, 1}, {}, {{P, 0}, {P, 0}}, 1},
        {{}, {1}, {1}, {{A, 0}}, 1},
        // A potion whose ingredient count has no entry is not planned (logged at each visit).
        {{1}, {2}, {}, {}, 1},
        {{2, 0, 2}, {1}, {}, {{P, 0}}, 1},
        {{2, 0, 2}, {2}, {}, {{P, 0}, {P, 0}}, 3},
    };
    int errors = 0;
    for (const auto& c : cases) {
        auto roster = Unshuffled(Level(c.potions, c.types, c.artifacts), static_cast<int>(c.plan.size()));
        EXPECT_EQ(roster->GetPlan(), c.plan);
        errors += c.errors;
        EXPECT_EQ(CountLogged(kUnplannedPotion), errors);
    }
}

TEST_F(RosterTest, TheShuffleSwapsFromTheEndWithRandomPartners) {
    random.scripted = {0, 0, 0, 0, 0};  // each entry from the last down to the second swaps with the first
    clsCustomerRoster roster(scene.get(), *shop, Level({0, 1}, {2, 1}, {1, 2}), 7);
    EXPECT_EQ(roster.GetPlan(), (std::vector<Entry>{{P, 1}, {P, 0}, {A, 1}, {A, 1}, {A, 0}, {P, 0}}));
}

TEST_F(RosterTest, ArrivalsComeDueInTheOrderAdded) {
    auto roster = Unshuffled(Level({0}, {1}, {}, {'a', 'd', 'v'}), 1);
    roster->AddArrival(1000, 1000, clsCustomerRoster::kAnyLevelPotion);
    roster->Update(0.5f);
    EXPECT_TRUE(shop->arrived.empty());
    roster->Update(0.5f);  // 1000 ms: due
    ASSERT_EQ(shop->arrived.size(), 1u);
    EXPECT_EQ(roster->GetPendingArrivalCount(), 0);

    random.scripted = {7, 0};
    roster->AddArrival(300, 100, clsCustomerRoster::kFruit);  // bounds swapped: 100 + 7 % 201
    roster->AddArrival(50, 50, clsCustomerRoster::kAnyLevelPotion);
    EXPECT_EQ(roster->GetArrivals().front().dueMs, 107.0f);
    roster->Update(0.2f);  // both due: created in the order added
    ASSERT_EQ(shop->arrived.size(), 3u);
    EXPECT_EQ(Wants(shop->arrived[1]), (std::vector<Entry>{{P, clsPotionGraph::kFruitPotion}}));
    EXPECT_EQ(Wants(shop->arrived[2]), (std::vector<Entry>{{P, 0}}));

    roster->AddArrival(10, 20, 0);
    roster->ClearArrivals();
    roster->Update(1.0f);
    EXPECT_EQ(shop->arrived.size(), 3u);
}

// The sequence o,w,A: an ogre, a witch, an alchemist of the second row; then it starts again.
TEST_F(RosterTest, TheSequenceNamesEachCustomerAndStartsAgainWhenExhausted) {
    auto roster = Unshuffled(Level({0}, {1}, {}, {'o', 'w', 'A', 'x'}), 1);
    for (int i = 0; i < 5; ++i) roster->CreateCustomer(clsCustomerRoster::kAnyLevelPotion);
    ASSERT_EQ(shop->arrived.size(), 4u);  // 'x' names no kind: nobody comes, the letter is used
    EXPECT_NE(dynamic_cast<cls2Head*>(shop->arrived[0]), nullptr);
    EXPECT_EQ(shop->arrived[0]->GetCustomerType(), kOgreRow);
    EXPECT_EQ(Wants(shop->arrived[0]), (std::vector<Entry>{{P, 0}, {P, 0}}));  // its second: a level potion
    EXPECT_NE(dynamic_cast<clsWitch*>(shop->arrived[1]), nullptr);
    EXPECT_NE(dynamic_cast<clsMage*>(shop->arrived[2]), nullptr);
    EXPECT_EQ(shop->arrived[2]->GetCustomerType(), kAlchemist2Row);
    EXPECT_EQ(CountLogged(kTooManyCustomers), 1);
    EXPECT_NE(dynamic_cast<cls2Head*>(shop->arrived[3]), nullptr);
    EXPECT_EQ(shop->arrived[3]->GetCustomerType(), kOgreRow);
}

TEST_F(RosterTest, ThePlanIsDealtOutPassingOverWhatSeatedCustomersWant) {
    LevelRecord level = Level({0, 1}, {1, 1}, {1});  // plan P0, P1, A0
    {
        auto roster = Unshuffled(level, 3);
        std::vector<Entry> chosen;
        for (int i = 0; i < 4; ++i) chosen.push_back(Chosen(roster->ChooseRequest(-1, -1)));
        EXPECT_EQ(chosen, (std::vector<Entry>{{P, 0}, {P, 1}, {A, 0}, {P, 0}}));
    }
    {
        // P0 is wanted: passed over but not used up.
        SeatWanting({Potion(0)});
        auto roster = Unshuffled(level, 3);
        std::vector<Entry> chosen;
        for (int i = 0; i < 3; ++i) chosen.push_back(Chosen(roster->ChooseRequest(-1, -1)));
        EXPECT_EQ(chosen, (std::vector<Entry>{{P, 1}, {A, 0}, {P, 1}}));
    }
    // Everything wanted: the last of the 201 steps takes what it reaches (A0, even used), unless the
    // step before met an excluded entry (P1); an excluded id is passed over whatever its kind.
    SeatWanting({Potion(1), Artifact(0)});
    auto roster = Unshuffled(level, 3);
    EXPECT_EQ(Chosen(roster->ChooseRequest(P, 1)), (Entry{0, 0}));
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{A, 0}));
    EXPECT_EQ(Chosen(roster->ChooseRequest(P, 2)), (Entry{A, 0}));
    EXPECT_EQ(Chosen(roster->ChooseRequest(P, 0)), (Entry{0, 0}));
}

TEST_F(RosterTest, TheFruitIsAskedForWhileThePlantMayStillBeAsked) {
    LevelRecord level = Level({0}, {1}, {});
    level.plantPetitions = 2;
    auto roster = Unshuffled(level, 1);
    random.scripted = {0};
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, 0}));  // chance 0: nothing drawn
    EXPECT_EQ(random.scripted.size(), 1u);

    roster->SetFruitChance(30);
    random.scripted = {31, 30 + 101};  // 31 % 101 > 30: no fruit; then 30 % 101 <= 30
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, 0}));
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, clsPotionGraph::kFruitPotion}));
    EXPECT_TRUE(random.scripted.empty());

    // Two seated customers want the fruit already: nothing drawn.
    SeatWanting({Potion(clsPotionGraph::kFruitPotion), Potion(clsPotionGraph::kFruitPotion)});
    random.scripted = {0};
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, 0}));
    EXPECT_EQ(random.scripted.size(), 1u);
    shop->seats[0]->Release();
    shop->seats[0] = nullptr;

    roster->SetFruitChance(100);
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, clsPotionGraph::kFruitPotion}));
    EXPECT_EQ(roster->GetFruitRequestsMade(), 2);
    EXPECT_EQ(Chosen(roster->ChooseRequest(-1, -1)), (Entry{P, 0}));  // the plant's petitions are made
}

// No customer comes without an item it can want; an ogre without a second item wants one.
TEST_F(RosterTest, NoItemMeansNoCustomer) {
    auto roster = Unshuffled(Level({}, {}, {}, {'a', 'o'}), 0);
    EXPECT_EQ(roster->CreatePotionRequest(-1), nullptr);
    EXPECT_EQ(roster->CreateArtifactRequest(-1), nullptr);  // the data has artifacts; the level asks for none
    for (int kind : {0, 1, 2}) roster->CreateCustomer(kind);
    EXPECT_TRUE(shop->arrived.empty());

    roster->CreateCustomer(clsCustomerRoster::kFruit);  // the fruit needs no plan
    ASSERT_EQ(shop->arrived.size(), 1u);
    EXPECT_NE(dynamic_cast<clsMage*>(shop->arrived[0]), nullptr);

    auto withArtifacts = Unshuffled(Level({0}, {1}, {0, 2}, {'o'}), 3);
    EXPECT_EQ(Chosen(withArtifacts->CreateArtifactRequest(-1)), (Entry{A, 1}));
    // The plan P0, A1, A1: the ogre's second item comes from the plan, never with its first one's id.
    withArtifacts->CreateCustomer(clsCustomerRoster::kFromPlan);
    EXPECT_EQ(Wants(shop->arrived[1]), (std::vector<Entry>{{P, 0}, {A, 1}}));
    auto potionOnly = Unshuffled(Level({0}, {1}, {}, {'o'}), 1);
    potionOnly->CreateCustomer(clsCustomerRoster::kFromPlan);
    EXPECT_EQ(Wants(shop->arrived[2]), (std::vector<Entry>{{P, 0}}));
}

}  // namespace
}  // namespace customertest
