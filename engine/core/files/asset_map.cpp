// The asset map: named, owned assets loaded by name through the registered asset kinds.
#include "engine/core/files/asset.h"

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

namespace {

std::map<TString, TAssetKind>& Kinds() {
    static std::map<TString, TAssetKind> kinds;
    return kinds;
}

// The order in which a name without a usable extension is completed.
const char* const kSearchExtensions[] = {".xml", ".anm", ".jpg", ".png", ".spx", ".ogg", ".mesh", ".lua"};

// The file name as given, or with the first standard extension under which a file exists.
bool ResolveFileName(TString* fileName) {
    if (FileExists(*fileName)) return true;
    for (const char* extension : kSearchExtensions) {
        TString candidate = *fileName + extension;
        if (FileExists(candidate)) {
            *fileName = candidate;
            return true;
        }
    }
    return false;
}

// The cached asset of the kind under key, else a freshly loaded one (then cached).
std::shared_ptr<TAsset> ObtainAsset(const TAssetKind& kind, const TString& fileName, const TString& options) {
    TAssetManager* manager = GetAssetManager();
    TString key = kind.makeKey(fileName, options);
    std::shared_ptr<TAsset> asset = manager ? manager->FindAsset(key) : nullptr;
    if (asset && asset->IsKindOf(kind.classId)) return asset;
    asset = kind.load(fileName, options);
    if (asset && manager) manager->StoreAsset(key, asset);
    return asset;
}

}  // namespace

void RegisterAssetKind(const TString& extension, TAssetKind kind) { Kinds()[extension] = std::move(kind); }

void UnregisterAssetKind(const TString& extension) { Kinds().erase(extension); }

void TAssetMap::AddAsset(TString name, std::shared_ptr<TAsset> asset, bool quiet) {
    name.Replace("\\", "/", TString::kReplaceAll);
    if (asset) {
        assets_[name] = std::move(asset);
        return;
    }
    int question = name.FindChar('?');
    TString fileName = question < 0 ? name : name.Mid(0, question);
    TString options = question < 0 ? TString() : name.Mid(question);
    if (!ResolveFileName(&fileName)) {
        if (!quiet)
            LogPrintf("TAssetMap::AddAsset: Failed to find asset %s with any standard extension "
                      "(jpg/png/anm/xml/ogg/mesh)", name.CStr());
        return;
    }
    int dot = fileName.FindChar('.', TString::kBackwards);
    auto kind = Kinds().find(dot < 0 ? TString() : fileName.Mid(dot + 1));
    if (kind != Kinds().end()) asset = ObtainAsset(kind->second, fileName, options);
    if (!asset) {
        if (!quiet) LogPrintf("TAssetMap::AddAsset: Error loading %s", name.CStr());
        return;
    }
    assets_[name] = std::move(asset);
}

void TAssetMap::AddAssets(const char* const* names) {
    for (; *names; ++names) AddAsset(*names, nullptr, false);
}

std::shared_ptr<TAsset> TAssetMap::GetEntry(TString name, Lookup lookup) {
    name.Replace("\\", "/", TString::kReplaceAll);
    if (std::shared_ptr<TAsset> asset = assets_[name]) return asset;
    if (autoLoad_) {
        AddAsset(name, nullptr, false);
        if (std::shared_ptr<TAsset> asset = assets_[name]) return asset;
    }
    if (lookup == kTextureLookup)
        LogPrintf("Texture asset not found: %s (auto load set to %s)", name.CStr(), autoLoad_ ? "true" : "false");
    else
        LogPrintf("Sound asset not found: %s", name.CStr());
    return nullptr;
}
