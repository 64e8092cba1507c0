// The shop's other input: the right button calls off the heroine's errands, Escape gives the arrow
// back, P pauses the day; and a check mark comes off its object when its errand is done or called off.
#include "game/data/game_manager.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr int kRightButtonDown = 1;
constexpr uint8_t kEscapeKey = 27;
constexpr uint8_t kPauseKey = 'P';

void SetArrowCursor() { clsGameSession::Instance()->SetCursor(clsGameSession::kArrowCursor, false); }

}  // namespace

// The errand under way still ends its walk; every other one is dropped; all marks come off.
bool clsShopGame::OnMouseButton(TPoint, int code) {
    if (code != kRightButtonDown || state_ == kFinishing || state_ == kResultShown) return false;
    for (size_t i = orders_.size(); i-- > 0;) {
        clsPlayerOrder& order = *orders_[i];
        if (static_cast<int>(i) != currentOrder_) {
            order.phase = clsPlayerOrder::kDone;
        } else if (order.phase == clsPlayerOrder::kStarted) {
            order.phase = clsPlayerOrder::kCancelled;
        }
        RemoveCheckMark(MarkKindOf(order.kind), order.target);
    }
    return true;
}

bool clsShopGame::OnKeyDown(uint8_t key, int) {
    if (key == kEscapeKey) {
        SetArrowCursor();
        return true;
    }
    GameManager* manager = GameManager::Get();
    if (key != kPauseKey || !manager || !manager->AreInsideGame()) return false;
    manager->InsideGame(false);
    RunScript("DoModal('scripts/pause.lua');");
    SetArrowCursor();
    return true;
}

void clsShopGame::RemoveCheckMark(int kind, clsBasicObject* target) {
    if (!target || !target->IsMarked()) return;
    target->RemoveMark();
    for (auto mark = checkMarks_.begin(); mark != checkMarks_.end(); ++mark) {
        if (mark->kind != kind || mark->target != target) continue;
        mark->sprite->Destroy();
        checkMarks_.erase(mark);
        return;
    }
}
