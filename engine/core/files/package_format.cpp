#include "engine/core/files/package_format.h"

#include <cstring>

namespace {

constexpr size_t kHeaderSize = 8;

uint32_t ReadLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteLe32(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

}  // namespace

TPackageIndex ParsePackageIndex(const unsigned char* data, size_t size) {
    TPackageIndex index;
    if (!data || size < 4 || memcmp(data, "QVPK", 4) != 0) return index;
    index.status = TPackageIndex::kTruncated;
    if (size < kHeaderSize) return index;
    int32_t count = static_cast<int32_t>(ReadLe32(data + 4));
    size_t at = kHeaderSize;
    for (int32_t i = 0; i < count; ++i) {
        if (at >= size) return index;
        size_t length = data[at];
        if (size - at < 1 + length + 8) return index;
        TPackageEntry entry;
        entry.name = TString(reinterpret_cast<const char*>(data + at + 1), static_cast<unsigned>(length));
        int32_t offset = static_cast<int32_t>(ReadLe32(data + at + 1 + length));
        int32_t bytes = static_cast<int32_t>(ReadLe32(data + at + 5 + length));
        at += 1 + length + 8;
        if (offset < 0 || bytes < 0 || static_cast<uint64_t>(offset) + static_cast<uint64_t>(bytes) > size) {
            ++index.refused;
            continue;
        }
        entry.offset = static_cast<uint32_t>(offset);
        entry.size = static_cast<uint32_t>(bytes);
        index.entries.push_back(entry);
    }
    index.status = count < 0 ? TPackageIndex::kTruncated : TPackageIndex::kComplete;
    return index;
}

bool BuildPackage(const std::vector<TPackageSource>& sources, std::vector<unsigned char>& out) {
    uint64_t tableSize = kHeaderSize;
    for (const TPackageSource& source : sources) {
        if (source.name.Length() > 255) return false;
        tableSize += 1 + source.name.Length() + 8;
    }
    out.assign({'Q', 'V', 'P', 'K'});
    WriteLe32(out, static_cast<uint32_t>(sources.size()));
    uint64_t offset = tableSize;
    for (const TPackageSource& source : sources) {
        if (offset + source.data.size() > INT32_MAX) return false;
        out.push_back(static_cast<unsigned char>(source.name.Length()));
        out.insert(out.end(), source.name.CStr(), source.name.CStr() + source.name.Length());
        WriteLe32(out, static_cast<uint32_t>(offset));
        WriteLe32(out, static_cast<uint32_t>(source.data.size()));
        offset += source.data.size();
    }
    for (const TPackageSource& source : sources) out.insert(out.end(), source.data.begin(), source.data.end());
    return true;
}
