#include "game/screens/dialogs/panel_dialogs.h"

TWindow* clsPause::Create() {
    return new clsPause();
}

TClassId clsPause::ClassId() {
    return reinterpret_cast<TClassId>(&clsPause::Create);
}

clsPause::clsPause() : clsPanelDialog(kOutlineC, 5, 400) {}
