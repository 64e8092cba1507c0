#include "game/shop/screen/saved_level.h"

#include "game/data/game_manager.h"

SavedLevelRecord* FindCurrentSavedLevel() {
    GameManager* manager = GameManager::Get();
    UserRecord* record = manager ? manager->GetUserRecord() : nullptr;
    if (!record || record->selectedLevel < 0 || record->selectedLevel >= static_cast<int>(record->savedLevels.size()))
        return nullptr;
    return &record->savedLevels[static_cast<size_t>(record->selectedLevel)];
}

const SavedLevelRecord& CurrentSavedLevel() {
    static const SavedLevelRecord fresh;
    const SavedLevelRecord* saved = FindCurrentSavedLevel();
    return saved ? *saved : fresh;
}
