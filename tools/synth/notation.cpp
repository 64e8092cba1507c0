#include "tools/synth/notation.h"

#include <cctype>
#include <cmath>
#include <string>

namespace synth {

namespace {

std::optional<float> ParsePitch(std::string_view token) {
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (token.size() < 2 || token[0] < 'A' || token[0] > 'G')
        return std::nullopt;
    int semitone = kSemitone[token[0] - 'A'];
    size_t at = 1;
    if (token[at] == '#' || token[at] == 'b') {
        semitone += token[at] == '#' ? 1 : -1;
        ++at;
    }
    if (token.size() != at + 1 || !std::isdigit(static_cast<unsigned char>(token[at])))
        return std::nullopt;
    int octave = token[at] - '0';
    int midi = 12 * (octave + 1) + semitone;
    return 440.0f * std::pow(2.0f, float(midi - 69) / 12.0f);
}

std::optional<double> ParseSingleValue(std::string_view token) {
    double factor = 1.0;
    if (!token.empty() && (token.back() == '.' || token.back() == 't')) {
        factor = token.back() == '.' ? 1.5 : 2.0 / 3.0;
        token.remove_suffix(1);
    }
    for (int division : {1, 2, 4, 8, 16, 32, 64}) {
        if (token == std::to_string(division))
            return 4.0 / division * factor;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<float>> ParsePitches(std::string_view token) {
    if (token == "r")
        return std::vector<float>{};
    std::vector<float> pitches;
    while (true) {
        size_t plus = token.find('+');
        std::optional<float> pitch = ParsePitch(token.substr(0, plus));
        if (!pitch)
            return std::nullopt;
        pitches.push_back(*pitch);
        if (plus == std::string_view::npos)
            return pitches;
        token.remove_prefix(plus + 1);
    }
}

bool LooksLikePitch(std::string_view token) {
    return token.size() >= 2 && token[0] >= 'A' && token[0] <= 'G' &&
           (token[1] == '#' || token[1] == 'b' || std::isdigit(static_cast<unsigned char>(token[1])));
}

std::optional<double> ParseNoteValue(std::string_view token) {
    double beats = 0.0;
    while (true) {
        size_t plus = token.find('+');
        std::optional<double> part = ParseSingleValue(token.substr(0, plus));
        if (!part)
            return std::nullopt;
        beats += *part;
        if (plus == std::string_view::npos)
            return beats;
        token.remove_prefix(plus + 1);
    }
}

}  // namespace synth
