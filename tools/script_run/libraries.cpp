#include "tools/script_run/libraries.h"

#include "engine/script/lua.h"
#include "engine/script/lualib.h"

void OpenLibraries(lua_State* L) {
  luaopen_base(L);
  luaopen_string(L);
  luaopen_table(L);
  lua_settop(L, 0);
}
