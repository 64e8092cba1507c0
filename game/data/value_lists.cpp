#include "game/data/value_lists.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

TString WithoutBlanks(const TString& text) {
    std::string kept(text.CStr());
    std::erase(kept, ' ');
    return TString(kept.data(), static_cast<unsigned>(kept.size()));
}

void SplitCommaPieces(std::vector<TString>& out, const TString& text) {
    SplitStringStripBlanks(out, text, ',');
}

}  // namespace

void SplitString(std::vector<TString>& out, const TString& text, char separator) {
    out.clear();
    if (text.IsEmpty()) return;
    const char* bytes = text.CStr();
    unsigned length = text.Length();
    unsigned pieceStart = 0;
    for (unsigned i = 0; i <= length; ++i) {
        if (i < length && bytes[i] != separator) continue;
        out.emplace_back(bytes + pieceStart, i - pieceStart);
        pieceStart = i + 1;
    }
}

void SplitStringStripBlanks(std::vector<TString>& out, const TString& text, char separator) {
    SplitString(out, separator == ' ' ? text : WithoutBlanks(text), separator);
}

void ParseIntList(std::vector<int>& out, const TString& text) {
    std::vector<TString> pieces;
    SplitCommaPieces(pieces, text);
    out.clear();
    for (const TString& piece : pieces) out.push_back(piece.ToInt());
}

int ParseIntListSum(std::vector<int>& out, const TString& text) {
    ParseIntList(out, text);
    long sum = 0;
    for (int value : out) sum += value;
    return static_cast<int>(std::clamp<long>(sum, INT_MIN, INT_MAX));
}

void ParseFloatList(std::vector<float>& out, const TString& text) {
    std::vector<TString> pieces;
    SplitCommaPieces(pieces, text);
    out.clear();
    for (const TString& piece : pieces) out.push_back(piece.ToFloat());
}

void ParseCharList(std::vector<char>& out, const TString& text) {
    std::vector<TString> pieces;
    SplitCommaPieces(pieces, text);
    out.clear();
    for (const TString& piece : pieces) out.push_back(piece.CharAt(0));
}

void DistinctCharsFromEnd(std::vector<char>& out, const std::vector<char>& in) {
    out.clear();
    for (auto it = in.rbegin(); it != in.rend(); ++it)
        if (std::find(out.begin(), out.end(), *it) == out.end()) out.push_back(*it);
}

TString JoinIntList(const std::vector<int>& values, char separator) {
    TString result;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) result += separator;
        result += TString::Format("%d", values[i]);
    }
    return result;
}
