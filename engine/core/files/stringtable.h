// The string table: every text the player reads, by label, loaded from spreadsheet XML rows
// (first cell the label, second the text). Texts may hold %-escapes: "%%" a percent sign,
// "%n%" parameter n (1..5), "%LABEL%" another label's text (inserted once, not expanded again).
#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "engine/core/base/tstring.h"

class TStringTable {
public:
    // Adds the rows of a plain or "ZXML" file; false only when the file cannot be read
    // (a damaged compressed file also fails and leaves the table as it was).
    bool LoadXml(const TString& path);
    // Adds the rows of XML text in memory.
    void LoadText(const char* text, size_t size);

    // The label's text with escapes expanded; "#####" (and a log line unless silenced) when missing.
    TString Lookup(const TString& label, const std::vector<TString>& parameters) const;
    // Lookup with up to five parameters; empty ones at the end are not counted.
    TString GetString(const TString& label, const TString& p1 = TString(), const TString& p2 = TString(),
                      const TString& p3 = TString(), const TString& p4 = TString(),
                      const TString& p5 = TString()) const;
    // Appends "FLASH_*" entries, then the entries whose label reads as "flash%2d_%2d".
    void GetFlashStrings(std::vector<std::pair<TString, TString>>& out) const;

    bool Has(const TString& label) const { return entries_.count(label) != 0; }
    size_t Size() const { return entries_.size(); }
    void SetSilent(bool silent) { silent_ = silent; }
    void Clear() { entries_.clear(); }

private:
    TString Expand(const TString& label, const TString& text, const std::vector<TString>& parameters) const;
    TString Parameter(const std::vector<TString>& parameters, int number) const;

    void AddRows(const char* text, size_t size);

    std::map<TString, TString> entries_;
    bool silent_ = false;
};

