// The game manager over a preferences store in a folder of the test's own, for the screens that
// read and write the players: made after the window system, gone before it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "game/data/game_manager.h"

class PlayerStore {
public:
    PlayerStore() {
        char pattern[] = "/tmp/alembria-players-XXXXXX";
        folder_ = mkdtemp(pattern);
        SetUserDataFolder(folder_.c_str());
        SetConfig("encryptionkey", "BrineKelpVQZ");
        RegisterMemoryFile("config.xml", kConfig, sizeof kConfig - 1);
        game = GameManager::Create({});
    }
    ~PlayerStore() {
        GameManager::Destroy();
        RegisterMemoryFile("config.xml", nullptr, 0);
        SetUserDataFolder("");
        std::filesystem::remove_all(folder_);
    }
    PlayerStore(const PlayerStore&) = delete;
    PlayerStore& operator=(const PlayerStore&) = delete;

    GameManager* game = nullptr;

private:
    static constexpr char kConfig[] = "<config><game><maxSecsElapsed>0.05</maxSecsElapsed></game></config>";
    std::string folder_;
};
