// Binary animation descriptions from outside: parse, then read every frame and anchor.
#include <cstddef>
#include <cstdint>

#include "engine/graphics/anim_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AnimSequence sequence;
    if (!sequence.ParseAnm(data, size)) return 0;
    size_t total = sequence.script.Length() + sequence.name.Length();
    for (const AnimFrame& frame : sequence.frames)
        for (const AnimAnchor& anchor : frame.anchors) total += anchor.name.Length();
    return total == static_cast<size_t>(-1);
}
