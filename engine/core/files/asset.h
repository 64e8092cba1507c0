// Assets: every loadable resource (textures, animated textures, sounds, models, script code) is a
// TAsset held by shared pointers. TAssetManager caches them by key with weak references, so a
// resource in use anywhere is found instead of loaded twice, and the display can release and
// restore every live asset after a device loss. TAssetMap is a named set that owns its assets;
// game code loads a screen's assets into one by plain names and takes them out typed.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "engine/core/base/tstring.h"

// A class identifier: the address of the class's static ClassId function.
using TClassId = const void*;

// Declares the class identity of an asset class derived from Base.
#define ALEMBRIA_ASSET_CLASS(Class, Base)                                                       \
public:                                                                                         \
    static TClassId ClassId() { return reinterpret_cast<TClassId>(&Class::ClassId); }          \
    const char* GetClassName() const override { return #Class; }                               \
    bool IsKindOf(TClassId id) const override { return id == Class::ClassId() || Base::IsKindOf(id); }

class TAsset : public std::enable_shared_from_this<TAsset> {
public:
    virtual ~TAsset() = default;
    static TClassId ClassId() { return reinterpret_cast<TClassId>(&TAsset::ClassId); }
    virtual const char* GetClassName() const { return "TAsset"; }
    virtual bool IsKindOf(TClassId id) const { return id == ClassId(); }
    // Drop and rebuild display resources around a device loss; nothing for most kinds.
    virtual void Release() {}
    virtual void Restore() {}
};

// The asset as Kind, sharing its ownership; empty for an empty input or another kind.
template <class Kind>
std::shared_ptr<Kind> AssetCast(const std::shared_ptr<TAsset>& asset) {
    if (!asset || !asset->IsKindOf(Kind::ClassId())) return {};
    return std::static_pointer_cast<Kind>(asset);
}

class TAssetManager {
public:
    virtual ~TAssetManager() = default;
    // The live asset under key, else empty; an absent key gets an empty entry.
    std::shared_ptr<TAsset> FindAsset(const TString& key);
    void StoreAsset(const TString& key, const std::shared_ptr<TAsset>& asset);
    void RemoveAsset(const TString& key);
    // Release of every live asset in key order; entries of dead assets are erased.
    void ReleaseAll();
    // Restore of every live asset in key order; dead entries stay.
    void RestoreAll();
    size_t EntryCount() const { return assets_.size(); }

private:
    std::map<TString, std::weak_ptr<TAsset>> assets_;
};

// The application's asset manager, null before the application has installed one.
TAssetManager* GetAssetManager();
void SetAssetManager(TAssetManager* manager);

// How the asset map obtains one kind of asset from a resolved file name and its options (the
// text from "?" on, may be empty): the key the manager keeps it under, and the loader that
// makes it when the manager has no live one.
struct TAssetKind {
    TClassId classId = nullptr;
    std::function<TString(const TString& fileName, const TString& options)> makeKey;
    std::function<std::shared_ptr<TAsset>(const TString& fileName, const TString& options)> load;
};
// Kinds by file extension without the dot ("png"); the texture, sound, model and script code
// modules register theirs at start-up. A second registration replaces the first.
void RegisterAssetKind(const TString& extension, TAssetKind kind);
void UnregisterAssetKind(const TString& extension);

class TTexture;
class TSound;

class TAssetMap {
public:
    virtual ~TAssetMap() = default;

    // Adds asset under name, or, when asset is empty, loads it by name (extension optional,
    // options after "?"). Failures are logged unless quiet.
    void AddAsset(TString name, std::shared_ptr<TAsset> asset, bool quiet);
    // AddAsset(name, empty, false) for each name of a null-terminated list.
    void AddAssets(const char* const* names);

    // The named asset typed; with auto-load set, a missing one is loaded first. (Templates so that
    // this header needs only the declarations of the kinds.)
    template <class Texture = TTexture>
    std::shared_ptr<Texture> GetTexture(const TString& name) {
        return AssetCast<Texture>(GetEntry(name, kTextureLookup));
    }
    template <class Sound = TSound>
    std::shared_ptr<Sound> GetSound(const TString& name) {
        return AssetCast<Sound>(GetEntry(name, kSoundLookup));
    }

    void SetAutoLoad(bool autoLoad) { autoLoad_ = autoLoad; }
    bool GetAutoLoad() const { return autoLoad_; }

private:
    enum Lookup { kTextureLookup, kSoundLookup };
    std::shared_ptr<TAsset> GetEntry(TString name, Lookup lookup);

    std::map<TString, std::shared_ptr<TAsset>> assets_;
    bool autoLoad_ = false;
};
