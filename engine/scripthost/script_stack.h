// Readers of the value on top of a script stack. Each converts the value the way every native
// function the scripts reach does, then pops it.
#pragma once

#include <array>

#include "engine/core/base/tstring.h"

struct lua_State;

// Red, green, blue and alpha, each nominally 0..1.
using TScriptColor = std::array<float, 4>;

// The value at index as text: numbers are converted; other types give the empty string.
TString GetLuaString(lua_State* L, int index);

// The top as a number (0 when it is none), popped.
double PopNumber(lua_State* L);
// The top as text (see GetLuaString), popped.
TString PopString(lua_State* L);
// Items 1..4 of the table on top as floats (0 for a missing item), or fallback when the top is no
// table; the table is popped.
TScriptColor PopColor(lua_State* L, const TScriptColor& fallback = {});
// The top as a bool: nil is false, a boolean its value, a number true unless 0. Strings and other
// types read as false with a log line. Popped whatever it was.
bool PopBool(lua_State* L);

// The value at index as the scripts' tostring shows it, without metamethods ("nil", "true",
// "table: 0x..."); text and numbers as they are.
TString DescribeValue(lua_State* L, int index);
