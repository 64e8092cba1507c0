// Ogg files from outside, over memory: open them every way a sound can be held and decode them
// whole, from the start and after a seek.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/sound/ogg_source.h"

namespace {

// Decodes at most this much of a source, so long (or lying) files stay quick.
constexpr uint32_t kMaxDecodedBytes = 1 << 20;

void ReadThrough(TSoundDataSource& source) {
    std::vector<uint8_t> buffer(16384);
    uint32_t limit = source.GetLength() < kMaxDecodedBytes ? static_cast<uint32_t>(source.GetLength()) : kMaxDecodedBytes;
    for (uint32_t position = 0; position < limit;) {
        uint32_t got = source.Read(buffer.data(), position, static_cast<uint32_t>(buffer.size()));
        if (got == 0)
            break;
        position += got;
    }
    source.Read(buffer.data(), limit / 2, 4096);
    source.Read(buffer.data(), limit + 64, 4096);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = (RegisterOggSourceBuilder(), true);
    (void)registered;
    RegisterMemoryFile("fuzz.ogg", data, size);
    for (bool stream : {true, false}) {
        TOggDataSource source;
        if (source.Open("fuzz.ogg", stream))
            ReadThrough(source);
        if (auto built = CreateDataSource("fuzz.ogg", stream))
            ReadThrough(*built);
    }
    RegisterMemoryFile("fuzz.ogg", nullptr, 0);
    return 0;
}
