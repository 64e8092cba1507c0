// A stand-in automation harness: its hook answers the window named (in decimal) by
// ALEMBRIA_HARNESS_WINDOW.
#include <cstdint>
#include <cstdlib>

extern "C" void* TestHook(void* instance) {
    const char* window = std::getenv("ALEMBRIA_HARNESS_WINDOW");
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window ? std::strtoul(window, nullptr, 10) : 0));
}
