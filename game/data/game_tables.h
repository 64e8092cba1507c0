// The game's rules as process-wide tables, copied once from config.xml at start-up.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/core/base/tstring.h"

class dtGame;

struct PotionRecord {
    int value = 0;  // kept; a customer pays 15 per ingredient instead
    int ingredientCount = 0;
    std::vector<int> ingredients;  // 'A' = 0, 'B' = 1, ...
};

struct LevelRecord {
    int time = 0;  // length of the shop day in seconds
    int customersAtTime = 0;
    int goal = 0;
    int expertGoal = 0;
    std::vector<int> potions;  // potion ids of the level
    std::vector<char> customersSequence;  // customer letters in arrival order
    std::vector<char> customerLetters;  // the distinct letters of the sequence
    std::vector<int> potionsTypes;  // entry t: planned potions made of t + 1 ingredients
    std::vector<int> artifacts;  // entry a: requests for artifact index a
    int artifactsEnabled = 0;  // shelf artifacts, indexes 0..n-1
    int plannedPotionTotal = 0;
    int plantPetitions = 0;
    int customerIntervalMin = 1000;  // milliseconds between arrivals
    int customerIntervalMax = 5000;
};

// The levels by 0-based level number.
class LevelRecords {
public:
    // index must be below Count().
    LevelRecord& At(int index) { return records_.at(static_cast<size_t>(index)); }
    const LevelRecord& At(int index) const { return records_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(records_.size()); }
    void Append(const LevelRecord& record) { records_.push_back(record); }

private:
    std::vector<LevelRecord> records_;
};

struct ClientTypeRecord {
    std::vector<int> tips;  // one per remaining patience point
    float barPointSeconds = 0;
    int startingPoints = 0;
    float secsToThink = 0;
};

struct CharmRecord {
    TString id;
    float probability = 0;  // percent
    float factor = 0;
    int quotaRequired = 0;
};

// A bazaar upgrade; kind 0 cauldron, 1 shoes, 2 phoenix, 3 harp, 4 drawer.
struct AddonRecord {
    int kind = 0;
    int levelCount = 0;
    std::vector<int> costPerLevel;
    std::vector<float> paramPerLevel;
};

// Shop upgrades have levels 1..3; an object given another level works at level 1.
constexpr int kMaxUpgradeLevel = 3;
inline int KnownUpgradeLevel(int level) {
    return level >= 1 && level <= kMaxUpgradeLevel ? level : 1;
}

struct CollapseLevelRecord {
    int colors = 0;
    std::vector<TString> charms;  // charm ids
    float timeBreak = 0;
    int maxBombs = 0;
    int maxWildBox = 0;
    int itemBlack = 0;
    float initDelay = 0;
    int fee = 0;
};

struct GameTables {
    // Fills every table from the store, replacing what it held. A missing key reads 0, 0.0 or an empty
    // list; more than kMaxLevels levels are cut to that many with a warning.
    void Load(const dtGame& store);
    // The parameter of the add-on record at position kind for an upgrade level (1-based); 0 when the
    // table has no such record or level.
    float AddonParameter(int kind, int level) const;

    int levelCount = 0;
    int maxConsecutives = 0;
    float restSecs = 0;
    float playerSpeed = 0;
    int cauldronMaxCombo = 0;
    float timeActivateArtifact = 0;
    float timePrepareArtifact = 0;
    float initDelay = 0;
    // The next three hold these values until config.xml is loaded.
    int transitionTimeStep = 150;
    int transitionTimeEnd = 300;
    int numberOfIngredients = 0;
    float maxSecsElapsed = 0.05f;
    int levelOfPlant = 0;  // 1-based
    int levelOfPhoenix = 0;  // 1-based
    int potionCount = 0;
    int artifactCount = 0;
    int collapseLevelCount = 0;
    int grandWitchLevels = 0;
    int potionMaster = 0;
    int potionMasterGold = 0;
    int goldenPhoenixFeather = 0;
    int magicCatBeltLevels = 0;
    int artifact = 0;
    int plant = 0;
    int potionpedia = 0;  // 1-based level number
    int shopMonth = 0;
    int shopYear = 0;
    int upgradeFreak = 0;

    std::vector<PotionRecord> potions;  // by potion id
    std::vector<float> artifactValues;  // by artifact index
    LevelRecords levels;
    std::vector<ClientTypeRecord> clientTypes;  // by dtGame::GetRowIndex("clients", kind)
    std::vector<CharmRecord> charms;  // by charm index: 0 tip, 1 plant growth, 2 artifact preparation
    std::vector<AddonRecord> addons;  // by position, in kind order
    std::vector<CollapseLevelRecord> collapseLevels;
};

// The one instance the whole game reads.
GameTables& GetGameTables();
