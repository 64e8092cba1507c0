#include "engine/graphics/text_markup.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kTagBufferSize = 128;

// Tested in this order: the first keyword the tag begins with applies ("br" before "b").
const struct {
    const char* keyword;
    TTagKind kind;
} kKeywords[] = {
    {"br", TTagKind::kBreak},         {"/p", TTagKind::kEndParagraph},  {"a", TTagKind::kLink},
    {"/a", TTagKind::kEndLink},       {"b", TTagKind::kBold},           {"/b", TTagKind::kEndBold},
    {"i", TTagKind::kItalic},         {"/i", TTagKind::kEndItalic},     {"u", TTagKind::kUnderline},
    {"/u", TTagKind::kEndUnderline},  {"cursor", TTagKind::kCursor},    {"center", TTagKind::kCenter},
    {"/center", TTagKind::kEndCenter}, {"left", TTagKind::kLeft},       {"/left", TTagKind::kEndLeft},
    {"right", TTagKind::kRight},      {"/right", TTagKind::kEndRight},  {"font", TTagKind::kFont},
    {"/font", TTagKind::kEndFont},    {"outline", TTagKind::kOutline},  {"/outline", TTagKind::kEndOutline},
    {"tab", TTagKind::kTab},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

TCodePoint DecodeCodePointAt(const TString& text, int index) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.CStr()) + index;
    int length = static_cast<int>(text.Length());
    unsigned lead = p[0];
    int count = lead >= 240 ? 4 : lead >= 224 ? 3 : lead >= 192 ? 2 : 1;
    if (count == 1 || index + count > length) return {lead, index + 1};
    uint32_t value = lead & (count == 4 ? 0x07 : count == 3 ? 0x0F : 0x1F);
    for (int i = 1; i < count; ++i) value = (value << 6) | (p[i] & 0x3F);
    return {value, index + count};
}

TCodePoint DecodeTextCharAt(const TString& text, int index, bool* escaped) {
    bool isEscape = text.CharAt(static_cast<unsigned>(index)) == '\\' && index + 1 < static_cast<int>(text.Length());
    if (escaped) *escaped = isEscape;
    return DecodeCodePointAt(text, isEscape ? index + 1 : index);
}

TString MarkupLiteral(const TString& text) {
    TString literal;
    for (unsigned i = 0; i < text.Length(); ++i) {
        char c = text.CharAt(i);
        if (c == '\\' || c == '<') literal += '\\';
        literal += c;
    }
    return literal;
}

TTag ReadTag(const TString& text, int index) {
    TTag tag;
    const char* source = text.CStr();
    int length = static_cast<int>(text.Length());
    const char* close = std::strchr(source + index, '>');
    if (!close) return tag;  // no '>': the '<' is a character

    char buffer[kTagBufferSize + 1];
    int kept = 0, at = index + 1;
    bool quoted = false, keepCase = false;
    for (; at < length && source[at] != '>' && kept < kTagBufferSize; ++at) {
        char c = source[at];
        if (c == '"' || c == '\'') quoted = !quoted;
        if (c == ' ') {
            keepCase = false;
            if (!quoted) continue;
        }
        if (c == '=') keepCase = true;
        buffer[kept++] = keepCase ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    buffer[kept] = 0;
    tag.buffer = buffer;
    // A tag cut at the buffer's size ends where the reading stopped; the text resumes there.
    tag.next = at < length && source[at] == '>' ? at + 1 : at;
    tag.kind = TTagKind::kUnknown;
    for (const auto& keyword : kKeywords) {
        if (std::strncmp(buffer, keyword.keyword, std::strlen(keyword.keyword)) == 0) {
            tag.kind = keyword.kind;
            break;
        }
    }
    return tag;
}

bool TTag::Attribute(const char* name, TString& value) const {
    int at = buffer.Find(name);
    if (at < 0) return false;
    int open = buffer.FindChar('"', 0, at);
    char quote = '"';
    if (open < 0) {
        open = buffer.FindChar('\'', 0, at);
        quote = '\'';
    }
    if (open < 0) return false;
    int close = buffer.FindChar(quote, 0, open + 1);
    if (close < 0) return false;
    value = buffer.Mid(open + 1, close - open - 1);
    return true;
}

bool TTag::IntAttribute(const char* name, int& value) const {
    TString text;
    if (!Attribute(name, text)) return false;
    value = text.ToInt();
    return true;
}

bool TTag::ColorAttribute(const char* name, bool allowAlpha, float rgba[4]) const {
    TString text;
    if (!Attribute(name, text)) return false;
    const char* digits = text.CStr();
    if (*digits == '#') ++digits;
    int count = 0;
    while (count < 8 && HexDigit(digits[count]) >= 0) ++count;
    int pairs = allowAlpha && count >= 8 ? 4 : 3;
    rgba[3] = 1.0f;
    for (int i = 0; i < pairs; ++i) {
        int high = HexDigit(digits[2 * i]), low = high < 0 ? -1 : HexDigit(digits[2 * i + 1]);
        rgba[i] = (high < 0 || low < 0 ? 0 : high * 16 + low) / 255.0f;
    }
    return true;
}
