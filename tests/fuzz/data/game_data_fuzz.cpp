// Saved progress and config files from outside. Each input is read as a player's progress text
// and as a config file. Whatever progress the reader accepts must save and read back unchanged
// (a profile that cannot be read back is lost at the next start), and loading progress after any
// config always leaves the player with progress.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/files/file.h"
#include "game/data/magic_game.h"

namespace {

void CheckProgress(const TString& text) {
    GetGameTables() = GameTables();
    GetGameTables().levelCount = kMaxLevels;
    std::unique_ptr<UserRecord> record = UserRecord::Parse(text);
    if (!record)
        return;
    TString saved = record->Format();
    std::unique_ptr<UserRecord> reread = UserRecord::Parse(saved);
    if (!reread || reread->Format() != saved)
        std::abort();
    record->AdvanceLevel();
    if (!UserRecord::Parse(record->Format()))
        std::abort();
}

void CheckConfig(const uint8_t* data, size_t size, const TString& text) {
    RegisterMemoryFile("fuzz-config.xml", data, size);
    {
        dtMagicGame game("fuzz-config.xml");
        game.LoadTables();
        game.LoadUserRecord(text);
        if (game.GetUserRecord() == nullptr || game.GetUserRecord()->savedLevels.empty())
            std::abort();
    }
    RegisterMemoryFile("fuzz-config.xml", nullptr, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TString text(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
    CheckProgress(text);
    CheckConfig(data, size, text);
    return 0;
}
