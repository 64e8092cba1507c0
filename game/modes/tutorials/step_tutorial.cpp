// The two halves of a step played from the tables, and the end of the tutorial.
#include "game/modes/tutorials/step_tutorial.h"

#include <string>

#include "game/shop/objects/scene_sprite.h"
#include "game/shop/probe/game_probe.h"

namespace {

template <class Row>
const Row* FindRow(std::span<const Row> rows, int step) {
    for (const Row& row : rows)
        if (row.step == step) return &row;
    return nullptr;
}

void Place(clsAnimatedSprite& sprite, const clsStepTutorial::Pointer& pointer) {
    if (pointer.rotation != 0.0f) sprite.SetRotation(pointer.rotation);
    if (pointer.flip) sprite.SetSpriteFlags(true, false);
    if (pointer.scaleX != 1.0f || pointer.scaleY != 1.0f) sprite.SetScaleXY(pointer.scaleX, pointer.scaleY);
    sprite.Update(0.0f);
}

}  // namespace

clsStepTutorial::clsStepTutorial(const Options& options, std::span<const ShowRow> showRows,
                                 std::span<const AdvanceRow> advanceRows)
    : clsTutorialScreen(options), showRows_(showRows), advanceRows_(advanceRows) {
    GameProbe::Get().Add(this, "gates", [this] { return std::to_string(gates_); });
    GameProbe::Get().Add(this, "arrowAt", [this] {
        clsAnimatedSprite* arrow = GetArrow();
        if (!arrow) return std::string("none");
        return std::string(TString::Format("%g,%g", arrow->GetPosition().x, arrow->GetPosition().y).CStr());
    });
}

void clsStepTutorial::UpdateStep(float dt) {
    if (WaitPause(dt)) return;
    const ShowRow* row = FindRow(showRows_, GetStep());
    if (!row) return;
    switch (row->action) {
        case kFadeOverlay:
            StartWhenOverlayGone(dt);
            break;
        case kFinish:
            finalizeTutorial();
            break;
        default:
            Show(*row);
            break;
    }
}

void clsStepTutorial::Show(const ShowRow& row) {
    if (row.message > 0) ShowStepMessage(row.message);
    Open(row.opens);
    Close(row.closes);
    if (row.arrow) PlaceArrow(*row.arrow);
    if (row.mark) Place(ShowMark(row.mark->x, row.mark->y), *row.mark);
    if (row.action >= kFirstOwnAction && !Act(row.action)) return;
    NextStep();
}

void clsStepTutorial::PlaceArrow(const Pointer& pointer) { Place(ShowArrow(pointer.x, pointer.y), pointer); }

bool clsStepTutorial::tutorialNextState() {
    if (IsOver()) return true;
    const AdvanceRow* row = FindRow(advanceRows_, GetStep());
    return row && Advance(*row);
}

bool clsStepTutorial::Advance(const AdvanceRow& row) {
    if (row.removesPointers) RemovePointers();
    if (row.continueShown) SetContinue(*row.continueShown);
    if (row.pauseSeconds) SetPause(*row.pauseSeconds);
    if (row.panel) SetPanel(row.panel->x, row.panel->y);
    if (row.action >= kFirstOwnAction) Act(row.action);
    if (!row.staysAtStep) NextStep();
    return row.answer;
}

void clsStepTutorial::finalizeTutorial() {
    clsTutorial::finalizeTutorial();
    LeaveShop();
}

void clsStepTutorial::Continue() { RunScript("onWizardContinue()"); }
