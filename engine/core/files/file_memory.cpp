// Blocks of memory opened as read-only files by the location "&<address>,<size>".
#include <cstdlib>

#include "engine/core/files/file_internal.h"

namespace filelayer {

bool TMemoryFile::Open(const TString& location, int mode) {
    Close();
    if (!MemoryBlocks().count(location)) return false;
    const char* text = location.CStr();
    char* end = nullptr;
    unsigned long long address = strtoull(text + 1, &end, 10);
    if (*end != ',') return false;
    unsigned long long size = strtoull(end + 1, &end, 10);
    if (*end != 0 || address == 0 || size > UINT32_MAX) return false;
    base_ = reinterpret_cast<const unsigned char*>(static_cast<uintptr_t>(address));
    size_ = static_cast<uint32_t>(size);
    textMode_ = IsTextMode(mode);
    return true;
}

void TMemoryFile::Close() {
    base_ = nullptr;
    position_ = 0;
    size_ = 0;
}

void TMemoryFile::Seek(int32_t offset, int origin) { position_ = ClampSeek(offset, origin, position_, size_); }

int32_t TMemoryFile::Read(void* buffer, int32_t count) {
    if (!base_) return 0;
    uint32_t consumed = 0;
    int32_t stored = CopyBytes(base_ + position_, size_ - position_, buffer, count, textMode_, consumed);
    position_ += consumed;
    return stored;
}

}  // namespace filelayer
