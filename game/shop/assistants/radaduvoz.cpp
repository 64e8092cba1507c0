#include "game/shop/assistants/radaduvoz.h"

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/artifact_holder.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kTentacleTexture[] = "anim/radaduvoz/tentacle_action_item";
constexpr char kDeliverSound[] = "audio/sfx/octavius_deliver";
constexpr int kHasteCharmBit = 4;
constexpr size_t kHasteCharm = 2;  // the preparation charm's record

float PreparationSeconds(int charmBits) {
    const GameTables& tables = GetGameTables();
    float factor = 1.0f;
    if ((charmBits & kHasteCharmBit) != 0 && tables.charms.size() > kHasteCharm)
        factor = 1.0f - tables.charms[kHasteCharm].factor;
    return tables.timePrepareArtifact * factor;
}

}  // namespace

clsRadaduvoz::clsRadaduvoz(iGameScene* owner, iArtifactHolder* holder, int charmBits)
    : clsActor(owner), holder_(holder), preparationSeconds_(PreparationSeconds(charmBits)) {
    GetBody()->SetVisible(false);
}

void clsRadaduvoz::StartDelivery(int artifactId) {
    if (artifactId == -1) return;
    artifact_ = artifactId;
    timerSeconds_ = preparationSeconds_;
    mode_ = kPreparing;
}

void clsRadaduvoz::PlayDeliver(int slot) {
    if (slot < 0 || slot >= kSlotCount || !holder_) {
        mode_ = kIdle;
        return;
    }
    slot_ = slot;
    GetBody()->SetVisible(true);
    SetPositionV(holder_->GetArtifactSlotPosition(slot));
    GetBody()->SetTexture(GetBody()->GetSceneTexture(kTentacleTexture));
    GetBody()->Play("DoAnim");
    PlaySound(kDeliverSound);
    mode_ = kDelivering;
}

void clsRadaduvoz::OnMoveEnded() {
    mode_ = kIdle;
    GetBody()->SetVisible(false);
}

void clsRadaduvoz::Update(float dt) {
    clsActor::Update(dt);
    if (mode_ == kPreparing) {
        timerSeconds_ -= dt;
        if (timerSeconds_ > 0.0f) return;
        PlayDeliver(holder_ ? holder_->FindArtifactSlot(artifact_) : -1);
        timerSeconds_ = 0.0f;
    } else if (mode_ == kDelivering && GetBody()->GetAnimation().GetCurrentFrame() >= kResetFrame) {
        if (holder_) holder_->ResetArtifact(slot_);
        slot_ = -1;
        mode_ = kDelivered;
    }
}

void PreloadRadaduvozAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kTentacleTexture);
    assets.AddPreloadSound(kDeliverSound);
}
