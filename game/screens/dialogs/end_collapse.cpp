#include "game/screens/dialogs/panel_dialogs.h"

#include "game/shop/session/game_session.h"

TWindow* clsEndCollapse::Create() {
    return new clsEndCollapse();
}

TClassId clsEndCollapse::ClassId() {
    return reinterpret_cast<TClassId>(&clsEndCollapse::Create);
}

clsEndCollapse::clsEndCollapse() : clsPanelDialog(kOutlineB, 9, 400) {}

void clsEndCollapse::PostCreate(TWindowStyle& style) {
    clsPanelDialog::PostCreate(style);
    SetWindowVisible(FindChild(kNextLevelButton), false);
}

void clsEndCollapse::PlaceAtRest() {
    clsPanelDialog::PlaceAtRest();
    SetWindowVisible(FindChild(kNextLevelButton), true);
}
