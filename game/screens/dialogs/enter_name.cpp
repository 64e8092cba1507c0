#include "game/screens/dialogs/panel_dialogs.h"

TWindow* clsEnterName::Create() {
    return new clsEnterName();
}

TClassId clsEnterName::ClassId() {
    return reinterpret_cast<TClassId>(&clsEnterName::Create);
}

clsEnterName::clsEnterName() : clsPanelDialog(kOutlineA, 5, 400) {}
