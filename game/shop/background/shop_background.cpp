#include "game/shop/background/shop_background.h"

#include <map>

#include "engine/core/app/application.h"
#include "engine/core/base/clock.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/window_anim.h"
#include "engine/ui/window_manager.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/scene/scene_session.h"
#include "game/shop/session/game_session.h"

namespace {

using Decoration = clsShopBackground::Decoration;

// The decorations in the order the shop gathers them. Where two share a slot, the one of the higher
// first level takes the place of the other.
constexpr Decoration kDecorations[] = {
    {"mask", false, 14, 39.2f, 57.5f, 0},
    {"octopus_table_1", false, 9, 750.4f, 402.9f, 0},
    {"tiki_plant", false, 10, 770.9f, 327.9f, 1},
    {"monsterbox", true, 16, 166.4f, 190.9f, 2},
    {"box2", false, 13, 757.4f, 434.4f, 4},
    {"red_monster", false, 3, 733.4f, 143.4f, 4},
    {"book_holog", true, 18, 55.5f, 184.7f, 5},
    {"octopus_table_2", false, 9, 750.4f, 402.9f, 6},
    {"monster_eye", false, 3, 727.0f, 181.8f, 7},
    {"cabeza_clava", true, 17, 118.2f, 86.8f, 8},
    {"goat_head", false, 15, 61.5f, 133.4f, 10},
    {"calabza", true, 12, 745.9f, 424.4f, 11},
    {"hipo", true, 11, 750.0f, 366.4f, 13},
    {"book_2", false, 20, 33.0f, 291.8f, 14},
    {"brooms", false, 1, 613.6f, 182.4f, 16},
    {"mummy_outforlunch", true, 7, 761.2f, 256.1f, 17},
    {"octopus_table_6", false, 9, 748.5f, 344.9f, 18},
    {"book_1", false, 6, 743.4f, 227.7f, 19},
    {"tiki", false, 19, 55.0f, 250.4f, 19},
    {"urna_ghost", true, 5, 682.6f, 185.6f, 20},
    {"shop_07_brooms", false, 1, 630.0f, 170.1f, 22},
    {"ojos", true, 8, 707.9f, 278.4f, 23},
};
// The loading screen loads in reverse: this order has the first level's decorations loaded last.
constexpr const char* kPreloadOrder[] = {
    "ojos",       "shop_07_brooms", "urna_ghost",   "tiki",        "book_1",          "octopus_table_6",
    "mummy_outforlunch", "brooms",  "book_2",       "hipo",        "calabza",         "goat_head",
    "cabeza_clava", "monster_eye",  "octopus_table_2", "book_holog", "red_monster",   "box2",
    "monsterbox", "tiki_plant",     "mask",         "octopus_table_1",
};
constexpr int kShopCount = 8;
constexpr int kLevelsPerShop = 3;
const TVec2 kBackgroundCentre{400.0f, 300.0f};

// A picture of one of the eight shops: "bg_shop" or "bg_table".
TString ShopPicture(const char* picture, int shop) {
    return TString::Format("backgrounds/shop_%d/%s_0%d", shop, picture, shop);
}

TString DecorationName(const char* name) {
    return TString("backgrounds/objects/") + name;
}

std::shared_ptr<TTexture> Picture(iGameAssets* assets, const TString& name) {
    return assets ? assets->GetTexture(name) : nullptr;
}

}  // namespace

TWindow* clsShopBackground::Create() {
    return new clsShopBackground();
}

TClassId clsShopBackground::ClassId() {
    return reinterpret_cast<TClassId>(&clsShopBackground::Create);
}

clsShopBackground::~clsShopBackground() {
    timers_.clear();
    while (!decorations_.empty()) decorations_.pop_back();
    background_.reset();
}

std::vector<const Decoration*> clsShopBackground::DecorationsForLevel(int level) {
    if (level < 0 || level >= kLevelsWithDecorations) return {};
    std::map<int, const Decoration*> slots;
    for (const Decoration& decoration : kDecorations) {
        if (decoration.firstLevel > level) continue;
        const Decoration*& shown = slots[decoration.slot];
        if (!shown || decoration.firstLevel >= shown->firstLevel) shown = &decoration;
    }
    std::vector<const Decoration*> ordered;
    for (const auto& [slot, decoration] : slots) ordered.push_back(decoration);
    return ordered;
}

TString clsShopBackground::BackgroundName(int level) {
    return ShopPicture("bg_shop", level / kLevelsPerShop + 1);
}

void clsShopBackground::Init(TWindowStyle& style) {
    TWindow::Init(style);
    clock_ = GetWindowAnim()->GetTimeSource();
    lastTimeMs_ = NowMs();
    Build(GetSceneSession().assets, GetLevelFlow().currentLevel);
}

void clsShopBackground::Build(iGameAssets* assets, int level) {
    for (const Decoration* decoration : DecorationsForLevel(level)) {
        std::unique_ptr<clsSpriteObject> sprite;
        if (decoration->animated) {
            auto animated = std::make_unique<clsAnimatedSprite>(nullptr);
            timers_.emplace_back(animated.get(), kMinReplaySeconds, kMaxReplaySeconds);
            sprite = std::move(animated);
        } else {
            sprite = std::make_unique<clsSprite>(nullptr);
        }
        sprite->SetTexture(Picture(assets, DecorationName(decoration->name)));
        sprite->SetPosition(decoration->x, decoration->y);
        decorations_.push_back(std::move(sprite));
    }
    for (auto decoration = decorations_.rbegin(); decoration != decorations_.rend(); ++decoration)
        (*decoration)->Update(0.0f);
    background_ = std::make_unique<clsSprite>(nullptr);
    background_->SetTexture(Picture(assets, BackgroundName(level)));
    background_->SetPositionV(kBackgroundCentre);
    background_->Update(0.0f);
}

uint32_t clsShopBackground::NowMs() const {
    return clock_ ? clock_->GetTime() : ApplicationTimer();
}

bool clsShopBackground::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    uint32_t now = NowMs();
    uint32_t elapsedMs = now - lastTimeMs_;  // unsigned: a clock that wrapped still gives the time passed
    lastTimeMs_ = now;
    for (auto timer = timers_.rbegin(); timer != timers_.rend(); ++timer)
        timer->Step(static_cast<float>(elapsedMs) / 1000.0f);
    return true;
}

void clsShopBackground::Draw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    if (background_) background_->Draw();
    for (auto decoration = decorations_.rbegin(); decoration != decorations_.rend(); ++decoration)
        (*decoration)->Draw();
    if (entered) renderer->End2d();
}

void PreloadShopBackgroundAnims(iGameAssets& assets) {
    for (int shop = 1; shop <= kShopCount; ++shop) {
        assets.AddPreloadAnim(ShopPicture("bg_shop", shop));
        assets.AddPreloadAnim(ShopPicture("bg_table", shop));
    }
    for (const char* name : kPreloadOrder) assets.AddPreloadAnim(DecorationName(name));
}

void PreloadLevelShopBackground(iGameAssets& assets, int level) {
    assets.AddPreloadAnim(clsShopBackground::BackgroundName(level));
    assets.AddPreloadAnim(ShopPicture("bg_table", level / kLevelsPerShop + 1));
    for (const Decoration* decoration : clsShopBackground::DecorationsForLevel(level))
        assets.AddPreloadAnim(DecorationName(decoration->name));
}
