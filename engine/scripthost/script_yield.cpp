#include "engine/scripthost/script_yield.h"

#include "engine/script/state.h"

bool IsScriptYielded(lua_State* L) {
    return L->ci != L->base_ci && (L->ci->state & CI_YIELD) != 0;
}

bool CanYield(lua_State* L) {
    return L->nCcalls == 0;
}

ptrdiff_t FrameBase(lua_State* L) {
    return L->base - L->stack;
}
