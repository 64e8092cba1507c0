// TScriptCode: the compiled form of one script file, kept as an asset so that each script is
// compiled once and shared. The chunk is the script engine's precompiled format, collected from
// its dump through WriteChunkBlock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/core/files/asset.h"

struct lua_State;

class TScriptCode : public TAsset {
    ALEMBRIA_ASSET_CLASS(TScriptCode, TAsset)

public:
    // Copies count bytes (binary; NUL bytes included).
    TScriptCode(const void* bytes, uint32_t count) : code_(static_cast<const char*>(bytes), count), size_(count) {}
    const char* GetBytes() const { return code_.CStr(); }
    uint32_t GetSize() const { return size_; }

private:
    TString code_;
    uint32_t size_;
};

// A chunk writer for the script engine's dump: appends each block to the std::vector<char>
// passed as data; always reports success (1).
int WriteChunkBlock(lua_State* state, const void* block, size_t size, void* data);
