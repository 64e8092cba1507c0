#include "game/data/magic_game.h"

dtMagicGame::dtMagicGame(const TString& path) : dtGame(path) {}

dtMagicGame::~dtMagicGame() = default;

void dtMagicGame::LoadTables() {
    GetGameTables().Load(*this);
    tablesLoaded_ = true;
}

void dtMagicGame::LoadUserRecord(const TString& text) {
    userRecord_.reset();
    userRecord_ = UserRecord::Parse(text);
    newUser_ = !userRecord_;
    if (newUser_) ResetUserRecord();
}

void dtMagicGame::ResetUserRecord() {
    userRecord_ = std::make_unique<UserRecord>();
    userRecord_->Init();
    newUser_ = true;
}
