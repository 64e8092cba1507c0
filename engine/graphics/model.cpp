#include "engine/graphics/model.h"

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kVertexSize = 16;
constexpr size_t kTriangleSize = 6;

int16_t S16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
float Fixed(const uint8_t* p) { return S16(p) / 1000.0f; }

}  // namespace

std::shared_ptr<TModel> TModel::Get(const TString& name) {
    TAssetManager* manager = GetAssetManager();
    if (manager) {
        if (auto live = AssetCast<TModel>(manager->FindAsset(name))) return live;
    }
    auto model = std::make_shared<TModel>();
    if (!model->Init(name)) return {};
    if (manager) manager->StoreAsset(name, model);
    return model;
}

bool TModel::Init(const TString& fileName) {
    vertices_.clear();
    indices_.clear();
    fileName_ = TString();
    if (fileName.Find(".mesh") < 0) return false;

    TFile file;
    if (!file.Open(fileName, kFileReadBinary)) {
        LogPrintf("TModel::Init: Failed to load %s", fileName.CStr());
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max(file.GetSize(), 0)));
    if (file.Read(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size())) return false;
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), "TRIS", 4) != 0) return false;

    size_t vertexCount = U16(&bytes[4]), triangleCount = U16(&bytes[6]);
    if (kHeaderSize + vertexCount * kVertexSize + triangleCount * kTriangleSize > bytes.size()) {
        LogPrintf("TModel::Init: %s is shorter than its counts say", fileName.CStr());
        return false;
    }
    const uint8_t* at = bytes.data() + kHeaderSize;
    vertices_.resize(vertexCount);
    for (TMeshVertex& v : vertices_) {
        v.position = TVec3(Fixed(at), Fixed(at + 2), Fixed(at + 4));
        v.normal = TVec3(Fixed(at + 6), Fixed(at + 8), Fixed(at + 10));
        v.uv = TVec2(Fixed(at + 12), Fixed(at + 14));
        at += kVertexSize;
    }
    indices_.resize(triangleCount * 3);
    for (uint16_t& index : indices_) {
        index = U16(at);
        at += 2;
        if (index >= vertexCount) {  // drawing it would read past the vertices
            LogPrintf("TModel::Init: %s has a triangle index past its vertices", fileName.CStr());
            vertices_.clear();
            indices_.clear();
            return false;
        }
    }
    fileName_ = fileName;
    return true;
}

void TModel::Restore() {
    if (!fileName_.IsEmpty()) Init(TString(fileName_));
}

void RegisterModelAssetKind() {
    TAssetKind kind;
    kind.classId = TModel::ClassId();
    kind.makeKey = [](const TString& fileName, const TString&) { return fileName; };
    kind.load = [](const TString& fileName, const TString&) -> std::shared_ptr<TAsset> { return TModel::Get(fileName); };
    RegisterAssetKind("mesh", kind);
}
