// Hot-key texts in their canonical form: modifiers in the order "shift-" "ctrl-" "alt-" and the
// key's last character upper-cased ("Ctrl-Shift-s" -> "shift-ctrl-S", "control-x" -> "ctrl-X");
// "@" and a character names a key by its raw code whatever the modifiers ("@a" -> "@A").
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

TString NormaliseHotKey(const TString& text);

// The text of a key press with its modifiers (1 shift, 2 ctrl, 4 alt), normalised.
TString HotKeyForPress(uint8_t key, int modifiers);
