// String tables from outside: load rows, then expand every label with parameters.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/core/files/stringtable.h"
#include "engine/core/files/xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TStringTable table;
    table.SetSilent(true);
    std::vector<char> inflated;
    if (InflateZxml(data, size, inflated))
        table.LoadText(inflated.data(), inflated.size());
    else
        table.LoadText(reinterpret_cast<const char*>(data), size);

    std::vector<std::pair<TString, TString>> flash;
    table.GetFlashStrings(flash);
    std::vector<TString> parameters{"1", "%%", "%A%", "", "x"};
    // Labels come from the table itself: each text may name others through its escapes.
    std::vector<TString> labels;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (size_t at = text.find("<Data"); at != std::string_view::npos; at = text.find("<Data", at + 1)) {
        size_t open = text.find('>', at);
        size_t close = open == std::string_view::npos ? open : text.find('<', open);
        if (close == std::string_view::npos) break;
        labels.push_back(TString(text.data() + open + 1, static_cast<unsigned>(close - open - 1)));
    }
    for (const TString& label : labels) table.Lookup(label, parameters);
    return 0;
}
