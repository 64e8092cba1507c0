#include "engine/core/base/command_line.h"

#include <cstring>

namespace {

// Index of the first byte of text at or after start that is one of stops, else the length.
int FindAny(const TString& text, int start, const char* stops) {
    int length = static_cast<int>(text.Length());
    for (int i = start; i < length; ++i) {
        if (std::strchr(stops, text.CharAt(i))) return i;
    }
    return length;
}

// Start of the text behind option, or -1 when absent.
int ValueStart(const TString& commandLine, const char* option) {
    int at = commandLine.Find(option);
    return at < 0 ? -1 : at + static_cast<int>(std::strlen(option));
}

}  // namespace

TString BuildCommandLine(int argc, const char* const* argv) {
    TString line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        bool quote = std::strchr(argv[i], ' ') != nullptr;
        if (quote) line += '"';
        line += argv[i];
        if (quote) line += '"';
    }
    return line;
}

bool HasOption(const TString& commandLine, const char* option) {
    return commandLine.Find(option) >= 0;
}

TString WordAfter(const TString& commandLine, const char* option) {
    int start = ValueStart(commandLine, option);
    if (start < 0) return TString();
    return commandLine.Mid(start, FindAny(commandLine, start, " ") - start);
}

TString PathAfter(const TString& commandLine, const char* option) {
    int start = ValueStart(commandLine, option);
    if (start < 0) return TString();
    int optionAt = commandLine.Find(option);
    bool quotedArgument = optionAt > 0 && commandLine.CharAt(optionAt - 1) == '"';
    bool quotedValue = commandLine.CharAt(start) == '"';
    if (quotedValue) ++start;
    const char* stops = quotedArgument || quotedValue ? "\"" : " ";
    return commandLine.Mid(start, FindAny(commandLine, start, stops) - start);
}

TString CheatCode(const TString& commandLine) {
    int at = commandLine.Find("--cheat");
    if (at < 0) return TString();
    int start = at + 8;
    if (start >= static_cast<int>(commandLine.Length())) return TString();
    return commandLine.Mid(start, FindAny(commandLine, start, " ") - start);
}

std::vector<std::pair<TString, TString>> OptionPairs(const TString& commandLine) {
    std::vector<std::pair<TString, TString>> pairs;
    int start = ValueStart(commandLine, "options=");
    if (start < 0) return pairs;
    int listEnd = FindAny(commandLine, start, " ");
    while (start < listEnd) {
        int pairEnd = FindAny(commandLine, start, "& ");
        int equals = FindAny(commandLine, start, "=& ");
        if (equals >= pairEnd) break;  // a pair without "="
        pairs.emplace_back(commandLine.Mid(start, equals - start),
                           commandLine.Mid(equals + 1, pairEnd - equals - 1));
        start = pairEnd + 1;
    }
    return pairs;
}
