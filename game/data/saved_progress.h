// A player's progress: one record per level reached and the trophy tracker's statistics, kept in
// the preferences store as one line of text under "dtMagicGame".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/base/tstring.h"

// The per-level count texts hold one character per level, so no more levels than this are played.
constexpr int kMaxLevels = 24;
// A count is saved as '!' + count; 90 gives '{', the last byte below the field separator '|'.
constexpr int kMaxSavedCount = 90;

// The character that saves count (clamped to 0..kMaxSavedCount), and the count it reads back as.
char SavedCountChar(int count);
int SavedCountValue(char saved);

// The state in which the player starts one level.
struct SavedLevelRecord {
    // The state of a fresh player: '0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0'.
    SavedLevelRecord() = default;

    // The record of the level after finished: money carried over, upgrades and charms copied.
    static SavedLevelRecord NextLevel(const SavedLevelRecord& finished);

    // Twelve fields joined by '^'.
    TString Format() const;
    // Fills the record from its text form; logs the reason and answers false when the text is refused
    // (the record may then be partly filled).
    bool Parse(const TString& text);

    int level = 0;
    int startMoney = 0;
    int earnedMoney = 0;  // the best money reached in the level
    bool collapseDue = false;
    int drawerLevel = 0;  // shelf spots enabled
    int shoesLevel = 1;
    int phoenixLevel = 1;
    int harpLevel = 0;
    bool expert = false;
    std::array<int, 3> cauldronLevels{1, 0, 0};  // per cauldron place; 0 = no cauldron there
    std::array<int, 3> storedPotions{-1, -1, -1};  // a potion id per storage place; -1 = empty
    int charmBits = 0;  // 1 << charm index of the charm won, 0 when none
};

// The current player's progress.
struct UserRecord {
    // The bare record: no saved levels, selected level -1, each count text 24 '!'.
    UserRecord();

    // Appends a fresh level record and selects it.
    void Init();
    // Eleven fields joined by '|'.
    TString Format() const;
    // The record read from its text form, or null (after logging why) when the text is refused.
    static std::unique_ptr<UserRecord> Parse(const TString& text);
    // After the selected level is won: moves to the next level and makes its record.
    void AdvanceLevel();

    int selectedLevel = -1;
    int version = 1;
    std::vector<SavedLevelRecord> savedLevels;
    uint32_t trophyBits = 0;
    uint32_t cleanLevelBits = 0;
    uint32_t expertLevelBits = 0;
    uint32_t itemsBought = 0;
    // One SavedCountChar per level, at most kMaxLevels characters each.
    TString servedPotions;
    TString feathers;
    TString artifacts;
    TString fruits;
};
