// The string table: spreadsheet rows in, texts with %-escapes expanded out.
#include "engine/core/files/stringtable.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"

namespace {

constexpr std::string_view kRow = "<Row";
constexpr std::string_view kData = "<Data";

// The text of the first cell at or after from and before limit; false when there is none.
bool ReadCell(std::string_view text, size_t& from, size_t limit, TString& cell) {
    size_t start = text.find(kData, from);
    if (start == std::string_view::npos || start >= limit) return false;
    size_t open = text.find('>', start + kData.size());
    if (open == std::string_view::npos) return false;
    size_t close = text.find('<', open + 1);
    if (close == std::string_view::npos) close = text.size();
    cell = UnescapeXml(TString(text.data() + open + 1, static_cast<unsigned>(close - open - 1)));
    from = close;
    return true;
}

bool IsNumber(const TString& text) {
    if (text.IsEmpty()) return false;
    for (const char* p = text.CStr(); *p; ++p)
        if (*p < '0' || *p > '9') return false;
    return true;
}

// "%NAME%" as a whole text: the name, else empty.
TString EscapedLabel(const TString& text) {
    unsigned n = text.Length();
    if (n < 3 || text.CharAt(0) != '%' || text.CharAt(n - 1) != '%') return TString();
    return text.Mid(1, static_cast<int>(n - 2));
}

}  // namespace

bool TStringTable::LoadXml(const TString& path) {
    TFile file;
    if (!file.Open(path, kFileReadBinary)) return false;
    int32_t size = file.GetSize();
    std::vector<char> bytes(static_cast<size_t>(size) + 1, 0);
    int32_t got = file.Read(bytes.data(), size);
    file.Close();
    bytes.resize(static_cast<size_t>(got));
    if (bytes.size() >= 4 && memcmp(bytes.data(), "ZXML", 4) == 0) {
        std::vector<char> text;
        if (!InflateZxml(bytes.data(), bytes.size(), text)) {
            LogPrintf("String table %s: damaged compressed file", path.CStr());
            return false;
        }
        bytes.swap(text);
    }
    AddRows(bytes.data(), bytes.size());
    return true;
}

void TStringTable::LoadText(const char* text, size_t size) { AddRows(text, size); }

void TStringTable::AddRows(const char* bytes, size_t size) {
    std::string_view text(bytes, size);
    size_t row = text.find(kRow);
    while (row != std::string_view::npos) {
        size_t next = text.find(kRow, row + kRow.size());
        size_t limit = next == std::string_view::npos ? text.size() : next;
        size_t cursor = row + kRow.size();
        TString label, value;
        if (ReadCell(text, cursor, limit, label)) {
            if (!ReadCell(text, cursor, limit, value)) value = TString();
            entries_[label] = value;
        }
        row = next;
    }
}

TString TStringTable::Lookup(const TString& label, const std::vector<TString>& parameters) const {
    auto found = entries_.find(label);
    if (found == entries_.end()) {
        if (!silent_) LogPrintf(" ##### : Missing string for label '%s'", label.CStr());
        return TString("#####");
    }
    TString result = Expand(label, found->second, parameters);
    if (IsEnabled("stringtest")) {
        std::string masked(result.CStr());
        for (char& c : masked)
            if (c != ' ') c = 'x';
        result = masked.c_str();
    }
    return result;
}

TString TStringTable::GetString(const TString& label, const TString& p1, const TString& p2, const TString& p3,
                                const TString& p4, const TString& p5) const {
    std::vector<TString> parameters{p1, p2, p3, p4, p5};
    while (!parameters.empty() && parameters.back().IsEmpty()) parameters.pop_back();
    return Lookup(label, parameters);
}

void TStringTable::GetFlashStrings(std::vector<std::pair<TString, TString>>& out) const {
    for (const auto& [label, text] : entries_)
        if (label.Find(TString("FLASH_")) == 0) out.emplace_back(label, text);
    for (const auto& [label, text] : entries_) {
        int major = 0, minor = 0;
        if (sscanf(label.CStr(), "flash%2d_%2d", &major, &minor) == 2) out.emplace_back(label, text);
    }
}

TString TStringTable::Parameter(const std::vector<TString>& parameters, int number) const {
    if (number < 1 || number > static_cast<int>(parameters.size())) return TString();
    const TString& value = parameters[static_cast<size_t>(number - 1)];
    if (value == "%%") return TString("%");
    TString name = EscapedLabel(value);
    auto found = name.IsEmpty() ? entries_.end() : entries_.find(name);
    return found != entries_.end() ? found->second : value;
}

TString TStringTable::Expand(const TString& label, const TString& text, const std::vector<TString>& parameters) const {
    std::string_view source(text.CStr(), text.Length());
    std::string out;
    for (size_t i = 0; i < source.size();) {
        if (source[i] != '%') {
            out += source[i++];
            continue;
        }
        size_t close = source.find('%', i + 1);
        if (close == std::string_view::npos) {
            LogPrintf("Non-matched percent (%%) escape found in string %s, '%s'", label.CStr(), text.CStr());
            out += source.substr(i);
            break;
        }
        TString body(source.data() + i + 1, static_cast<unsigned>(close - i - 1));
        if (body.IsEmpty()) {
            out += '%';
        } else if (IsNumber(body)) {
            if (body.Length() <= 9) out += Parameter(parameters, body.ToInt()).CStr();
        } else {
            auto found = entries_.find(body);
            if (found != entries_.end()) out += found->second.CStr(); // inserted as it stands
        }
        i = close + 1;
    }
    return TString(out.c_str());
}
