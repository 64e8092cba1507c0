#include "engine/ui/utf8_text.h"

#include <algorithm>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed sequence at p (left bytes available), or 0 when it is malformed.
unsigned WellFormedLength(const unsigned char* p, unsigned left) {
    unsigned char lead = p[0];
    if (lead < 0x80) return 1;
    unsigned length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high) return 0;
    for (unsigned i = 2; i < length; ++i) {
        if (!IsContinuation(p[i])) return 0;
    }
    return length;
}

const unsigned char* Bytes(const TString& text) {
    return reinterpret_cast<const unsigned char*>(text.CStr());
}

}  // namespace

unsigned Utf8CharLength(const TString& text, unsigned position) {
    unsigned length = text.Length();
    if (position >= length) return 0;
    unsigned sequence = static_cast<unsigned>(TString::Utf8SequenceLength(Bytes(text)[position]));
    return std::min(std::max(sequence, 1u), length - position);
}

unsigned Utf8CharStartBefore(const TString& text, unsigned position) {
    unsigned start = 0;
    for (unsigned at = 0; at < position && at < text.Length(); at += Utf8CharLength(text, at)) start = at;
    return start;
}

unsigned Utf8CharCount(const TString& text) {
    unsigned count = 0;
    for (unsigned at = 0; at < text.Length(); at += Utf8CharLength(text, at)) ++count;
    return count;
}

TString Utf8FirstChars(const TString& text, int count) {
    unsigned end = 0;
    for (int i = 0; i < count && end < text.Length(); ++i) end += Utf8CharLength(text, end);
    return text.Mid(0, static_cast<int>(end));
}

bool IsValidUtf8(const TString& text) {
    for (unsigned at = 0; at < text.Length();) {
        unsigned length = WellFormedLength(Bytes(text) + at, text.Length() - at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

TString ValidUtf8Only(const TString& text) {
    TString valid;
    for (unsigned at = 0; at < text.Length();) {
        unsigned length = WellFormedLength(Bytes(text) + at, text.Length() - at);
        if (length == 0) {
            ++at;
            continue;
        }
        valid.Append(text.CStr() + at, length);
        at += length;
    }
    return valid;
}
