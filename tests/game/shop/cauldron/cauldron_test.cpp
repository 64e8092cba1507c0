#include <gtest/gtest.h>

#include <cmath>

#include "game/data/game_tables.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/cauldron/combo_display.h"
#include "game/shop/hud/status_bar.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

const TVec2 kAt(462, 496);
constexpr float kFrameSeconds = 1.0f / 128;  // exact in binary: boil times add up without drift

class CauldronTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        savedTables = GetGameTables();
        GameTables& tables = GetGameTables();
        tables.cauldronMaxCombo = 5;
        tables.numberOfIngredients = 10;
        AddonRecord boiling;
        boiling.paramPerLevel = {11.0f, 5.5f, 2.75f};  // half a second a bar segment at level 2
        tables.addons = {boiling};
        // 0: A; 1: C, C, G; 2: A, B, C; 3: A, B, C, D
        tables.potions.clear();
        for (std::vector<int> recipe : std::vector<std::vector<int>>{{0}, {2, 2, 6}, {0, 1, 2}, {0, 1, 2, 3}}) {
            PotionRecord potion;
            potion.ingredientCount = static_cast<int>(recipe.size());
            potion.ingredients = recipe;
            tables.potions.push_back(potion);
        }
        tables.potionCount = static_cast<int>(tables.potions.size());
        for (int id = 1; id <= 4; ++id) AddPicture("anim/potions/icons/potion" + std::to_string(id), 8, 12);
        for (char letter = 'a'; letter <= 'g'; ++letter)
            AddPicture(std::string("anim/ingredients/ingredient_scroll_") + letter, 6, 6);
        for (int frame = 1; frame <= 11; ++frame)
            AddPicture(TString::Format("anim/stats/cauldron_bar_%02d", frame).CStr(), 20, 4);
    }
    void TearDown() override {
        ShopTest::TearDown();
        GetGameTables() = savedTables;
    }

    // Every ingredient the recipe asks for.
    static void Deliver(clsCauldron& cauldron) {
        for (int index = 0; index < cauldron.GetIngredientCount(); ++index)
            cauldron.AddIngredient(cauldron.GetIcon(index)->GetIngredientId(), true);
    }

    // One whole brew; answers the seconds from the fire to the finished potion.
    float Brew(clsCauldron& cauldron, int potionId) {
        cauldron.StartPotion(potionId);
        Deliver(cauldron);
        EXPECT_EQ(cauldron.GetState(), clsCauldron::kReadyForFire);
        cauldron.HideBalloon();
        cauldron.Ignite();
        size_t stars = scene->stars.size();
        int frames = 0;
        while (scene->stars.size() == stars && frames < 100000) {
            Step(kFrameSeconds, cauldron);
            ++frames;
        }
        return static_cast<float>(frames) * kFrameSeconds;
    }

    // Where a sprite stands from another.
    static TVec2 From(const clsObjectGraph& parent, const clsObjectGraph* child) {
        return child->GetPosition() - parent.GetPosition();
    }

    GameTables savedTables;
};

TEST_F(CauldronTest, ABrewAsksForTheRecipeWaitsForTheFireBoilsAndHandsOverThePotion) {
    clsCauldron cauldron(2, scene.get(), kAt);
    Step(0, cauldron);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kIdle);

    cauldron.StartPotion(2);
    Step(0, cauldron);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kRequesting);
    EXPECT_EQ(scene->Count("RegisterObject"), 1);  // the ingredient effect
    EXPECT_EQ(static_cast<clsAnimatedSprite*>(scene->registered.at(0))->GetPosition(), TVec2(462, 476));
    EXPECT_TRUE(cauldron.GetBalloon()->IsVisible());
    ASSERT_EQ(cauldron.GetIngredientCount(), 3);
    const clsObjectGraph& balloon = *cauldron.GetBalloon();
    EXPECT_EQ(From(balloon, cauldron.GetIcon(0)->GetIcon()), TVec2(-20, -18));
    EXPECT_EQ(From(balloon, cauldron.GetIcon(1)->GetIcon()), TVec2(26, -18));
    EXPECT_EQ(From(balloon, cauldron.GetIcon(2)->GetIcon()), TVec2(4, 13));

    cauldron.AddIngredient(5, true);  // not in the recipe
    cauldron.AddIngredient(1, true);
    Step(0, cauldron);
    EXPECT_EQ(cauldron.GetIngredientId(1), -1);
    EXPECT_EQ(cauldron.GetIngredientId(0), 0);
    EXPECT_EQ(cauldron.GetIngredientId(3), -1);
    EXPECT_EQ(From(balloon, cauldron.GetIcon(0)->GetIcon()), TVec2(-18, -4));
    EXPECT_EQ(From(balloon, cauldron.GetIcon(2)->GetIcon()), TVec2(19, -4));
    EXPECT_FALSE(cauldron.GetFireIcon()->IsVisible());

    cauldron.AddIngredient(2, true);
    cauldron.AddIngredient(0, true);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kReadyForFire);
    EXPECT_TRUE(cauldron.GetFireIcon()->IsVisible());
    cauldron.SetBusy();  // the heroine lights the fire: the cauldron is not emptied meanwhile
    cauldron.Empty();
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kReadyForFire);

    cauldron.HideBalloon();
    cauldron.Ignite();
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kBoiling);
    EXPECT_FALSE(cauldron.GetBalloon()->IsVisible());
    EXPECT_TRUE(cauldron.GetFireEffect()->IsVisible());
    EXPECT_EQ(scene->assets.sounds, std::vector<std::string>{"loop audio/sfx/cauldron_loop0"});
    cauldron.Empty();
    cauldron.AddIngredient(0, true);  // a boiling cauldron takes nothing
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kBoiling);

    int frames = 0;
    while (scene->stars.empty()) {
        Step(kFrameSeconds, cauldron);
        ASSERT_LT(++frames, 1000);
    }
    EXPECT_EQ(frames, 5.5f / kFrameSeconds);
    ASSERT_EQ(scene->stars.size(), 1u);
    EXPECT_EQ(scene->stars[0].potionId, 2);
    EXPECT_EQ(scene->stars[0].cauldron, &cauldron);
    clsAnimatedSprite* potion = scene->stars[0].sprite;
    EXPECT_EQ(potion->GetPosition(), TVec2(462, 436));
    EXPECT_TRUE(potion->IsVisible());
    EXPECT_EQ(potion->GetHolder(), nullptr);
    EXPECT_EQ(cauldron.GetPotion(), nullptr);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kIdle);
    EXPECT_EQ(cauldron.GetIngredientCount(), 0);
    EXPECT_FALSE(cauldron.GetFireEffect()->IsVisible());
    EXPECT_EQ(scene->assets.sounds, (std::vector<std::string>{"loop audio/sfx/cauldron_loop0",
                                                              "stop audio/sfx/cauldron_loop0",
                                                              "play audio/sfx/cauldron_potion"}));
    Step(kFrameSeconds, cauldron);  // the bar was reset: no second potion
    EXPECT_EQ(scene->stars.size(), 1u);
}

TEST_F(CauldronTest, RepeatsBuildACombo) {
    clsCauldron cauldron(1, scene.get(), kAt);
    const clsComboDisplay& combo = *cauldron.GetComboDisplay();
    Brew(cauldron, 0);
    EXPECT_FALSE(combo.IsVisible());
    for (int count = 1; count <= 4; ++count) {
        Brew(cauldron, 0);
        EXPECT_EQ(cauldron.GetComboCount(), count);
        EXPECT_TRUE(combo.IsVisible());
        EXPECT_STREQ(combo.GetLabelText().CStr(), "x");
        EXPECT_EQ(combo.GetCountText(), TString::Format("%d", count));
    }
    ASSERT_NE(combo.GetPotion(), nullptr);
    EXPECT_EQ(combo.GetPotion()->GetPotionId(), 0);
    EXPECT_EQ(combo.GetPotion()->GetSprite()->GetPosition(), TVec2(445, 579));
    for (int atLimit = 0; atLimit < 2; ++atLimit) {
        Brew(cauldron, 0);
        EXPECT_EQ(cauldron.GetComboCount(), 5);
        EXPECT_STREQ(combo.GetLabelText().CStr(), "max");
        EXPECT_STREQ(combo.GetCountText().CStr(), "");
    }

    Brew(cauldron, 1);  // another potion
    EXPECT_EQ(cauldron.GetComboCount(), 0);
    EXPECT_FALSE(combo.IsVisible());
    Brew(cauldron, 1);
    EXPECT_EQ(cauldron.GetComboCount(), 1);
    EXPECT_EQ(combo.GetPotion()->GetPotionId(), 1);

    cauldron.StartPotion(1);
    cauldron.Empty();
    EXPECT_EQ(cauldron.GetComboCount(), 0);
    EXPECT_FALSE(combo.IsVisible());
    EXPECT_EQ(cauldron.GetLastPotion(), -1);
    Brew(cauldron, 1);
    EXPECT_EQ(cauldron.GetComboCount(), 0);
}

// The boil takes the level's time, a tenth less per combo step, never less than a tenth of it.
TEST_F(CauldronTest, TheComboShortensTheBoil) {
    struct Case {
        int combo, level, maxCombo;
        float seconds;
    };
    const Case cases[] = {
        {0, 1, 5, 11.0f}, {1, 1, 5, 9.9f}, {4, 2, 5, 3.3f}, {5, 3, 5, 1.375f}, {7, 3, 5, 1.375f},
        {9, 1, 12, 1.1f}, {10, 1, 12, 1.1f}, {12, 2, 12, 0.55f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "combo " << c.combo << ", level " << c.level);
        GetGameTables().cauldronMaxCombo = c.maxCombo;
        clsCauldron cauldron(c.level, scene.get(), kAt);
        for (int repeat = 0; repeat < c.combo; ++repeat) Brew(cauldron, 0);
        float seconds = Brew(cauldron, 0);
        EXPECT_EQ(cauldron.GetComboCount(), std::min(c.combo, c.maxCombo));
        // Each of the 11 segments ends on the first frame at or past its time.
        EXPECT_GE(seconds, c.seconds - 1e-3f);
        EXPECT_LE(seconds, c.seconds + 11 * kFrameSeconds);
    }
}

TEST_F(CauldronTest, ZonesFollowThePositionAndTheLevel) {
    struct Case {
        int level;
        TVec2 at;
        TRect mouth, empty, fire;
    };
    const Case cases[] = {
        {1, kAt, {422, 456, 502, 515}, {510, 451, 522, 481}, {417, 515, 507, 566}},
        {2, kAt, {422, 456, 502, 520}, {510, 451, 522, 481}, {417, 520, 507, 566}},
        {3, kAt, {422, 456, 502, 529}, {510, 451, 522, 481}, {417, 529, 507, 566}},
        {7, kAt, {422, 456, 502, 515}, {510, 451, 522, 481}, {417, 515, 507, 566}},  // looks as level 1
        {1, {50.7f, 30.9f}, {10, -9, 90, 49}, {98, -14, 110, 15}, {5, 49, 95, 100}},  // truncated
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        clsCauldron cauldron(c.level, scene.get(), c.at);
        EXPECT_EQ(cauldron.GetMouthZone(), c.mouth);
        EXPECT_EQ(cauldron.GetEmptyZone(), c.empty);
        EXPECT_EQ(cauldron.GetFireZone(), c.fire);
    }
    clsCauldron cauldron(2, scene.get(), kAt);
    cauldron.SetPosition(100, 200);
    Step(0, cauldron);
    EXPECT_EQ(cauldron.GetMouthZone(), TRect(60, 160, 140, 224));
    EXPECT_EQ(cauldron.GetFireEffect()->GetPosition(), TVec2(100, 230));
    EXPECT_EQ(cauldron.GetBrewingOverlay()->GetPosition(), TVec2(100, 175));
    EXPECT_EQ(cauldron.GetProgressBar()->GetSprite()->GetPosition(), TVec2(100, 250));
    EXPECT_EQ(cauldron.GetBalloon()->GetPosition(), TVec2(120, 150));
}

TEST_F(CauldronTest, RepeatedIngredientsAreMarkedOnePerDropLastFirst) {
    clsCauldron cauldron(1, scene.get(), kAt);
    cauldron.StartPotion(1);  // C, C, G
    cauldron.AddIngredient(2, true);
    EXPECT_EQ(cauldron.GetIngredientId(0), 2);
    EXPECT_EQ(cauldron.GetIngredientId(1), -1);
    EXPECT_EQ(cauldron.FindIngredient(2), cauldron.GetIcon(1));
    cauldron.AddIngredient(2, true);
    EXPECT_EQ(cauldron.GetIngredientId(0), -1);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kRequesting);
    cauldron.AddIngredient(2, true);  // none left to mark
    EXPECT_EQ(cauldron.GetIngredientId(2), 6);
    cauldron.AddIngredient(6, true);
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kReadyForFire);
    cauldron.AddIngredient(6, true);  // ignored while waiting for the fire
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kReadyForFire);

    cauldron.Empty();
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kIdle);
    EXPECT_EQ(cauldron.GetIngredientCount(), 0);
    EXPECT_FALSE(cauldron.GetBalloon()->IsVisible());
    EXPECT_FALSE(cauldron.GetFireIcon()->IsVisible());
    EXPECT_TRUE(cauldron.IsBusy());
    cauldron.AddIngredient(6, true);  // an idle cauldron takes nothing
    EXPECT_EQ(cauldron.GetState(), clsCauldron::kIdle);
    cauldron.StartPotion(0);
    EXPECT_FALSE(cauldron.IsBusy());
    cauldron.StartPotion(3);  // only an idle cauldron starts a potion
    EXPECT_EQ(cauldron.GetIngredientCount(), 1);
}

TEST_F(CauldronTest, HoverWhileBoilingShowsThePotion) {
    clsCauldron cauldron(1, scene.get(), kAt);
    cauldron.StartPotion(0);
    cauldron.SetHighlight(true);
    EXPECT_FALSE(cauldron.GetBrewingOverlay()->IsVisible());
    EXPECT_FALSE(cauldron.GetPotion()->GetSprite()->IsVisible());
    cauldron.AddIngredient(0, true);
    cauldron.Ignite();
    cauldron.SetHighlight(true);
    EXPECT_TRUE(cauldron.GetBrewingOverlay()->IsVisible());
    EXPECT_TRUE(cauldron.GetPotion()->GetSprite()->IsVisible());
    EXPECT_EQ(cauldron.GetPotion()->GetSprite()->GetPosition(), TVec2(462, 471));
    cauldron.SetHighlight(false);
    EXPECT_FALSE(cauldron.GetBrewingOverlay()->IsVisible());
    EXPECT_FALSE(cauldron.GetPotion()->GetSprite()->IsVisible());
}

TEST_F(CauldronTest, TheBoilingSoundFollowsItsIndexAndPausesOnlyWhilePlaying) {
    clsCauldron cauldron(1, scene.get(), kAt);
    cauldron.SetLoopSound(4);
    EXPECT_STREQ(cauldron.GetLoopSoundName().CStr(), "audio/sfx/cauldron_loop1");
    cauldron.PauseLoopSound(true);
    EXPECT_TRUE(scene->assets.sounds.empty());
    cauldron.StartPotion(0);
    cauldron.AddIngredient(0, true);
    cauldron.Ignite();
    cauldron.PauseLoopSound(true);
    cauldron.PauseLoopSound(false);
    EXPECT_EQ(scene->assets.sounds,
              (std::vector<std::string>{"loop audio/sfx/cauldron_loop1", "pause audio/sfx/cauldron_loop1",
                                        "resume audio/sfx/cauldron_loop1"}));
}

TEST_F(CauldronTest, PreloadListsTheLooksBarsEffectsAndSounds) {
    PreloadCauldronAnims(scene->assets);
    PreloadNumberAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 9u + 2 + 11 + 4 + 4 + 1);
    EXPECT_EQ(names[0], "anim/cauldron/cauldron_01_stand");
    EXPECT_EQ(names[8], "anim/cauldron/cauldron_03_request");
    EXPECT_EQ(names[11], "anim/stats/cauldron_bar_01");
    EXPECT_EQ(names[21], "anim/stats/cauldron_bar_11");
    EXPECT_EQ(names[25], "effects/fx_ingredient");
    EXPECT_EQ(names[26], "audio/sfx/cauldron_loop0?group=1000");
    EXPECT_EQ(names[29], "audio/sfx/cauldron_potion?group=1000");
    EXPECT_EQ(names[30], "anim/numbers");
}

}  // namespace
