#include "game/screens/dialogs/panel_dialogs.h"

TWindow* clsYesNo::Create() {
    return new clsYesNo();
}

TClassId clsYesNo::ClassId() {
    return reinterpret_cast<TClassId>(&clsYesNo::Create);
}

clsYesNo::clsYesNo() : clsPanelDialog(kOutlineA2, 5, 300) {
    functions_.Bind("setBorderFx", this, &clsYesNo::SetBorderFx);
}

clsYesNo::~clsYesNo() {
    functions_.Unbind();
}

void clsYesNo::SetBorderFx(int choice) {
    if (choice == kUsualBorder) UseOutline(kOutlineA2);
    if (choice == kShortBorder) UseOutline(kOutlineC10);
}
