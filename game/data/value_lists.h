// The list forms in which config.xml and saved progress write several values in one text:
// number lists ('1, 2, 3'), letter lists ('A,B,B') and text lists split at a given character.
// Blanks are the character ' ' only.
#pragma once

#include <vector>

#include "engine/core/base/tstring.h"

// Pieces between separators, empty pieces included; an empty text gives no pieces.
void SplitString(std::vector<TString>& out, const TString& text, char separator);
// SplitString after removing every blank, unless the separator is itself a blank.
void SplitStringStripBlanks(std::vector<TString>& out, const TString& text, char separator);

// Comma-separated numbers, blanks removed first; an empty piece reads 0.
void ParseIntList(std::vector<int>& out, const TString& text);
int ParseIntListSum(std::vector<int>& out, const TString& text);
void ParseFloatList(std::vector<float>& out, const TString& text);
// The first byte of each comma-separated piece (0 for an empty piece).
void ParseCharList(std::vector<char>& out, const TString& text);

// Each distinct byte once, in the order of its last occurrence counted from the end: A,B,A,C gives C,A,B.
void DistinctCharsFromEnd(std::vector<char>& out, const std::vector<char>& in);

// The numbers written with "%d" and the separator between them.
TString JoinIntList(const std::vector<int>& values, char separator);
