// Small routines between the framework's objects and the script engine: reading a script value as a
// bool, calling a bound one-string function and calling a window creator.
#pragma once

#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_yield.h"

struct lua_State;
class TScript;
class TWindow;

using TStringFunction = void (*)(const TString& text);

// Calls function with the text at index (empty when the value is not text). Pushes nothing.
int CallStringFunction(TStringFunction function, lua_State* L, int index);

// Script-callable adaptor of a bound TStringFunction: the closure's first upvalue is a userdata
// holding the function's address; argument 1 is the text.
int StringFunctionAdaptor(lua_State* L);

using TWindowCreator = TWindow* (*)();

// The window a registered type's creator makes; null when the creator answers its own address (the
// type makes no object).
TWindow* CallCreator(TWindowCreator creator);
