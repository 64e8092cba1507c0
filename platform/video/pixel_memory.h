// Memory for pixels, zero-filled. A picture's first touch costs a page fault per 4 kB page, which on a
// virtual machine outweighs decoding it; so blocks of a megabyte and more are mapped on their own on 2 MB
// pages where the system offers them (transparent huge pages on request), a few faults per full-screen surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>

namespace platform::video {

// A zero-filled block of bytes; null when memory is out.
void* AllocatePixels(std::size_t bytes);
// Gives back a block of AllocatePixels with the size it was asked with.
void FreePixels(void* block, std::size_t bytes);

// A standard allocator on AllocatePixels.
template <class T>
struct PixelAllocator {
    static_assert(std::is_trivial_v<T>, "pixels are plain numbers");
    using value_type = T;

    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) {}

    T* allocate(std::size_t count) {
        void* block = AllocatePixels(count * sizeof(T));
        if (!block) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t count) { FreePixels(block, count * sizeof(T)); }

    template <class U>
    bool operator==(const PixelAllocator<U>&) const {
        return true;
    }
};

// Frees a block of `words` 32-bit pixels (for std::unique_ptr).
struct PixelWordsDeleter {
    std::size_t words = 0;
    void operator()(uint32_t* block) const { FreePixels(block, words * sizeof(uint32_t)); }
};
using PixelWords = std::unique_ptr<uint32_t[], PixelWordsDeleter>;

// `words` zero-filled 32-bit pixels; empty when memory is out.
PixelWords AllocatePixelWords(std::size_t words);

}  // namespace platform::video
