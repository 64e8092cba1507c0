// The session's asset maps, preload lists and effect sounds.
#include "engine/core/base/log.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound.h"
#include "game/shop/session/game_session.h"

namespace {

const char kEffectsGroup[] = "?group=1000";

// Loads the last name of the list into the map and removes it (also when it does not load).
void LoadLast(std::vector<TString>& names, TAssetMap& assets) {
    TString name = names.back();
    names.pop_back();
    assets.AddAsset(name, nullptr, false);
}

}  // namespace

std::shared_ptr<TTexture> clsGameSession::GetTexture(const TString& name) {
    std::shared_ptr<TTexture> texture = gameAssets_.GetTexture(name);
    return texture ? texture : menuAssets_.GetTexture(name);
}

std::shared_ptr<TTexture> clsGameSession::GetMenuTexture(const TString& name) { return menuAssets_.GetTexture(name); }

std::shared_ptr<TSound> clsGameSession::FindSound(const TString& name) {
    TString key = name + kEffectsGroup;
    std::shared_ptr<TSound> sound = gameAssets_.GetSound(key);
    return sound ? sound : menuAssets_.GetSound(key);
}

bool clsGameSession::PlaySound(const TString& name, bool loop) {
    std::shared_ptr<TSound> sound = FindSound(name);
    if (sound) sound->Play(loop);
    return sound != nullptr;
}

bool clsGameSession::PauseSound(const TString& name, bool pause) {
    std::shared_ptr<TSound> sound = FindSound(name);
    if (sound) sound->Pause(pause);
    return sound != nullptr;
}

void clsGameSession::StopSound(const TString& name) {
    if (std::shared_ptr<TSound> sound = FindSound(name)) sound->Stop();
}

void clsGameSession::AddPreloadAnim(const TString& name) { gamePreload_.push_back(name); }

void clsGameSession::AddPreloadSound(const TString& name) { gamePreload_.push_back(name + kEffectsGroup); }

void clsGameSession::AddMenuPreloadAnim(const TString& name) { menuPreload_.push_back(name); }

bool clsGameSession::LoadPendingAssets() {
    if (!gamePreload_.empty()) {
        LoadLast(gamePreload_, gameAssets_);
    } else if (!menuPreload_.empty()) {
        LoadLast(menuPreload_, menuAssets_);
    } else {
        return false;
    }
    return true;
}

bool clsGameSession::LoadMenuAssets() {
    if (menuPreload_.empty()) return false;
    LoadLast(menuPreload_, menuAssets_);
    return true;
}
