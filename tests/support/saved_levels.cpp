// alembria_saved_levels NAME COUNT
//
// Adds the player NAME whose progress holds COUNT saved levels, so that the level select opens days
// 1 to COUNT: the profile a player has after COUNT - 1 won days that earned nothing. It is written by
// the game's own code (its settings, its preferences store and its progress records), and run as the
// game is: in the game folder, with the XDG_DATA_HOME of the game run that is to find the player
// (PREPARE in headless_game.cmake). Exits 1, with the reason on stderr, when the game does not read
// the profile back as asked.
#include <cstdio>
#include <cstdlib>

#include "engine/core/app/application.h"
#include "game/data/game_manager.h"
#include "game/shop/entry/game_main.h"
#include "platform/backend/backend.h"

namespace {

struct Request {
    TString name;
    int count = 0;
    // What the game reads back: the current player and its saved levels.
    TString readName;
    int readCount = 0;
};

Request request;

int AddPlayer(TApplication*, const TString&) {
    GameManager* manager = GameManager::Create({});
    manager->CreateNewUser(request.name);
    manager->ChangeUserData();
    UserRecord* record = manager->GetUserRecord();
    for (int day = 1; day < request.count; ++day) record->AdvanceLevel();
    manager->SaveUserProgress();

    // Loaded again from the store, as the game's start loads it.
    manager->ChangeUserData();
    request.readName = manager->GetCurrentUserName();
    request.readCount = manager->IsNewUser() ? 0 : manager->GetNumberOfSavedLevels();
    GameManager::Destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: alembria_saved_levels NAME COUNT (in the game folder)\n", stderr);
        return 2;
    }
    request.name = argv[1];
    request.count = std::atoi(argv[2]);
    GameSetup();
    platform::UseBackends(platform::Backends::Headless);
    ApplicationMain(TString(), AddPlayer, true);
    if (request.readName != request.name || request.readCount != request.count) {
        std::fprintf(stderr, "alembria_saved_levels: the game reads player \"%s\" with %d saved levels, not \"%s\" with %d\n",
                     request.readName.CStr(), request.readCount, request.name.CStr(), request.count);
        return 1;
    }
    return 0;
}
