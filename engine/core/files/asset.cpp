// The asset manager: a key-ordered cache of weak references to live assets.
#include "engine/core/files/asset.h"

#include <vector>

namespace {

struct AssetState {
    TAssetManager* manager = nullptr;  // installed, not owned
};

AssetState& GetAssetState() {
    static AssetState state;
    return state;
}

}  // namespace

TAssetManager* GetAssetManager() { return GetAssetState().manager; }

void SetAssetManager(TAssetManager* manager) { GetAssetState().manager = manager; }

std::shared_ptr<TAsset> TAssetManager::FindAsset(const TString& key) { return assets_[key].lock(); }

void TAssetManager::StoreAsset(const TString& key, const std::shared_ptr<TAsset>& asset) { assets_[key] = asset; }

void TAssetManager::RemoveAsset(const TString& key) { assets_.erase(key); }

// Both passes take the live assets first and call them afterwards: a call may end another asset,
// whose destructor then edits the map.
void TAssetManager::ReleaseAll() {
    std::vector<std::shared_ptr<TAsset>> live;
    for (auto it = assets_.begin(); it != assets_.end();) {
        if (std::shared_ptr<TAsset> asset = it->second.lock()) {
            live.push_back(std::move(asset));
            ++it;
        } else {
            it = assets_.erase(it);
        }
    }
    for (auto& asset : live) asset->Release();
}

void TAssetManager::RestoreAll() {
    std::vector<std::shared_ptr<TAsset>> live;
    for (auto& entry : assets_)
        if (std::shared_ptr<TAsset> asset = entry.second.lock()) live.push_back(std::move(asset));
    for (auto& asset : live) asset->Restore();
}
