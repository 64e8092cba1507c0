#include "game/screens/dialogs/panel_dialogs.h"

TWindow* clsGainTrophy::Create() {
    return new clsGainTrophy();
}

TClassId clsGainTrophy::ClassId() {
    return reinterpret_cast<TClassId>(&clsGainTrophy::Create);
}

clsGainTrophy::clsGainTrophy() : clsPanelDialog(kOutlineB10, 9, 400) {}
