// The settings file of the asset folder ("::assets/settings.xml").
#pragma once

#include "engine/core/base/tstring.h"

// SetConfig(name, text) for each child of the file's "settings" element; false when the file
// cannot be read (the settings then keep their values).
bool LoadSettingsFile(const TString& path);
