// The memory byte source of the decoders and the square side rule.
#include <algorithm>
#include <cstring>

#include "engine/graphics/image_decode.h"

int ImageSide(int width, int height) {
    int larger = std::max(width, height);
    int side = 1;
    while (side < larger) side <<= 1;
    return side;
}

size_t TMemoryImageSource::Read(void* buffer, size_t count) {
    size_t n = std::min(count, size_ - position_);
    if (n > 0) std::memcpy(buffer, bytes_ + position_, n);
    position_ += n;
    return n;
}

bool TMemoryImageSource::SeekTo(uint64_t position) {
    if (position > size_) return false;
    position_ = static_cast<size_t>(position);
    return true;
}
