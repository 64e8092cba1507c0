#include "game/modes/collapse/bottle_panel.h"

#include <algorithm>

#include "game/data/game_tables.h"
#include "game/shop/scene/game_interface.h"

namespace {

// The bottles' places, filled in this order.
const TVec2 kBottlePlaces[CollapseBottlePanel::kMaxBottles] = {
    {516.0f, 301.0f}, {577.0f, 301.0f}, {516.0f, 403.0f}, {577.0f, 403.0f}};

// The index of the last charm with that id; -1 when none has it.
int FindCharm(const std::vector<CharmRecord>& charms, const TString& id) {
    for (int index = static_cast<int>(charms.size()) - 1; index >= 0; --index)
        if (charms[index].id == id) return index;
    return -1;
}

}  // namespace

void CollapseBottlePanel::SetUp(const CollapseLevelRecord& level, const std::vector<CharmRecord>& charms) {
    bottleCount_ = std::min(static_cast<int>(level.charms.size()), kMaxBottles);
    for (int i = 0; i < bottleCount_; ++i) {
        int charm = FindCharm(charms, level.charms[i]);
        if (charm < 0) continue;
        int quota = charms[charm].quotaRequired * level.fee;
        created_.push_back(std::make_unique<clsBottleItem>(owner_, i, quota, charm));
        quotaSum_ += quota;
    }
    Arrange();
}

void CollapseBottlePanel::Arrange() {
    for (auto& bottle : shown_) retired_.push_back(std::move(bottle));
    shown_.clear();
    while (!created_.empty() && static_cast<int>(shown_.size()) < kMaxBottles) {
        shown_.push_back(std::move(created_.back()));
        created_.pop_back();
    }
    for (size_t k = 0; k < shown_.size(); ++k) {
        shown_[k]->SetPositionV(kBottlePlaces[k]);
        shown_[k]->Update(0.0f);
    }
}

int CollapseBottlePanel::FindBottle(int color) const {
    for (int k = static_cast<int>(shown_.size()) - 1; k >= 0; --k)
        if (shown_[k]->GetColor() == color && shown_[k]->GetRemaining() > 0) return k;
    return -1;
}

TVec2 CollapseBottlePanel::BottlePosition(int color) const {
    for (auto bottle = shown_.rbegin(); bottle != shown_.rend(); ++bottle)
        if ((*bottle)->GetColor() == color) return (*bottle)->GetPosition();
    return TVec2();
}

void CollapseBottlePanel::OnPieceArrived(const clsCollapseItem& piece) {
    if (piece.GetKind() != kPlain) return;
    int bottle = FindBottle(piece.GetColor());
    if (bottle < 0) return;
    shown_[bottle]->AddPiece();
    if (owner_) owner_->AddMoney(1);
    checkFull_ = true;
}

std::vector<const clsBottleItem*> CollapseBottlePanel::Update(float dt) {
    for (auto bottle = shown_.rbegin(); bottle != shown_.rend(); ++bottle) (*bottle)->Update(dt);
    std::vector<const clsBottleItem*> full;
    if (!checkFull_) return full;
    for (auto bottle = shown_.rbegin(); bottle != shown_.rend(); ++bottle)
        if ((*bottle)->GetRemaining() <= 0) full.push_back(bottle->get());
    checkFull_ = false;
    return full;
}

void CollapseBottlePanel::Draw() {
    for (auto bottle = shown_.rbegin(); bottle != shown_.rend(); ++bottle) (*bottle)->Draw();
}
