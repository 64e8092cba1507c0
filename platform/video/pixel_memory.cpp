#include "platform/video/pixel_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace platform::video {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

std::size_t MappedSize(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

// A fresh mapping (zero-filled by the kernel) aligned on a 2 MB boundary, so that every 2 MB of it can be
// one huge page.
void* MapAligned(std::size_t size) {
    void* wide = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (wide == MAP_FAILED) return nullptr;
    auto start = reinterpret_cast<std::uintptr_t>(wide);
    std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(wide, aligned - start);
    std::size_t tail = start + size + kHugePage - (aligned + size);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* block = reinterpret_cast<void*>(aligned);
    madvise(block, size, MADV_HUGEPAGE);  // a hint: without huge pages the block still works
    return block;
}

}  // namespace

void* AllocatePixels(std::size_t bytes) {
    if (bytes < kMappedFrom) return std::calloc(bytes ? bytes : 1, 1);
    return MapAligned(MappedSize(bytes));
}

void FreePixels(void* block, std::size_t bytes) {
    if (!block) return;
    if (bytes < kMappedFrom) {
        std::free(block);
        return;
    }
    munmap(block, MappedSize(bytes));
}

PixelWords AllocatePixelWords(std::size_t words) {
    auto* block = static_cast<uint32_t*>(AllocatePixels(words * sizeof(uint32_t)));
    return PixelWords(block, PixelWordsDeleter{block ? words : 0});
}

}  // namespace platform::video
