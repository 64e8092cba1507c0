// The program's command line as one text, and the rules that read options out of it. Options are
// found anywhere in the text by their spelling ("-url=", "--multiple"), as the game has always
// read them.
#pragma once

#include <utility>
#include <vector>

#include "engine/core/base/tstring.h"

// argv[1..] joined by single blanks; an argument holding a blank is wrapped in double quotes.
TString BuildCommandLine(int argc, const char* const* argv);

bool HasOption(const TString& commandLine, const char* option);
// The text behind option up to the first blank (or the end); empty when the option is absent.
TString WordAfter(const TString& commandLine, const char* option);
// Like WordAfter, but a value in double quotes (or an option inside a quoted argument) runs to the
// closing quote and keeps its blanks; the quotes are removed.
TString PathAfter(const TString& commandLine, const char* option);
// "--cheat <code>": the code starts 8 characters behind "--cheat" and ends at a blank; empty when
// nothing follows.
TString CheatCode(const TString& commandLine);
// "options=k1=v1&k2=v2": the pairs in order. The list ends at a blank or the end of the text and
// stops at a pair without "="; a value ends at the earlier of "&" and a blank.
std::vector<std::pair<TString, TString>> OptionPairs(const TString& commandLine);
