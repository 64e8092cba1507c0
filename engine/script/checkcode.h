// Bytecode checker: a symbolic pass over a prototype proving that no instruction reaches outside its
// registers, constants, upvalues or nested prototypes.
#pragma once

#include "engine/script/object.h"

// True when the prototype's code is safe to run.
bool luaG_checkcode(const Proto* pt);
