// The credits file's mark-up, turned into the text layout's font mark-up. A line holding "|" is an
// empty line; any other line loses its blanks (spaces, tabs) at both ends and has its brackets
// converted: "[[" opens a section, "[" a header, "]" closes a span and "]]" closes one span too.
#pragma once

#include <string>
#include <string_view>

// The opening tags of the two kinds of span.
struct CreditsSpans {
    std::string header;
    std::string section;
};

// "<font color='RRGGBBAA' size='N'>" for a colour of four components from 0 to 1 (each × 255,
// truncated) and a size.
std::string CreditsFontTag(const float color[4], int size);
// One line without its line end, converted and ended with "\n".
std::string ConvertCreditsLine(std::string_view line, const CreditsSpans& spans);
// The whole file: every line converted, the last one also when no line end follows it. A line ends
// at "\n" or "\r\n"; any other "\r" is part of the line.
std::string ConvertCreditsText(std::string_view text, const CreditsSpans& spans);
