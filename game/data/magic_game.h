// dtMagicGame: the game's definition data ("config.xml") and the current player's progress.
#pragma once

#include <memory>

#include "game/data/game_store.h"
#include "game/data/game_tables.h"
#include "game/data/saved_progress.h"

class dtMagicGame : public dtGame {
public:
    explicit dtMagicGame(const TString& path = "config.xml");
    ~dtMagicGame() override;

    // Copies the store into the process-wide GameTables.
    void LoadTables();
    bool AreTablesLoaded() const { return tablesLoaded_; }

    // Takes the player's progress from its saved text; a refused text gives fresh progress and
    // marks the player as new.
    void LoadUserRecord(const TString& text);
    // Fresh progress for a new player.
    void ResetUserRecord();

    bool IsNewUser() const { return newUser_; }
    // Cleared once the player's progress has been saved.
    void SetNewUser(bool isNew) { newUser_ = isNew; }
    // Null until a player's progress is loaded.
    UserRecord* GetUserRecord() const { return userRecord_.get(); }

private:
    bool newUser_ = false;
    std::unique_ptr<UserRecord> userRecord_;
    bool tablesLoaded_ = false;
};
