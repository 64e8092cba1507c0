// Settings: one process-wide ordered map of text keys to text values, usable before main.
#pragma once

#include "engine/core/base/tstring.h"

// Stores the value. Side effects: "cheatcode" and "encryptionkey" re-evaluate the cheat state;
// "legacylinewrap" turns the legacy line wrap on (whatever the value); every pair then goes to
// the runtime-setting sink while one is installed (the running application).
void SetConfig(const TString& key, const TString& value);
// The stored value, or fallback when the key was never set; never inserts.
TString GetConfig(const TString& key, const TString& fallback = TString());
// The setting read as a decimal integer, true when non-zero; false when absent.
bool IsEnabled(const TString& key);
// Empties the map (the end of the application's teardown).
void ClearConfig();

// The process-wide legacy line-wrap switch read by the font code; once on, it stays on.
bool IsLegacyLineWrap();

// Receives every SetConfig pair while installed; null uninstalls.
using RuntimeSettingSink = void (*)(const TString& key, const TString& value);
void SetRuntimeSettingSink(RuntimeSettingSink sink);

// Deciphers the cheat code with the encryption key (the preferences cipher); an empty result
// means the code does not decipher. Until one is installed the cheat state never changes.
using CheatDecipher = TString (*)(const TString& encryptionKey, const TString& cheatCode);
void SetCheatDecipher(CheatDecipher decipher);
