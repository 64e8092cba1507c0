// TModel: a triangle mesh asset read from a ".mesh" file (positions, normals, texture coordinates and
// triangle indices). Models live in ordinary memory, so a lost display leaves them intact.
#pragma once

#include "engine/core/files/asset.h"
#include "engine/core/base/maths.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TMeshVertex {
    TVec3 position;
    TVec3 normal;
    TVec2 uv;
};

class TModel : public TAsset {
    ALEMBRIA_ASSET_CLASS(TModel, TAsset)

public:
    // The model under name from the asset manager, loading it when absent; empty when the load fails.
    static std::shared_ptr<TModel> Get(const TString& name);

    // Loads the mesh from a file whose name contains ".mesh"; false on any failure.
    bool Init(const TString& fileName);
    void Restore() override;

    const std::vector<TMeshVertex>& Vertices() const { return vertices_; }
    const std::vector<uint16_t>& Indices() const { return indices_; }

private:
    std::vector<TMeshVertex> vertices_;
    std::vector<uint16_t> indices_;
    TString fileName_;
};

// Registers the "mesh" kind of the asset map.
void RegisterModelAssetKind();
