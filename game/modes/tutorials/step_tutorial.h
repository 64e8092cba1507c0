// clsStepTutorial: a shop tutorial that plays its steps from two tables. A show row says what the
// step shows once its pause is over (its message, the arrow and the mark, the gates it opens and
// closes, and an action of the tutorial's own); an advance row says what "tutorialNextState" sets up
// for the next step (its pause, the panel's place, the continue button, the pointers removed). The
// gates are bits that let the player point at and click one kind of object at a time.
//
// The artifact, plant and phoenix tutorials derive from it: each gives its tables, its actions, its
// hover test and its clicks. The probe shows the open gates' bits ("gates") and where the arrow is
// ("arrowAt", or "none").
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "game/modes/tutorials/tutorial_screen.h"

class clsStepTutorial : public clsTutorialScreen {
public:
    // A pointer's place (screen pixels), its rotation in degrees, whether it is mirrored, its scale.
    struct Pointer {
        float x;
        float y;
        float rotation = 0.0f;
        bool flip = false;
        float scaleX = 1.0f;
        float scaleY = 1.0f;
    };
    // The actions every tutorial's show rows share; a tutorial numbers its own from kFirstOwnAction.
    enum CommonAction { kNothingMore = 0, kFadeOverlay = 1, kFinish = 2, kFirstOwnAction = 3 };
    struct ShowRow {
        int step;
        int message = 0;  // 0: the panel keeps what it shows
        std::optional<Pointer> arrow = std::nullopt;
        std::optional<Pointer> mark = std::nullopt;
        uint8_t opens = 0;
        uint8_t closes = 0;
        int action = kNothingMore;
    };
    struct AdvanceRow {
        int step;
        bool removesPointers = false;
        std::optional<bool> continueShown = std::nullopt;
        std::optional<float> pauseSeconds = std::nullopt;
        std::optional<TPoint> panel = std::nullopt;
        int action = kNothingMore;
        bool answer = false;
        bool staysAtStep = false;  // step 1: the show half moves on by itself
    };

    // The advance row of the current step; true at once when the shop is over, false for a step
    // without a row.
    bool tutorialNextState() override;
    // Waits out the pause, then plays the current step's show row.
    void UpdateStep(float dt) override;
    // The buttons hide, the pointers go and the steps stand still; then the shop is left.
    void finalizeTutorial() override;

    uint8_t GetGates() const { return gates_; }
    bool IsOpen(uint8_t gate) const { return (gates_ & gate) != 0; }

protected:
    clsStepTutorial(const Options& options, std::span<const ShowRow> showRows, std::span<const AdvanceRow> advanceRows);

    // A row's own action: a show row's after its message, gates and pointers (false keeps the
    // tutorial at the step: it watches the shop each frame), an advance row's after its settings.
    virtual bool Act(int action) = 0;

    void Open(uint8_t gates) { gates_ |= gates; }
    void Close(uint8_t gates) { gates_ &= static_cast<uint8_t>(~gates); }
    // The player has done what the step asked: the script hears it ("onWizardContinue()").
    void Continue();
    void PlaceArrow(const Pointer& pointer);

private:
    void Show(const ShowRow& row);
    bool Advance(const AdvanceRow& row);

    std::span<const ShowRow> showRows_;
    std::span<const AdvanceRow> advanceRows_;
    uint8_t gates_ = 0;
};
