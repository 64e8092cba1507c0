// The window types the game registers with the window manager, by the names its scripts create
// them with.
#pragma once

#include "engine/ui/window.h"

struct GameWindowType {
    const char* name;
    TWindowFactory factory;
};

// In the order of registration: 34 rows of 33 names. A later row of a name replaces the earlier
// one, so "CreditsWindow" makes the credits of row 32, and "TextEdit" replaces the framework's own.
extern const GameWindowType kGameWindowTypes[34];
