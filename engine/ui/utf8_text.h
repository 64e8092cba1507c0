// Stepping through UTF-8 text by characters, bounded by the text: no byte sequence, however
// damaged, moves a position past the end. Positions and lengths count bytes.
#pragma once

#include "engine/core/base/tstring.h"

// Bytes of the character starting at position: its lead byte's sequence length, cut at the end of
// the text; 0 at or beyond the end.
unsigned Utf8CharLength(const TString& text, unsigned position);
// Start of the character that ends at or runs across position, found by walking from the start;
// 0 for position 0.
unsigned Utf8CharStartBefore(const TString& text, unsigned position);
// Characters in the text, counted by sequence lengths.
unsigned Utf8CharCount(const TString& text);
// The first count characters of the text.
TString Utf8FirstChars(const TString& text, int count);
// True when every sequence is well formed (no stray continuation byte, overlong form, surrogate or
// code point above U+10FFFF).
bool IsValidUtf8(const TString& text);
// The text with every byte that is not part of a well-formed sequence left out.
TString ValidUtf8Only(const TString& text);
