#include "engine/scripthost/script_code.h"

int WriteChunkBlock(lua_State*, const void* block, size_t size, void* data) {
    auto* buffer = static_cast<std::vector<char>*>(data);
    const char* bytes = static_cast<const char*>(block);
    buffer->insert(buffer->end(), bytes, bytes + size);
    return 1;  // success, as the engine's dump expects of its writers
}
