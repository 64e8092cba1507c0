// Text that has to appear inside script source (a button's name, a player's name) written as a
// quoted string literal, so that no byte of it can end the literal or run as code.
#pragma once

#include "engine/core/base/tstring.h"

// The text in double quotes: quotes and backslashes escaped, control bytes and DEL as three-digit
// decimal escapes; every other byte as it is.
TString LuaStringLiteral(const TString& text);
