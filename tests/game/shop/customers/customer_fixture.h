// The customers' ground: a shop stand-in with the four counter places, which passes animation ends
// and move ends on to the customers as the shop does, seats what the roster sends and deletes the
// customers that have gone; the game data's customer rows and charms behind a game manager; and
// the customers' animations with as many frames as the game's own.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "game/data/game_manager.h"
#include "game/shop/customers/customer_kinds.h"
#include "game/shop/customers/roster.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "tests/game/shop/shop_fixture.h"

namespace customertest {

// Counter places of the shop, where the customers stand.
inline const std::array<TVec2, 4> kPlaces = {{{233, 520}, {154, 469}, {105, 390}, {80, 304}}};

class CustomerShop : public RecordingScene, public iCustomerSeats {
public:
    ~CustomerShop() override { ReleaseAll(); }

    void OnAnimationEnded(clsAnimatedSprite* sprite) override {
        RecordingScene::OnAnimationEnded(sprite);
        if (clsActor* actor = sprite->GetUserPointer()) actor->OnMoveEnded();
    }
    void Hook32(clsObjectGraph* object) override {
        RecordingScene::Hook32(object);
        if (clsActor* actor = object->GetUserPointer()) actor->PlayAction();
    }

    void AddCustomer(clsClient* customer) override {
        arrived.push_back(customer);
        arrivedKinds.push_back(customer->GetLook().kindId);
        auto free = std::find(seats.begin(), seats.end(), nullptr);
        if (free == seats.end()) {
            customer->Release();
            return;
        }
        *free = customer;
        customer->SetPositionV(kPlaces[static_cast<size_t>(free - seats.begin())]);
        customer->PlayAppear();
    }
    int CountCustomersRequestingPotion(int potionId) override {
        return CountWanted([&](clsObjectRequired* item) {
            return item->AsPotionGraph() && item->AsPotionGraph()->GetPotionId() == potionId;
        });
    }
    int CountCustomersRequestingArtifact(int artifactId) override {
        return CountWanted([&](clsObjectRequired* item) {
            return item->AsArtifact() && item->AsArtifact()->GetArtifactId() == artifactId;
        });
    }

    // The customers' frame, then the deletion of those that have gone.
    void Update(float dt) {
        for (clsClient* customer : seats)
            if (customer) customer->Update(dt);
        for (clsClient*& customer : seats)
            if (customer && customer->GetState() == clsClient::kGone) {
                customer->Release();
                customer = nullptr;
            }
        DeleteReleasedObjects();
    }
    clsClient* Seat(int place) const { return seats[static_cast<size_t>(place)]; }

    std::array<clsClient*, 4> seats{};
    std::vector<clsClient*> arrived;  // every customer the roster sent, seated or not (gone ones deleted)
    std::vector<std::string> arrivedKinds;

private:
    template <class Test>
    int CountWanted(Test wanted) {
        int count = 0;
        for (clsClient* customer : seats)
            for (int i = 0; customer && i < customer->GetNumRequestedItems(); ++i)
                count += wanted(customer->GetRequest(i)) ? 1 : 0;
        return count;
    }
    void ReleaseAll() {
        for (clsClient*& customer : seats)
            if (customer) customer->Release(), customer = nullptr;
    }
};

// Customer rows of the game data: tips 1..5, points of 10 seconds, 3 points to start with, one
// second of thought; the variant rows and the ogre pay other tips.
constexpr char kConfig[] = R"(<config>
  <clients multiple="true">
    <client id="Alchemist"><tips>1,2,3,4,5</tips><barPointSeconds>10</barPointSeconds>
      <startingPoints>3</startingPoints><secsToThink>1</secsToThink></client>
    <client id="Alchemist2"><tips>10,20,30,40,50</tips><barPointSeconds>10</barPointSeconds>
      <startingPoints>3</startingPoints><secsToThink>1</secsToThink></client>
    <client id="Ogre"><tips>2,4,6,8,10</tips><barPointSeconds>10</barPointSeconds>
      <startingPoints>3</startingPoints><secsToThink>1</secsToThink></client>
    <client id="Witch"><tips>1,2</tips><barPointSeconds>10</barPointSeconds>
      <startingPoints>7</startingPoints><secsToThink>1</secsToThink></client>
  </clients>
  <charms multiple="true">
    <charm id="tip"><probability>50</probability><factor>1.5</factor><quotaRequired>1</quotaRequired></charm>
  </charms>
  <potions multiple="true">
    <potion id="p0"><value>15</value><ingredients>A</ingredients></potion>
    <potion id="p1"><value>15</value><ingredients>A,B</ingredients></potion>
    <potion id="p2"><value>15</value><ingredients>A,B,C</ingredients></potion>
  </potions>
  <artifacts multiple="true">
    <artifact id="a0"><value>40</value></artifact>
    <artifact id="a1"><value>55.9</value></artifact>
  </artifacts>
</config>)";

// Row indexes of kConfig's customers.
constexpr int kAlchemistRow = 0;
constexpr int kAlchemist2Row = 1;
constexpr int kOgreRow = 2;
constexpr int kWitchRow = 3;

class CustomerTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        auto owned = std::make_unique<CustomerShop>();
        shop = owned.get();
        scene = std::move(owned);
        SetUserDataFolder(folder.c_str());  // the players' store
        Add("config.xml", kConfig);
        GameManager::Create({})->ChangeUserData();
        AddCustomerArt();
    }
    void TearDown() override {
        scene.reset();
        GameManager::Destroy();
        SetUserDataFolder(TString());
        ShopTest::TearDown();
    }

    void SetTipCharm(bool on) { GameManager::Get()->GetCurrentSavedLevel().charmBits = on ? 1 : 0; }

    // One frame of the shop: the animations, then the customers.
    void Step(float dt) { ShopTest::Step(dt, *shop); }
    // Half-second frames (a bar drops what a frame overshoots its picture by, so waits take short frames).
    void Wait(float seconds) {
        for (; seconds >= 0.5f; seconds -= 0.5f) Step(0.5f);
        if (seconds > 0) Step(seconds);
    }
    // Frames of dt until the customer's awaited animation has ended (and the shop was told).
    void FinishBody(clsClient& customer) {
        FinishAction(*customer.GetBody());
        Step(0);
    }

    clsPotionGraph* Potion(int id) { return new clsPotionGraph(scene.get(), id, true); }
    clsArtifact* Artifact(int id) { return new clsArtifact(scene.get(), id, clsArtifact::kReady); }

    // Seats the customer and lets it arrive (walked in, its appear animation over): it waits for the heroine.
    void SeatAndArrive(clsClient& customer) {
        shop->AddCustomer(&customer);
        LetArrive(customer);
    }
    void LetArrive(clsClient& customer) {
        while (customer.GetState() == clsClient::kWalkingIn) Step(0.05f);
        if (customer.GetState() == clsClient::kAppearing) FinishBody(customer);
        ASSERT_EQ(customer.GetServiceState(), clsClient::kWaitingForAttention);
    }
    template <class Kind>
    Kind* Arrived(clsObjectRequired* request, bool variant = false) {
        auto* customer = new Kind(scene.get(), request, variant);
        SeatAndArrive(*customer);
        return customer;
    }

    // The name of the picture the customer's body shows.
    std::string BodyImage(clsClient& customer) const {
        for (const auto& [name, texture] : scene->assets.textures)
            if (texture == customer.GetBody()->GetFrameworkSprite()->GetTexture()) return name;
        return "";
    }
    static std::string PatienceBarImage(int number) {
        return (number < 10 ? "anim/stats/bar_0" : "anim/stats/bar_") + std::to_string(number);
    }

    const std::vector<std::string>& Sounds() const { return scene->assets.sounds; }
    int SoundCount(const std::string& name) const {
        return static_cast<int>(std::count(Sounds().begin(), Sounds().end(), "play " + name));
    }

    CustomerShop* shop = nullptr;

private:
    // Each kind's pictures with the game's own frame counts and actions (16 ms a frame).
    void AddCustomerArt();
};

}  // namespace customertest
