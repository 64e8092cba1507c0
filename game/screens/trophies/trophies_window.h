// clsTrophiesWnd: the trophy cabinet (the scripts' "TrophiesWindow"). It shows each of the eleven
// trophies as earned or not yet earned, from the trophy tracker brought in line with the current
// player, and while the pointer rests on a trophy one of four tooltip panels with its name and what
// earns it. The pictures ("<trophy>_n" earned, "<trophy>_i" not yet), the panels "dialog01" to
// "dialog04" and their texts "lblName" and "lblToolTip" come from the script; a sparkle runs once
// round the cabinet's panel.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "game/screens/dialogs/fx_window.h"
#include "game/shop/trophies/trophy_tracker.h"

class clsTrophiesWnd : public clsFxWindow {
public:
    struct Trophy {
        const char* window;  // the pictures are window + "_n" and window + "_i"
        bool (clsTrophyTracker::*earned)() const;
        const char* nameLabel;
        const char* tipLabel;
        int panel;       // 1 to 4: "dialog01" to "dialog04"
        TPoint tooltip;  // where the panel goes, in its parent
    };
    static constexpr int kTrophyCount = 11;
    static constexpr int kPanelCount = 4;
    // In the order the pointer tests them: where two overlap, the earlier wins.
    static const std::array<Trophy, kTrophyCount> kTrophies;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTrophiesWnd"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // Loads the tracker from the current player, or saves it there while it holds unsaved changes.
    clsTrophiesWnd();
    ~clsTrophiesWnd() override;

    // Hides the tooltips and shows each trophy's picture; the style's "fit" is not applied.
    void PostCreate(TWindowStyle& style) override;
    // The tooltip of the first trophy (shown or not) under the point, or none.
    bool OnMouseMove(TPoint point) override;
    bool OnMouseLeave() override;

    void ShowTrophies();
    void HideTooltips();
    // Fills panel 1 to 4 with the texts, moves it to (x, y) and shows it alone.
    void ShowTooltip(int x, int y, int panel, const TString& name, const TString& tip);

    clsParticleFx& GetPanelFx() { return *panelFx_; }

protected:
    void OnFxCreate() override;
    void OnFxUpdate(int elapsedMs) override;
    void OnFxDraw() override;

private:
    TWindow* Panel(int panel);
    // The probe's "trophies": the trophies shown earned, by window name, or "none".
    std::string EarnedShown();

    std::unique_ptr<clsParticleFx> panelFx_;
    clsTrophyTracker* tracker_;
    const char* tooltipTrophy_ = nullptr;  // the trophy whose tooltip shows (the probe's "tooltip")
};
