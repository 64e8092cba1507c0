// What the end of an awaited animation means to the shop: the heroine's one-shots finish her
// errands or the level, effects that have played go, the goal messages hide after their ending, the
// book's paper flies off and the sign shows its word.
#include <algorithm>

#include "engine/graphics/text_sprite.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/screen/shop_game.h"

namespace {

constexpr char kMessageEnd[] = "endMsg";

}  // namespace

void clsShopGame::OnAnimationEnded(clsAnimatedSprite* sprite) {
    if (!sprite) return;
    if (clsActor* actor = sprite->GetUserPointer()) actor->OnMoveEnded();
    if (heroine_ && sprite == heroine_->GetBody()) {
        OnHeroineAnimationEnded();
        return;
    }
    for (size_t i = cauldronFires_.size(); i-- > 0;) {
        if (cauldronFires_[i].first != sprite) continue;
        cauldronFires_[i].second->Ignite();
        sprite->Destroy();
        cauldronFires_.erase(cauldronFires_.begin() + static_cast<long>(i));
        return;
    }
    auto object = std::find(sceneObjects_.rbegin(), sceneObjects_.rend(), sprite);
    if (object != sceneObjects_.rend()) {
        sceneObjects_.erase(std::next(object).base());
        sprite->Destroy();
        return;
    }
    for (clsAnimatedSprite* message : {goalMessage_.get(), expertMessage_.get()})
        if (sprite == message && message->GetLastAction() == kMessageEnd) message->SetVisible(false);
    if (magicBook_ && magicBook_->OnAnimationEnded(sprite)) {
        RunScript("playAnimationBook('', 'InitTab')");
        return;
    }
    if (sign_ && sprite == sign_.get()) {
        bool closed = state_ == kClosing || state_ == kFinishing;
        static_cast<TTextSprite&>(*signText_).SetText(LabelText(closed ? "closed" : "open"));
    }
}

// Her take, throw and fire end her errand; her win and lose animations end the level.
void clsShopGame::OnHeroineAnimationEnded() {
    switch (heroine_->GetState()) {
        case clsPlayer::kTakingItem:
        case clsPlayer::kThrowingEnd:
        case clsPlayer::kFiringEnd:
            if (currentOrder_ >= 0 && currentOrder_ < static_cast<int>(orders_.size()))
                orders_[static_cast<size_t>(currentOrder_)]->phase = clsPlayerOrder::kDone;
            break;
        case clsPlayer::kWinning:
            EndLevel(true);
            break;
        case clsPlayer::kLosing:
            EndLevel(false);
            break;
        default:
            break;
    }
}
