#include "game/screens/dialogs/panel_dialog.h"

clsPanelDialog::clsPanelDialog(const BorderOutline& outline, int capacity, int segmentMs)
    : outline_(&outline), border_(capacity, segmentMs) {}

void clsPanelDialog::PostCreate(TWindowStyle&) {
    StartPanelEntry();
}

void clsPanelDialog::PlaceAtRest() {
    clsFxWindow::PlaceAtRest();
    border_.Start();
}

void clsPanelDialog::UseOutline(const BorderOutline& outline) {
    outline_ = &outline;
    border_.Build(outline);
}
