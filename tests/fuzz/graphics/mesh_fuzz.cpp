// ".mesh" files from outside, loaded through the file layer: a load either fails or gives whole
// triangles whose indices lie within the vertices.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/files/file.h"
#include "engine/graphics/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RegisterMemoryFile("fuzz/input.mesh", data, size);
    TModel model;
    if (model.Init("fuzz/input.mesh")) {
        if (model.Indices().size() % 3 != 0) std::abort();
        for (uint16_t index : model.Indices())
            if (index >= model.Vertices().size()) std::abort();
    }
    RegisterMemoryFile("fuzz/input.mesh", nullptr, 0);
    return 0;
}
