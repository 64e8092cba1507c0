#include "engine/ui/script_yield.h"

#include "engine/script/state.h"

bool IsSuspendedInYield(lua_State* state) {
    return state->ci != state->base_ci && (state->ci->state & CI_YIELD) != 0;
}

bool CanYield(lua_State* state) {
    return state->nCcalls == 0;
}
