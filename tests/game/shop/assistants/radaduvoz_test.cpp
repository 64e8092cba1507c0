#include "game/shop/assistants/radaduvoz.h"

#include <map>
#include <vector>

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/artifact_holder.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

// The shop's artifact holder: which artifact each slot holds, and the slots made ready again.
class StandInHolder : public iArtifactHolder {
public:
    int FindArtifactSlot(int artifactId) override {
        for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot)
            if (slot->second == artifactId) return slot->first;
        return -1;
    }
    TVec2 GetArtifactSlotPosition(int slot) override { return TVec2(300.0f + 40.0f * slot, 60.0f); }
    void ResetArtifact(int slot) override { reset.push_back(slot); }

    std::map<int, int> slots;  // slot -> artifact id
    std::vector<int> reset;
};

class RadaduvozTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.timePrepareArtifact = 9.0f;
        tables.charms = {{"tip", 50, 1.5f, 1}, {"growth", 0, 0.5f, 1}, {"haste", 0, 0.25f, 1}};
        AddAnimation("anim/radaduvoz/tentacle_action_item", 20,
                     "function DoAnim() frames{1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20} end");
        holder.slots = {{2, 4}, {7, 4}, {8, 1}};
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        ShopTest::TearDown();
    }

    StandInHolder holder;
};

TEST_F(RadaduvozTest, ThePreparationCharmShortensTheTime) {
    struct Case {
        int charmBits;
        float seconds;
    };
    for (Case c : {Case{0, 9.0f}, Case{4, 6.75f}, Case{1 | 2, 9.0f}, Case{4 | 8, 6.75f}}) {
        clsRadaduvoz radaduvoz(scene.get(), &holder, c.charmBits);
        radaduvoz.StartDelivery(4);
        EXPECT_EQ(radaduvoz.GetDeliveryTime(), c.seconds) << "charms " << c.charmBits;
        EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kPreparing);
    }
}

TEST_F(RadaduvozTest, TheTentacleRisesAtTheLastSlotHoldingTheArtifactAndResetsItAtFrameFifteen) {
    clsRadaduvoz radaduvoz(scene.get(), &holder, 0);
    radaduvoz.StartDelivery(-1);
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kIdle);
    radaduvoz.StartDelivery(4);
    for (int second = 0; second < 8; ++second) Step(1.0f, radaduvoz);
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kPreparing);
    EXPECT_FALSE(radaduvoz.GetBody()->IsVisible());
    Step(1.0f, radaduvoz);
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kDelivering);
    EXPECT_EQ(radaduvoz.GetSlot(), 7);
    EXPECT_TRUE(radaduvoz.GetBody()->IsVisible());
    EXPECT_EQ(radaduvoz.GetPosition(), holder.GetArtifactSlotPosition(7));
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/octavius_deliver"});

    int frameAtReset = -1;
    for (int step = 0; step < 200 && holder.reset.empty(); ++step) {
        Step(0.016f, radaduvoz);
        frameAtReset = radaduvoz.GetBody()->GetAnimation().GetCurrentFrame();
    }
    EXPECT_EQ(holder.reset, std::vector<int>{7});
    EXPECT_EQ(frameAtReset, clsRadaduvoz::kResetFrame) << "reset at frame 15, before the animation ends";
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kDelivered);
    Step(0.1f, radaduvoz);
    EXPECT_EQ(holder.reset.size(), 1u) << "once";

    FinishAction(*radaduvoz.GetBody());
    Step(0.016f, radaduvoz);
    radaduvoz.OnMoveEnded();
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kIdle);
    EXPECT_FALSE(radaduvoz.GetBody()->IsVisible());
}

TEST_F(RadaduvozTest, AnArtifactGoneFromTheHolderEndsThePreparationUnseen) {
    clsRadaduvoz radaduvoz(scene.get(), &holder, 0);
    radaduvoz.StartDelivery(5);
    Step(10.0f, radaduvoz);
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kIdle);
    EXPECT_FALSE(radaduvoz.GetBody()->IsVisible());
    EXPECT_TRUE(scene->assets.sounds.empty());
    radaduvoz.PlayDeliver(9);
    EXPECT_EQ(radaduvoz.GetMode(), clsRadaduvoz::kIdle);
}

}  // namespace
