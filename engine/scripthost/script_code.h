// TScriptCode: the compiled form of one script file, kept as an asset so that each script is
// compiled once and shared. The chunk is the script engine's precompiled format, collected from
// its dump through WriteChunkBlock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

    // The compiled code of a script file. While any holder keeps it, the asset manager answers it
    // again without reading the file. Empty for an empty name or a file that does not load; error
    // then gets the loader's message.
    static std::shared_ptr<TScriptCode> Get(const TString& fileName, const TString& searchPath = "assets/?;../?;?",
                                            TString* error = nullptr);

private:
    TString code_;
    uint32_t size_;
};

// A chunk writer for the script engine's dump: appends each block to the std::vector<char>
// passed as data; always answers 0, so the dump goes on to the end.
int WriteChunkBlock(lua_State* state, const void* block, size_t size, void* data);
