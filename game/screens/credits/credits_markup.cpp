#include "game/screens/credits/credits_markup.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kClose[] = "</font>";
const char kBlanks[] = " \t";

std::string_view TrimBlanks(std::string_view line) {
    size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    size_t last = line.find_last_not_of(kBlanks);
    return line.substr(first, last - first + 1);
}

}  // namespace

std::string CreditsFontTag(const float color[4], int size) {
    char tag[64];
    auto byte = [color](int i) { return static_cast<int>(std::clamp(color[i], 0.0f, 1.0f) * 255.0f); };
    std::snprintf(tag, sizeof tag, "<font color='%02x%02x%02x%02x' size='%d'>", byte(0), byte(1), byte(2), byte(3),
                  size);
    return tag;
}

std::string ConvertCreditsLine(std::string_view line, const CreditsSpans& spans) {
    if (line.find('|') != std::string_view::npos) return "\n";
    std::string_view trimmed = TrimBlanks(line);
    std::string converted;
    converted.reserve(trimmed.size() + 1);
    for (size_t i = 0; i < trimmed.size(); ++i) {
        bool doubled = i + 1 < trimmed.size() && trimmed[i + 1] == trimmed[i];
        if (trimmed[i] == '[') {
            converted += doubled ? spans.section : spans.header;
            i += doubled;
        } else if (trimmed[i] == ']') {
            converted += kClose;
            i += doubled;
        } else {
            converted += trimmed[i];
        }
    }
    return converted + "\n";
}

std::string ConvertCreditsText(std::string_view text, const CreditsSpans& spans) {
    std::string converted;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        converted += ConvertCreditsLine(line, spans);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return converted;
}
