#include "game/screens/dialogs/panel_dialogs.h"

TWindow* clsRegisterUser::Create() {
    return new clsRegisterUser();
}

TClassId clsRegisterUser::ClassId() {
    return reinterpret_cast<TClassId>(&clsRegisterUser::Create);
}

clsRegisterUser::clsRegisterUser() : clsPanelDialog(kOutlineA, 5, 400), music_(kMusicFile) {}
