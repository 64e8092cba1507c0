// The script lines the player chooser runs: the list of the players' names it hands to the menu
// script, each name an escaped script string, so a name shows as it was typed and never runs.
#pragma once

#include <vector>

#include "engine/core/base/tstring.h"

// {"A","B","C",} for the names A, B and C; {} for none.
TString PlayerChoicesList(const std::vector<TString>& names);
// "UpdatePlayerChoices(current, count, list)".
TString UpdatePlayerChoicesLine(int current, int count, const std::vector<TString>& names);
// "InitOffset(current, count)".
TString InitOffsetLine(int current, int count);
