// The saved level the shop is played from: the player's selected level record.
#pragma once

struct SavedLevelRecord;

// The player's selected saved level; null without a player or a selected level.
SavedLevelRecord* FindCurrentSavedLevel();
// The same, or a fresh level's record (one cauldron, nothing bought) when there is none.
const SavedLevelRecord& CurrentSavedLevel();
