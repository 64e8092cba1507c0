#include "game/screens/menus/player_choices.h"

#include "engine/scripthost/lua_literal.h"

TString PlayerChoicesList(const std::vector<TString>& names) {
    TString list("{");
    for (const TString& name : names) list += LuaStringLiteral(name) + ",";
    return list + "}";
}

TString UpdatePlayerChoicesLine(int current, int count, const std::vector<TString>& names) {
    return TString::Format("UpdatePlayerChoices(%d, %d, %s)", current, count, PlayerChoicesList(names).CStr());
}

TString InitOffsetLine(int current, int count) { return TString::Format("InitOffset(%d, %d)", current, count); }
