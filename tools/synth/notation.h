// The compact note notation: pitches ("C4", "F#5", "Bb3", chords "C4+E4+G4", rest "r") and note
// values ("4" a quarter, "8." a dotted eighth, "8t" an eighth triplet, "2+8" tied).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace synth {

// The frequencies of a pitch or chord token; an empty list for a rest; nothing when the token is
// not one.
std::optional<std::vector<float>> ParsePitches(std::string_view token);

// True when the token has the shape of a single pitch (a letter A-G, then an accidental or a digit).
bool LooksLikePitch(std::string_view token);

// The length in beats (quarter notes) of a note value; nothing when the token is not one.
std::optional<double> ParseNoteValue(std::string_view token);

}  // namespace synth
