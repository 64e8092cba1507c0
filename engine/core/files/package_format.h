// The ".qvp" package format: "QVPK", int32 entry count, then per entry {uint8 name length, name
// bytes (UTF-8, '/' between levels), int32 offset from the file start, int32 size}, all
// little-endian without padding; entry data lies uncompressed at the given offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/base/tstring.h"

struct TPackageEntry {
    TString name; // as stored
    uint32_t offset = 0;
    uint32_t size = 0;
};

struct TPackageIndex {
    enum Status { kNotPackage, kComplete, kTruncated };
    Status status = kNotPackage;
    std::vector<TPackageEntry> entries; // only entries that lie inside the file
    int refused = 0;                    // records whose offset or size lie outside the file
};

// Reads the record table of a whole package in memory; every read is bounded by size.
TPackageIndex ParsePackageIndex(const unsigned char* data, size_t size);

// The bytes of a package holding the given entries (names of at most 255 bytes), data in order.
struct TPackageSource {
    TString name;
    std::vector<unsigned char> data;
};
bool BuildPackage(const std::vector<TPackageSource>& sources, std::vector<unsigned char>& out);
