#include "engine/scripthost/script_code.h"

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/scripthost/file_reader.h"
#include "engine/scripthost/script_stack.h"

namespace {

// Compiles the file on a state of its own, with searchPath as the path require would follow.
std::shared_ptr<TScriptCode> Compile(const TString& fileName, const TString& searchPath, TString* error) {
    lua_State* L = lua_open();
    InstallFileLayerReader(L);
    lua_pushstring(L, "LUA_PATH");
    lua_pushstring(L, searchPath.IsEmpty() ? "assets/?;../?;?" : searchPath.CStr());
    lua_settable(L, LUA_GLOBALSINDEX);

    std::shared_ptr<TScriptCode> code;
    if (luaL_loadfile(L, fileName.CStr()) == 0) {
        std::vector<char> bytes;
        lua_dump(L, WriteChunkBlock, &bytes);
        code = std::make_shared<TScriptCode>(bytes.data(), static_cast<uint32_t>(bytes.size()));
    } else if (error) {
        *error = GetLuaString(L, -1);
    }
    lua_close(L);
    return code;
}

}  // namespace

std::shared_ptr<TScriptCode> TScriptCode::Get(const TString& fileName, const TString& searchPath, TString* error) {
    if (fileName.IsEmpty()) return nullptr;
    TAssetManager* assets = GetAssetManager();
    if (assets) {
        if (auto cached = AssetCast<TScriptCode>(assets->FindAsset(fileName))) return cached;
    }
    std::shared_ptr<TScriptCode> code = Compile(fileName, searchPath, error);
    if (assets && code) assets->StoreAsset(fileName, code);
    return code;
}

int WriteChunkBlock(lua_State*, const void* block, size_t size, void* data) {
    auto* buffer = static_cast<std::vector<char>*>(data);
    const char* bytes = static_cast<const char*>(block);
    buffer->insert(buffer->end(), bytes, bytes + size);
    return 0;  // go on: the dump stops at the first other answer
}
