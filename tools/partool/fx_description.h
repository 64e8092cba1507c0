// The readable description of a particle effect that partool turns into the effect's files: its
// ".par" file, one binary file per emitter and the soft sprite pictures the emitters draw with.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "game/shop/particles/particle_format.h"

struct FxDescription {
    struct Emitter {
        std::string name;
        EmitterFile file;
    };
    struct Picture {
        std::string name;
        std::string shape;  // glow, star, flake or ring
        int size = 0;       // pixels per side
    };

    std::string parName;
    std::vector<std::string> numbers;  // the ".par" numbers as written
    std::vector<Emitter> emitters;
    std::vector<Picture> pictures;

    // The ".par" file's text: the emitter names, then the numbers.
    std::string ParText() const;
};

// A mistake in a description, with its line number ("line 7: ...").
class FxDescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

FxDescription ParseFxDescription(const std::string& text);
// The description language, for --help.
extern const char kFxDescriptionHelp[];
