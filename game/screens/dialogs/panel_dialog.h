// clsPanelDialog: a modal panel of the menu flow on clsFxWindow. Its child "BackGround" slides in
// when the dialog is made, and a border effect runs once around the panel when it has come to rest.
// The texts and buttons come from the dialog's style table; the scripts read the buttons.
#pragma once

#include "game/screens/dialogs/fx_window.h"
#include "game/screens/dialogs/panel_border.h"

class clsPanelDialog : public clsFxWindow {
public:
    // The entry transition only: the style's "fit" is not applied.
    void PostCreate(TWindowStyle& style) override;
    // The panel at rest, then the border effect starts.
    void PlaceAtRest() override;

    PanelBorder& GetBorder() { return border_; }

protected:
    // The outline, the most segments it may have and the time of a segment.
    clsPanelDialog(const BorderOutline& outline, int capacity, int segmentMs);

    // Builds the border, hidden.
    void OnFxCreate() override { border_.Build(*outline_); }
    void OnFxUpdate(int elapsedMs) override { border_.Update(elapsedMs); }
    // Over the children.
    void OnFxPostDraw() override { border_.Draw(); }
    // Another outline for the next run of the border (hidden until then).
    void UseOutline(const BorderOutline& outline);

private:
    const BorderOutline* outline_;
    PanelBorder border_;
};
