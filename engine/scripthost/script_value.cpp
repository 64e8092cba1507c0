#include "engine/scripthost/script_value.h"

#include "engine/scripthost/script.h"
#include "engine/scripthost/script_refs.h"

TLuaTable* TScriptValue<TLuaTable*>::Read(lua_State* L, int index) {
    // The wrapper lives on the owner's own state: a coroutine thread calling here may be collected
    // before the wrapper is deleted.
    TScript* owner = TScript::FromState(L);
    lua_State* home = owner ? owner->GetState() : L;
    lua_pushvalue(L, index);
    if (home != L) lua_xmove(L, home, 1);
    auto* table = new TLuaTable(home);
    table->DeleteLater();
    return table;
}
