// Emitter files from outside: any bytes decode the same after a write, and an effect made of them
// plays, turns, changes colour and stops without leaving its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/files/file.h"
#include "game/shop/particles/particle_fx.h"

namespace {

const char kPar[] = "emitter";

void CheckRewrite(const uint8_t* data, size_t size) {
    EmitterFile file = DecodeEmitterFile(data, size);
    std::vector<uint8_t> bytes = EncodeEmitterFile(file);
    if (!(DecodeEmitterFile(bytes.data(), bytes.size()) == file)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckRewrite(data, size);
    RegisterMemoryFile("fuzz/emitter", data, size);
    RegisterMemoryFile("fuzz/effect.par", kPar, sizeof kPar - 1);
    {
        clsParticleFx fx(nullptr, "fuzz/effect.par", 1, nullptr);
        fx.Mirror();
        fx.Play();
        for (int frame = 0; frame < 4; ++frame) {
            fx.Update(400);
            fx.Draw();
        }
        fx.SetColor(1, 2, 3, 4);
        fx.SetStopped(true);
        fx.Update(400);
        fx.Draw();
    }
    RegisterMemoryFile("fuzz/emitter", nullptr, 0);
    RegisterMemoryFile("fuzz/effect.par", nullptr, 0);
    return 0;
}
