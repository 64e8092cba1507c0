// Where the shop's HUD, sign, counter and goal messages land on the 800 x 600 screen, drawn from the
// game's own pictures through the real rasteriser at the places the shop gives them: every picture
// whole on the screen, and every text drawn inside the picture it belongs to.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/text_sprite.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/screen/shop_layout.h"
#include "tests/game/shop/built_scene_fixture.h"

namespace {

const TRect kScreen(0, 0, 800, 600);
constexpr float kSignTextColor[4] = {1.0f, 0.945f, 0.357f, 1.0f};

bool Inside(const TRect& inner, const TRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Show(const TRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

class ShopLayoutTest : public BuiltSceneTest {
protected:
    // Where a picture's opaque pixels land on the screen: its rectangle less its clear border.
    static TRect OpaqueRect(TSprite& sprite) {
        TRect rect = sprite.GetRect(TSpriteState(), -1);
        std::shared_ptr<TTexture> texture = sprite.GetTexture();
        uint32_t* pixels;
        int pitch;
        if (!texture || !texture->Lock(&pixels, &pitch)) return rect;
        TRect opaque(texture->GetWidth(), texture->GetHeight(), 0, 0);
        for (int y = 0; y < texture->GetHeight(); ++y)
            for (int x = 0; x < texture->GetWidth(); ++x) {
                if ((pixels[y * pitch + x] >> 24) < 26) continue;
                opaque = TRect(std::min(opaque.left, x), std::min(opaque.top, y), std::max(opaque.right, x + 1),
                               std::max(opaque.bottom, y + 1));
            }
        texture->Unlock();
        return TRect(rect.left + opaque.left, rect.top + opaque.top, rect.left + opaque.right, rect.top + opaque.bottom);
    }

    // The scene object's picture at its last frame, where it stands.
    static TRect LastFrameRect(clsAnimatedSprite& sprite, const TVec2& position) {
        sprite.SetPositionV(position);
        sprite.Update(0.0f);
        TAnimatedSprite& animation = sprite.GetAnimation();
        animation.SetCurrentFrame(animation.GetFrameCount() - 1);
        return sprite.GetFrameworkSprite()->GetRect(TSpriteState(), -1);
    }

    // The rectangle of the pixels a text sprite lights on a black screen.
    TRect LitText(TSprite& text) {
        EXPECT_TRUE(renderer->BeginDraw(1));
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(kScreen, black);
        EXPECT_TRUE(renderer->Begin2d());
        text.Draw(TSpriteState(), -1);
        renderer->End2d();
        renderer->EndDraw();
        TRect lit(800, 600, 0, 0);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                uint32_t p = Pixel(x, y);
                if (((p >> 16) & 0xFF) < 0x20 && ((p >> 8) & 0xFF) < 0x20) continue;
                lit = TRect(std::min(lit.left, x), std::min(lit.top, y), std::max(lit.right, x + 1),
                            std::max(lit.bottom, y + 1));
            }
        return lit;
    }
};

// The panel sits in the top-left corner at the shop's origin, and every caption and number, at its
// widest, is written on it.
TEST_F(ShopLayoutTest, TheScorePanelFillsTheCornerAndHoldsItsTexts) {
    if (!Load("gui/gui_score_goal_time") || !Load("anim/clock"))
        GTEST_SKIP() << "the game's pictures are not built in " << ALEMBRIA_ASSET_DIR;
    clsGuiScoreGoalTime panel(scene.get(), 120.0f, 1);
    panel.SetPosition(0.0f, 0.0f);
    panel.SetScore(9999);
    panel.SetGoal(999);
    panel.SetDay(24);
    TRect board = OpaqueRect(panel.GetPanelImage());
    EXPECT_TRUE(Inside(board, kScreen)) << Show(board);
    EXPECT_EQ(board.left, 0) << Show(board);
    EXPECT_EQ(board.top, 0) << Show(board);
    TRect clock = panel.GetClock().GetFrameworkSprite()->GetRect(TSpriteState(), -1);
    EXPECT_TRUE(Inside(clock, board)) << "the clock " << Show(clock) << " on the panel " << Show(board);

    struct Label {
        const char* what;
        TSprite* sprite;
        const char* widest;
    };
    // The captions as strings.xml has them.
    const Label labels[] = {{"score caption", &panel.GetScoreCaption(), "Money"},
                            {"score", &panel.GetScoreValue(), nullptr},
                            {"goal caption", &panel.GetGoalCaption(), "Goal"},
                            {"goal", &panel.GetGoalValue(), nullptr},
                            {"day caption", &panel.GetDayCaption(), "Day"},
                            {"day", &panel.GetDayValue(), nullptr}};
    for (const Label& label : labels) {
        if (label.widest) static_cast<TTextSprite*>(label.sprite)->SetText(label.widest);
        TRect lit = LitText(*label.sprite);
        EXPECT_LT(lit.left, lit.right) << label.what << " draws nothing";
        EXPECT_TRUE(Inside(lit, board)) << label.what << " at " << Show(lit) << " off the panel " << Show(board);
    }
    // Each caption and a number as long as the game's levels make them (a later level's expert goal
    // has four digits) share a line without running into each other, the number on the caption's
    // plate.
    const TRect moneyPlate(80, 8, 186, 46), goalPlate(102, 49, 186, 75);
    TRect words = LitText(panel.GetScoreCaption()), money = LitText(panel.GetScoreValue());
    EXPECT_LE(words.right, money.left) << "Money " << Show(words) << " " << Show(money);
    EXPECT_TRUE(Inside(money, moneyPlate)) << Show(money);
    for (const char* caption : {"Goal", "Expert"}) {
        panel.SetGoalCaption(caption);
        for (int goal : {999, 1500}) {
            panel.SetGoal(goal);
            TRect words = LitText(panel.GetGoalCaption()), number = LitText(panel.GetGoalValue());
            EXPECT_LE(words.right, number.left) << caption << " " << goal << " " << Show(words) << " " << Show(number);
            EXPECT_TRUE(Inside(number, goalPlate)) << caption << " " << goal << " " << Show(number);
        }
    }
}

// The sign hangs whole on the screen with its word on it; the counter of every shop and the goal
// messages stand whole on the screen.
TEST_F(ShopLayoutTest, TheSignTheCountersAndTheMessagesStandOnTheScreen) {
    if (!Load("gui/open_closed_appears") || !Load("gui/open_closed_changes"))
        GTEST_SKIP() << "the game's pictures are not built in " << ALEMBRIA_ASSET_DIR;
    for (const char* name : {"gui/open_closed_appears", "gui/open_closed_changes"}) {
        clsAnimatedSprite sign(scene.get());
        sign.SetTexture(scene->assets.GetTexture(name));
        TRect board = LastFrameRect(sign, kSignPosition);
        EXPECT_TRUE(Inside(board, kScreen)) << name << " " << Show(board);
        std::shared_ptr<TSprite> word = TTextSprite::Create(kSignTextWidth, kSignTextHeight, kSignTextFlags, "",
                                                            kSignTextSize, kSignTextColor, 0);
        word->GetState().transform.m[6] = kSignTextPosition.x;
        word->GetState().transform.m[7] = kSignTextPosition.y;
        static_cast<TTextSprite&>(*word).SetText("closed");
        TRect lit = LitText(*word);
        EXPECT_TRUE(Inside(lit, board)) << "the word at " << Show(lit) << " off " << name << " " << Show(board);
    }

    for (int shop = 1; shop <= 8; ++shop) {
        std::string name = "backgrounds/shop_" + std::to_string(shop) + "/bg_table_0" + std::to_string(shop);
        ASSERT_TRUE(Load(name)) << name;
        clsSprite table(scene.get());
        table.SetTexture(scene->assets.GetTexture(name.c_str()));
        table.SetPositionV(kTablePositions[std::min(shop, kTablePositionCount) - 1]);
        table.Update(0.0f);
        TRect rect = OpaqueRect(*table.GetFrameworkSprite());
        EXPECT_TRUE(Inside(rect, kScreen)) << name << " " << Show(rect);
        // The counter runs between the customers and the places where they are served.
        for (const CustomerPlaceLayout& place : kCustomerPlaces)
            EXPECT_TRUE(rect.Contains(static_cast<int>(place.serviceSpot.x), static_cast<int>(place.serviceSpot.y)))
                << name;
    }

    for (const char* name : {"anim/goal_reached", "anim/expert_goal_reached"}) {
        ASSERT_TRUE(Load(name)) << name;
        clsAnimatedSprite message(scene.get());
        message.SetTexture(scene->assets.GetTexture(name));
        TRect rect = LastFrameRect(message, kGoalMessagePosition);
        EXPECT_TRUE(Inside(rect, kScreen)) << name << " " << Show(rect);
    }
}

}  // namespace
