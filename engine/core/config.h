// Settings: one process-wide ordered map of text keys to text values, usable before main.
#pragma once

#include "engine/core/tstring.h"

void SetConfig(const TString& key, const TString& value);
// The stored value, or fallback when the key was never set; never inserts.
TString GetConfig(const TString& key, const TString& fallback = TString());
// The setting read as a decimal integer, true when non-zero; false when absent.
bool IsEnabled(const TString& key);
// Empties the map (the end of the application's teardown).
void ClearConfig();
