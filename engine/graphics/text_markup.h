// Reading marked-up text: code points by byte index (with backslash escapes) and tags such as
// <font size="12" color="#ff0000">, <a id="x">, <br pad="4">.
#pragma once

#include "engine/core/base/tstring.h"

#include <cstdint>

// The code point at index and the index behind it. A lead byte from 192 up starts a multi-byte sequence;
// any other byte is its own code point, as is a lead byte whose sequence the text cuts short.
struct TCodePoint {
    uint32_t value;
    int next;
};
TCodePoint DecodeCodePointAt(const TString& text, int index);
// The same, taking a backslash as "the next code point is a character"; escaped is set then.
TCodePoint DecodeTextCharAt(const TString& text, int index, bool* escaped = nullptr);
// Marked-up text that shows text as it stands (a player's name): each backslash and '<' escaped.
TString MarkupLiteral(const TString& text);

enum class TTagKind {
    kNone,  // no tag at this index: the '<' is a character
    kUnknown,
    kBreak, kEndParagraph,
    kLink, kEndLink,
    kBold, kEndBold, kItalic, kEndItalic, kUnderline, kEndUnderline,
    kCursor,
    kCenter, kEndCenter, kLeft, kEndLeft, kRight, kEndRight,
    kFont, kEndFont,
    kOutline, kEndOutline,
    kTab,
};

struct TTag {
    TTagKind kind = TTagKind::kNone;
    int next = 0;    // index behind the tag
    TString buffer;  // the tag's text behind '<': spaces outside quotes dropped, names lower-cased

    // An attribute's quoted value; false when the attribute or its quotes are missing.
    bool Attribute(const char* name, TString& value) const;
    bool IntAttribute(const char* name, int& value) const;
    // RRGGBB (alpha 1.0) or, when allowAlpha, RRGGBBAA; an optional leading '#'.
    bool ColorAttribute(const char* name, bool allowAlpha, float rgba[4]) const;
};

// Reads the tag that starts at index (which holds '<').
TTag ReadTag(const TString& text, int index);
