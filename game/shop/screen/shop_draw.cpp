// The shop's picture, back to front, and the pause of its looping sounds while the game is paused.
#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite.h"
#include "game/data/game_manager.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/control_number.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/scene/cell_grid.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

template <class List>
void DrawLastToFirst(const List& list) {
    for (size_t i = list.size(); i-- > 0;) list[i]->Draw();
}

}  // namespace

void clsShopGame::Draw() {
    TRenderer* renderer = TRenderer::Get();
    if (state_ == kConstructed || !renderer) return;
    bool entered = !renderer->IsIn2d() && renderer->Begin2d();
    // The furniture and the heroine.
    shelf_->Draw();
    DrawLastToFirst(magicBoxes_);
    bucket_->Draw();
    if (plant_) plant_->Draw();
    heroine_->Draw();
    table_->Draw();
    if (perch_) perch_->Draw();
    if (phoenix_) phoenix_->Draw();
    if (harp_) harp_->Draw();
    DrawLastToFirst(cauldrons_);
    // Glowing effects add their light.
    renderer->SetBlendMode(BlendAdditive);
    DrawLastToFirst(sceneObjects_);
    if (charmSparkle_) charmSparkle_->Draw();
    renderer->SetBlendMode(BlendAlpha);
    if (charm_) charm_->Draw();
    for (size_t i = pickups_.size(); i-- > 0;) {
        pickups_[i].stars->Draw();
        pickups_[i].potion->Draw();
    }
    // The counter from its back to its front.
    for (size_t i = places_.size(); i-- > 0;) {
        if (places_[i].customer) places_[i].customer->Draw();
        if (places_[i].moneyItem) places_[i].moneyItem->Draw();
    }
    magicBook_->Draw();
    radaduvoz_->Draw();
    sign_->Draw();
    signText_->Draw(TSpriteState(), -1);
    scorePanel_->Draw();
    grid_->Draw();
    // What floats over everything.
    for (CheckMark& mark : checkMarks_) mark.sprite->Draw();
    for (auto& spark : moneySparks_) spark->Draw();
    for (auto& firework : fireworks_) firework->Draw();
    DrawLastToFirst(moneyNumbers_);
    if (goalMessage_) goalMessage_->Draw();
    if (expertMessage_) expertMessage_->Draw();
    if (entered) renderer->End2d();
    GameManager* manager = GameManager::Get();
    bool inside = manager && manager->AreInsideGame();
    if (inside == soundsPaused_) SetSoundsPaused(!inside);
}

void clsShopGame::SetSoundsPaused(bool paused) {
    soundsPaused_ = paused;
    for (auto& cauldron : cauldrons_) cauldron->PauseLoopSound(paused);
    if (harp_) harp_->PauseTune(paused);
    if (heroine_) heroine_->PauseArtifactSound(paused);
}
