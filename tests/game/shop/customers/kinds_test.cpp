// The seven kinds: their data rows, looks and sounds, how each comes to its place and how it goes,
// paid and angry; the medusa's two ways of arriving and leaving, the ogre's and witch's jumps.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/game/shop/customers/customer_fixture.h"

namespace customertest {
namespace {

enum class Way { kInPlace, kWalkIn, kGlide };

struct KindCase {
    const char* name;
    clsClient* (*make)(clsGameInterface*, clsObjectRequired*, bool);
    int typeRow;
    float speed;
    TVec2 shadowOffset;
    float shadowScale;
    const char* prefix;
    const char* appearSound;
    const char* leaveSound;
    Way arrival;
    float leaveDistance;  // walked or glided to the left after paying; 0 for none (jumps aside)
};

template <class Kind>
clsClient* New(clsGameInterface* owner, clsObjectRequired* request, bool variant) {
    return new Kind(owner, request, variant);
}

// The kinds' rows of the test data: Alchemist 0, Alchemist2 1, Ogre 2, Witch 3; others give row 0.
const KindCase kKinds[] = {
    {"ogre", New<cls2Head>, kOgreRow, 500, {0, 55}, 1.0f, "anim/2head/2head_", "audio/sfx/client_jump",
     "audio/sfx/client_jump2", Way::kWalkIn, 0},
    {"druid", New<clsDruid>, 0, 0, {0, 55}, 1.0f, "anim/druid/druid_", "audio/sfx/customer03/druid_appear",
     "audio/sfx/customer03/druid_go", Way::kInPlace, 0},
    {"mage", New<clsMage>, kAlchemistRow, 0, {0, 50}, 1.0f, "anim/mage/mage_",
     "audio/sfx/customer01/characters-appear", "audio/sfx/customer01/characters-disappear", Way::kInPlace, 0},
    {"medusa", New<clsMedusa>, 0, 55, {8, 60}, 0.6f, "anim/medusa/medusa_", "audio/sfx/customers_medusa",
     "audio/sfx/customers_medusa", Way::kGlide, 200},
    {"shadow", New<clsShadow>, 0, 80, {0, 55}, 1.0f, "anim/shadow/shadow_",
     "audio/sfx/customer06/customer_shadow_in", "audio/sfx/customer06/customer_shadow_in", Way::kInPlace, 300},
    {"vampire", New<clsVampire>, 0, 0, {0, 50}, 1.0f, "anim/vampire/vampire_", "audio/sfx/customer05/client_bat",
     "audio/sfx/customer05/client_bat2", Way::kInPlace, 0},
    {"witch", New<clsWitch>, kWitchRow, 500, {0, 50}, 1.0f, "anim/witch/witch_",
     "audio/sfx/customer04/clients_witch", "audio/sfx/customer04/clients_witch2", Way::kWalkIn, 0},
};

class KindTest : public CustomerTest {
protected:
    // Served its one potion, the items taken: the customer starts to leave.
    void ServeAndTake(clsClient& customer) {
        customer.Attend(nullptr);
        Step(1.0f);
        std::unique_ptr<clsPotionGraph> potion(Potion(0));
        customer.Attend(potion.get());
        FinishBody(customer);
        ASSERT_EQ(customer.GetState(), clsClient::kLeaving);
    }
    // Left waiting until its patience has run out.
    void Lose(clsClient& customer) {
        while (customer.GetServiceState() != clsClient::kDone) shop->Update(1.0f);
    }
    // Frames without the animations running, as long as the customer is seated (at most seconds).
    float UpdateUntilGone(float seconds, float dt = 0.01f) {
        float elapsed = 0;
        for (; shop->Seat(0) && elapsed < seconds; elapsed += dt) shop->Update(dt);
        return elapsed;
    }
};

TEST_F(KindTest, EachKindHasItsRowSpeedAndShadow) {
    for (const KindCase& kind : kKinds) {
        clsClient* customer = kind.make(scene.get(), Potion(0), false);
        customer->SetPosition(100, 100);
        customer->Update(0);
        EXPECT_EQ(customer->GetCustomerType(), kind.typeRow) << kind.name;
        EXPECT_EQ(customer->GetSpeed(), kind.speed) << kind.name;
        EXPECT_EQ(customer->GetShadow()->GetPosition(), TVec2(100, 100) + kind.shadowOffset) << kind.name;
        EXPECT_EQ(customer->GetShadow()->GetScale(), TVec2(kind.shadowScale, kind.shadowScale)) << kind.name;
        EXPECT_EQ(customer->GetServiceState(), clsClient::kArriving);
        customer->Release();
    }
    clsClient* variant = new clsMage(scene.get(), Potion(0), true);
    EXPECT_EQ(variant->GetCustomerType(), kAlchemist2Row);
    variant->Release();
}

TEST_F(KindTest, EachKindComesToItsPlaceAndLeavesPaid) {
    const TVec2 place = kPlaces[0];
    for (const KindCase& kind : kKinds) {
        scene->assets.sounds.clear();
        clsClient* customer = kind.make(scene.get(), Potion(0), false);
        shop->AddCustomer(customer);
        EXPECT_EQ(BodyImage(*customer), std::string(kind.prefix) + "appear") << kind.name;
        EXPECT_EQ(Sounds(), std::vector<std::string>{"play " + std::string(kind.appearSound)}) << kind.name;
        switch (kind.arrival) {
            case Way::kInPlace:
                EXPECT_EQ(customer->GetPosition(), place) << kind.name;
                EXPECT_EQ(customer->GetState(), clsClient::kAppearing) << kind.name;
                break;
            case Way::kWalkIn:
                EXPECT_EQ(customer->GetPosition(), place - TVec2(100, 0)) << kind.name;
                EXPECT_EQ(customer->GetState(), clsClient::kWalkingIn) << kind.name;
                EXPECT_EQ(customer->GetBody()->GetLastAction(), TString("appear")) << kind.name;
                EXPECT_EQ(customer->GetBody()->GetVelocity(), TVec2(500, 0)) << kind.name;
                Step(0.25f);  // 100 pixels at 500 a second: at the place, landing
                EXPECT_EQ(customer->GetPosition(), place) << kind.name;
                EXPECT_EQ(customer->GetState(), clsClient::kAppearing) << kind.name;
                EXPECT_EQ(customer->GetBody()->GetLastAction(), TString("DoAnim")) << kind.name;
                break;
            case Way::kGlide:
                EXPECT_EQ(customer->GetPosition(), place - TVec2(200, 0)) << kind.name;
                EXPECT_EQ(customer->GetState(), clsClient::kAppearing) << kind.name;
                EXPECT_EQ(customer->GetBody()->GetVelocity(), TVec2(55, 0)) << kind.name;
                break;
        }
        LetArrive(*customer);
        ServeAndTake(*customer);
        EXPECT_EQ(BodyImage(*customer), std::string(kind.prefix) + "disappear") << kind.name;
        EXPECT_EQ(Sounds().back(), "play " + std::string(kind.leaveSound)) << kind.name;
        if (kind.leaveDistance > 0) {
            EXPECT_EQ(customer->GetBody()->GetVelocity(), TVec2(-kind.speed, 0)) << kind.name;
            // The walk away ends the leaving when the animation has not ended it first.
            float walked = UpdateUntilGone(kind.leaveDistance / kind.speed + 0.1f);
            EXPECT_NEAR(walked, kind.leaveDistance / kind.speed, 0.02f) << kind.name;
        } else if (kind.arrival == Way::kInPlace) {
            EXPECT_EQ(customer->GetBody()->GetVelocity(), TVec2()) << kind.name;
            FinishBody(*customer);
        } else {
            while (shop->Seat(0)) Step(0.016f);  // the jump is checked below
        }
        EXPECT_EQ(shop->Seat(0), nullptr) << kind.name;
    }
}

TEST_F(KindTest, AngryCustomersLeaveThroughTheirAngryPicture) {
    for (const KindCase& kind : kKinds) {
        clsClient* customer = kind.make(scene.get(), Potion(0), false);
        SeatAndArrive(*customer);
        scene->assets.sounds.clear();
        Lose(*customer);
        EXPECT_EQ(BodyImage(*customer), std::string(kind.prefix) + "disappear_angry") << kind.name;
        // The medusa alone leaves in silence.
        bool medusa = kind.arrival == Way::kGlide;
        EXPECT_EQ(SoundCount(kind.leaveSound), medusa ? 0 : 1) << kind.name;
        EXPECT_EQ(customer->GetBody()->GetVelocity(), TVec2(-kind.speed * (kind.leaveDistance > 0), 0)) << kind.name;
        while (shop->Seat(0)) Step(0.016f);
    }
    EXPECT_EQ(scene->Count("OnCustomerLost"), 7);
    EXPECT_TRUE(scene->moneyDrops.empty());
}

// The medusa arrives when her appear animation or her glide ends, whichever comes first; the other
// end then changes nothing. She leaves the same way.
TEST_F(KindTest, TheMedusaArrivesAndLeavesByWhicheverEndComesFirst) {
    // The animation first: she stands and waits while still gliding.
    clsClient* medusa = new clsMedusa(scene.get(), Potion(0), false);
    shop->AddCustomer(medusa);
    FinishBody(*medusa);
    EXPECT_EQ(medusa->GetServiceState(), clsClient::kWaitingForAttention);
    EXPECT_TRUE(medusa->GetBody()->IsMoving());
    clsStatusBar* bar = medusa->GetPatienceBar();
    while (medusa->GetBody()->IsMoving()) shop->Update(0.1f);
    EXPECT_EQ(medusa->GetPosition(), kPlaces[0]);
    EXPECT_EQ(medusa->GetServiceState(), clsClient::kWaitingForAttention);
    EXPECT_EQ(medusa->GetState(), clsClient::kStanding);
    EXPECT_EQ(medusa->GetPatienceBar(), bar);
    // Paid, the leave animation first: gone while still gliding away.
    ServeAndTake(*medusa);
    EXPECT_TRUE(medusa->GetBody()->IsMoving());
    FinishBody(*medusa);
    EXPECT_EQ(shop->Seat(0), nullptr);

    // The glide first (the animation never ends here): she arrives at her place.
    medusa = new clsMedusa(scene.get(), Potion(0), false);
    shop->AddCustomer(medusa);
    float glided = 0;
    for (; medusa->GetServiceState() == clsClient::kArriving; glided += 0.1f) shop->Update(0.1f);
    EXPECT_NEAR(glided, 200.0f / 55.0f, 0.1f);
    EXPECT_EQ(medusa->GetPosition(), kPlaces[0]);
    EXPECT_EQ(medusa->GetState(), clsClient::kStanding);
    EXPECT_EQ(BodyImage(*medusa), "anim/medusa/medusa_stand");
    // Angry, the glide away first.
    Lose(*medusa);
    EXPECT_NEAR(UpdateUntilGone(5.0f), 200.0f / 55.0f, 0.02f);
    EXPECT_EQ(scene->Count("OnCustomerLost"), 1);
}

// The ogre and the witch jump away once their leave animation reaches a frame: the ogre at frame 17
// paid and 20 angry, up and left; the witch at 13, down and left. While jumping they cannot be placed.
TEST_F(KindTest, TheOgreAndTheWitchJumpAwayAtTheirFrame) {
    const struct {
        const char* name;
        clsClient* (*make)(clsGameInterface*, clsObjectRequired*, bool);
        bool paid;
        int jumpFrame;
        TVec2 jump;
    } cases[] = {
        {"ogre paid", New<cls2Head>, true, 17, {-300, -100}},
        {"ogre angry", New<cls2Head>, false, 20, {-300, -100}},
        {"witch paid", New<clsWitch>, true, 13, {-300, 100}},
        {"witch angry", New<clsWitch>, false, 13, {-300, 100}},
    };
    for (const auto& c : cases) {
        clsClient* customer = c.make(scene.get(), Potion(0), false);
        SeatAndArrive(*customer);
        if (c.paid) {
            ServeAndTake(*customer);
        } else {
            Lose(*customer);
        }
        TAnimatedSprite& leave = customer->GetBody()->GetAnimation();
        leave.SetCurrentFrame(c.jumpFrame - 1);
        shop->Update(0.1f);
        EXPECT_FALSE(customer->GetBody()->IsMoving()) << c.name;
        EXPECT_FALSE(customer->IsHeld()) << c.name;
        leave.SetCurrentFrame(c.jumpFrame);
        shop->Update(0);
        TVec2 heading = c.jump;
        heading.Normalize();
        EXPECT_EQ(customer->GetBody()->GetVelocity(), heading * 500.0f) << c.name;
        EXPECT_TRUE(customer->IsHeld()) << c.name;
        customer->SetPosition(0, 0);
        EXPECT_EQ(customer->GetPosition(), kPlaces[0]) << c.name;
        // The end of the jump ends the leaving (the animation has not ended here).
        EXPECT_NEAR(UpdateUntilGone(1.0f), c.jump.Length() / 500.0f, 0.02f) << c.name;
        EXPECT_EQ(shop->Seat(0), nullptr) << c.name;
    }
}

TEST_F(KindTest, PreloadListsTakeEveryCustomersAssetsFirst) {
    std::vector<std::string> common = {
        "anim/shadow_sprite",
        "audio/sfx/general-request?group=1000",
        "audio/sfx/customer01/messages-refuse?group=1000",
        "audio/sfx/customer01/characters-approval?group=1000",
        "anim/thought_2",
        "anim/thought",
        "audio/sfx/clients_complain?group=1000",
        "audio/sfx/characters_complain2?group=1000"};
    for (int bar = 1; bar <= 10; ++bar) common.push_back(PatienceBarImage(bar));
    const struct {
        void (*preload)(iGameAssets&);
        std::vector<std::string> own;
    } lists[] = {
        {Preload2HeadAnims,
         {"anim/2head/2head_appear", "anim/2head/2head_disappear", "anim/2head/2head_disappear_angry",
          "anim/2head/2head_take_item", "anim/2head/2head_angry", "anim/2head/2head_stand", "anim/2head/2head_stand2",
          "audio/sfx/client_jump?group=1000", "audio/sfx/client_jump2?group=1000"}},
        {PreloadMedusaAnims,
         {"anim/medusa/medusa_appear", "anim/medusa/medusa_disappear", "anim/medusa/medusa_disappear_angry",
          "anim/medusa/medusa_take_item", "anim/medusa/medusa_angry", "anim/medusa/medusa_stand",
          "anim/medusa/medusa_stand02", "anim/medusa/medusa_standangry", "audio/sfx/customers_medusa?group=1000"}},
        {PreloadShadowAnims,
         {"anim/shadow/shadow_appear", "anim/shadow/shadow_stand", "anim/shadow/shadow_stand02",
          "anim/shadow/shadow_angry", "anim/shadow/shadow_disappear", "anim/shadow/shadow_disappear_angry",
          "anim/shadow/shadow_take_item", "audio/sfx/customer06/customer_shadow_in?group=1000"}},
        {PreloadMageAnims,
         {"anim/mage/mage_appear", "anim/mage/mage_disappear", "anim/mage/mage_disappear_angry",
          "anim/mage/mage_take_item", "anim/mage/mage_angry", "anim/mage/mage_stand", "anim/mage/mage_stand02",
          "audio/sfx/customer01/characters-appear?group=1000",
          "audio/sfx/customer01/characters-disappear?group=1000"}},
    };
    for (const auto& list : lists) {
        scene->assets.preload.clear();
        list.preload(scene->assets);
        std::vector<std::string> expected = common;
        expected.insert(expected.end(), list.own.begin(), list.own.end());
        EXPECT_EQ(scene->assets.preload, expected) << list.own[0];
    }
    // The other three follow the same pattern: every customer's part, seven pictures, two sounds.
    for (void (*preload)(iGameAssets&) : {PreloadDruidAnims, PreloadVampireAnims, PreloadWitchAnims}) {
        scene->assets.preload.clear();
        preload(scene->assets);
        EXPECT_EQ(scene->assets.preload.size(), common.size() + 9);
    }
}

}  // namespace
}  // namespace customertest
