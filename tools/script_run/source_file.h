// Loading the runner's FILE argument.
#pragma once

#include <string>

struct lua_State;

// Loads a disk file through luaL_loadfile (chunk name "@file"), or the standard input for "-" (chunk
// name "=stdin"); bytes keeps the standard input's contents while they are in use. Answers lua_load's status.
int LoadSourceFile(lua_State* L, const char* file, std::string* bytes);
