// The texts the shop's panels show: labels of the string table and the font the game's scripts chose.
#pragma once

#include "engine/core/base/tstring.h"

// The string table's text for the label; the label itself when no string table is loaded.
TString LabelText(const TString& label);
// The script global "TextFont"; empty (the default font) without a window script.
TString ScriptTextFont();
