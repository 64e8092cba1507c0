// ".par" texts from outside: whatever they hold, the effect loads within its limits and plays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/files/file.h"
#include "game/shop/particles/particle_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RegisterMemoryFile("fuzz/effect.par", data, size);
    clsParticleSystem system(nullptr);
    if (!ReadParticleFile(system, "fuzz/effect.par") || system.GetEmitters().size() > kMaxEmitters) std::abort();
    system.Start();
    system.Update(16);
    system.Draw();
    RegisterMemoryFile("fuzz/effect.par", nullptr, 0);
    return 0;
}
