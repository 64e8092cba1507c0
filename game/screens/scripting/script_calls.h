// Calls from a game window into the window system's script: a line of script text, or a global
// script function by name. Without a window manager or its script nothing runs; the script engine
// logs what fails (a bad line, a name that is no function).
#pragma once

#include "engine/core/base/tstring.h"

void RunScriptLine(const TString& line);
// Calls the global function of that name with no arguments and no results.
void CallScriptFunction(const TString& name);
