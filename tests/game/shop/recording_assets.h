// The game session's assets as shop tests give them: textures from a map the test fills, the
// preload list, and sounds that play silently into a list the test reads ("play name", "loop name",
// "pause name", "resume name", "stop name").
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/shop/objects/game_scene.h"

class RecordingAssets : public iGameAssets {
public:
    std::shared_ptr<TTexture> GetTexture(const TString& name) override {
        auto found = textures.find(name.CStr());
        return found == textures.end() ? nullptr : found->second;
    }
    void AddPreloadAnim(const TString& name) override { preload.push_back(name.CStr()); }
    void AddPreloadSound(const TString& name) override { preload.push_back(std::string(name.CStr()) + "?group=1000"); }
    bool PlaySound(const TString& name, bool loop) override {
        sounds.push_back((loop ? "loop " : "play ") + std::string(name.CStr()));
        return true;
    }
    bool PauseSound(const TString& name, bool pause) override {
        sounds.push_back((pause ? "pause " : "resume ") + std::string(name.CStr()));
        return true;
    }
    void StopSound(const TString& name) override { sounds.push_back("stop " + std::string(name.CStr())); }

    std::map<std::string, std::shared_ptr<TTexture>> textures;
    std::vector<std::string> preload;
    std::vector<std::string> sounds;
};
