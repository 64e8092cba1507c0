#include "game/data/game_tables.h"
#include "tests/game/modes/collapse/collapse_fixture.h"

namespace {

class CollapseBottlesTest : public CollapseTest {
protected:
    void SetUp() override {
        CollapseTest::SetUp();
        charms = {Charm("tip", 1), Charm("growth", 2), Charm("haste", 3)};
        level.fee = 10;
    }
    static CharmRecord Charm(const char* id, int quota) {
        CharmRecord charm;
        charm.id = id;
        charm.quotaRequired = quota;
        return charm;
    }
    // A plain piece of that colour reaches the bottles.
    void Arrive(int color, int count = 1) {
        clsCollapseItem piece(scene.get(), kPlain, color);
        for (int i = 0; i < count; ++i) bottles->OnPieceArrived(piece);
    }

    std::vector<CharmRecord> charms;
    CollapseLevelRecord level;
};

TEST_F(CollapseBottlesTest, TheFirstFourKnownCharmsMakeBottlesShownLastFirst) {
    level.charms = {"haste", "nope", "tip", "growth", "tip"};
    bottles->SetUp(level, charms);
    EXPECT_EQ(bottles->GetBottleCount(), 4);
    EXPECT_EQ(bottles->GetQuotaSum(), 30 + 10 + 20);
    struct Shown { int color, quota, charm; float x, y; };
    std::vector<Shown> shown;
    for (const auto& bottle : bottles->GetShown())
        shown.push_back({bottle->GetColor(), bottle->GetQuota(), bottle->GetCharmIndex(), bottle->GetPosition().x,
                         bottle->GetPosition().y});
    ASSERT_EQ(shown.size(), 3u);
    const Shown expected[] = {{3, 20, 1, 516, 301}, {2, 10, 0, 577, 301}, {0, 30, 2, 516, 403}};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(shown[k].color, expected[k].color) << k;
        EXPECT_EQ(shown[k].quota, expected[k].quota) << k;
        EXPECT_EQ(shown[k].charm, expected[k].charm) << k;
        EXPECT_EQ(shown[k].x, expected[k].x) << k;
        EXPECT_EQ(shown[k].y, expected[k].y) << k;
    }
    EXPECT_EQ(bottles->GetShown()[1]->GetCountText(), "10");
}

TEST_F(CollapseBottlesTest, EqualQuotasKeepEachBottlesOwnCharm) {
    charms = {Charm("tip", 2), Charm("growth", 2)};
    level.charms = {"tip", "growth"};
    bottles->SetUp(level, charms);
    Arrive(kGreen, 20);
    auto full = bottles->Update(0.0f);
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0]->GetCharmIndex(), 0);
}

TEST_F(CollapseBottlesTest, APlainPieceFillsItsBottleEarnsAPointAndStepsThePotionOn) {
    AddAnimation("anim/collapse/anim_potion_purple", 5);
    level.charms = {"growth", "nope", "tip"};  // tip: purple, quota 10, 10 / 5 + 1 = 3 pieces a frame
    bottles->SetUp(level, charms);
    const clsBottleItem& purple = *bottles->GetShown()[0];
    EXPECT_EQ(purple.GetPiecesPerFrame(), 3);
    std::vector<int> frames;
    for (int piece = 0; piece < 9; ++piece) {
        Arrive(kPurple);
        frames.push_back(const_cast<clsBottleItem&>(purple).GetAnimation().GetCurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(scene->GetMoney(), 9);
    EXPECT_EQ(purple.GetCountText(), "1");
    EXPECT_FALSE(purple.IsFullShown());
    EXPECT_TRUE(bottles->Update(0.0f).empty());

    clsCollapseItem bomb(scene.get(), kBomb, kNoColor);
    bottles->OnPieceArrived(bomb);
    EXPECT_EQ(scene->GetMoney(), 9) << "only plain pieces count";
    Arrive(kPurple);
    EXPECT_EQ(purple.GetRemaining(), 0);
    EXPECT_TRUE(purple.IsFullShown());
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"play audio/sfx/collapse-potcomplete"});
    auto full = bottles->Update(0.0f);
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0], &purple);
    EXPECT_TRUE(bottles->Update(0.0f).empty()) << "reported once per piece come in";

    Arrive(kPurple);
    EXPECT_EQ(scene->GetMoney(), 10) << "a full bottle takes no more";
    EXPECT_EQ(bottles->FindBottle(kPurple), -1);
    EXPECT_EQ(bottles->BottlePosition(kPurple).x, 516.0f) << "pieces still fly to it";
    EXPECT_EQ(bottles->BottlePosition(kRed).x, 0.0f);
    EXPECT_EQ(bottles->BottlePosition(kRed).y, 0.0f);
}

TEST_F(CollapseBottlesTest, ALevelWithoutCharmsHasNoBottlesAndPiecesVanishInPlace) {
    bottles->SetUp(level, charms);
    EXPECT_TRUE(bottles->GetShown().empty());
    Build({"ggg.......", ".........."});
    moves->Click(At(0, 0));
    FinishRemoval();
    EXPECT_EQ(scene->GetMoney(), 0);
    EXPECT_TRUE(board->IsRowEmpty(13));
}

}  // namespace
