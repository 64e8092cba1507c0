#include "game/data/game_tables.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/core/base/log.h"
#include "game/data/game_store.h"
#include "game/data/saved_progress.h"
#include "game/data/value_lists.h"

namespace {

constexpr int kDefaultIntervalMin = 1000;
constexpr int kDefaultIntervalMax = 5000;

// Seconds of a day given in minutes, truncated toward zero and kept in the int range.
int DaySeconds(float minutes) {
    double seconds = std::trunc(static_cast<double>(minutes) * 60.0);
    if (std::isnan(seconds)) return 0;
    return static_cast<int>(std::clamp(seconds, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

int LoadedLevelCount(const dtGame& store) {
    int count = store.GetRecordCount("levels");
    if (count <= kMaxLevels) return count;
    LogPrintf("[WARN] config.xml defines %d levels; only the first %d are played", count, kMaxLevels);
    return kMaxLevels;
}

PotionRecord ReadPotion(const dtGame& store, int index) {
    PotionRecord potion;
    potion.value = store.GetRecordInt("potions", index, "value");
    std::vector<char> letters;
    ParseCharList(letters, store.GetRecordString("potions", index, "ingredients"));
    potion.ingredientCount = static_cast<int>(letters.size());
    for (char letter : letters) potion.ingredients.push_back(letter - 'A');
    return potion;
}

LevelRecord ReadLevel(const dtGame& store, int index) {
    auto text = [&](const char* key) { return store.GetRecordString("levels", index, key); };
    auto number = [&](const char* key) { return store.GetRecordInt("levels", index, key); };
    LevelRecord level;
    level.time = DaySeconds(store.GetRecordFloat("levels", index, "timeMinutes"));
    level.customersAtTime = number("customersAtTime");
    level.goal = number("goal");
    level.expertGoal = number("expertGoal");
    ParseIntList(level.potions, text("potions"));
    ParseCharList(level.customersSequence, text("customersSequence"));
    DistinctCharsFromEnd(level.customerLetters, level.customersSequence);
    level.plannedPotionTotal = ParseIntListSum(level.potionsTypes, text("potionsTypes"));
    ParseIntList(level.artifacts, text("artifacts"));
    level.artifactsEnabled = number("artifactsEnabled");
    level.plantPetitions = number("plantPetitions");
    std::vector<int> interval;
    ParseIntList(interval, text("timeCreationClient"));
    level.customerIntervalMin = interval.size() < 2 ? kDefaultIntervalMin : interval[0];
    level.customerIntervalMax = interval.size() < 2 ? kDefaultIntervalMax : interval[1];
    return level;
}

ClientTypeRecord ReadClientType(const dtGame& store, int index) {
    ClientTypeRecord client;
    ParseIntList(client.tips, store.GetRecordString("clients", index, "tips"));
    client.barPointSeconds = store.GetRecordFloat("clients", index, "barPointSeconds");
    client.startingPoints = store.GetRecordInt("clients", index, "startingPoints");
    client.secsToThink = store.GetRecordFloat("clients", index, "secsToThink");
    return client;
}

CharmRecord ReadCharm(const dtGame& store, int index) {
    CharmRecord charm;
    charm.id = store.GetRecordId("charms", index);
    charm.probability = store.GetRecordFloat("charms", index, "probability");
    charm.factor = store.GetRecordFloat("charms", index, "factor");
    charm.quotaRequired = store.GetRecordInt("charms", index, "quotaRequired");
    return charm;
}

AddonRecord ReadAddon(const dtGame& store, int index) {
    AddonRecord addon;
    addon.kind = store.GetRecordId("addons", index).ToInt();
    ParseIntList(addon.costPerLevel, store.GetRecordString("addons", index, "costPerLevel"));
    addon.levelCount = static_cast<int>(addon.costPerLevel.size());
    ParseFloatList(addon.paramPerLevel, store.GetRecordString("addons", index, "paramPerLevel"));
    return addon;
}

CollapseLevelRecord ReadCollapseLevel(const dtGame& store, int index) {
    auto number = [&](const char* key) { return store.GetRecordInt("collapse_levels", index, key); };
    CollapseLevelRecord collapse;
    collapse.colors = number("colors");
    SplitStringStripBlanks(collapse.charms, store.GetRecordString("collapse_levels", index, "charms"), ',');
    collapse.timeBreak = store.GetRecordFloat("collapse_levels", index, "timeBreak");
    collapse.maxBombs = number("maxBombs");
    collapse.maxWildBox = number("maxWildBox");
    collapse.itemBlack = number("itemBlack");
    collapse.initDelay = store.GetRecordFloat("collapse_levels", index, "initDelay");
    collapse.fee = number("fee");
    return collapse;
}

}  // namespace

void GameTables::Load(const dtGame& store) {
    *this = GameTables();
    levelCount = LoadedLevelCount(store);

    maxConsecutives = store.GetInt("phoenix", "maxConsecutives");
    restSecs = store.GetFloat("phoenix", "restSecs");

    playerSpeed = store.GetFloat("game", "playerSpeed");
    cauldronMaxCombo = store.GetInt("game", "cauldronMaxCombo");
    timeActivateArtifact = store.GetFloat("game", "timeActivateArtifact");
    timePrepareArtifact = store.GetFloat("game", "timePrepareArtifact");
    initDelay = store.GetFloat("game", "initDelay");
    transitionTimeStep = store.GetInt("game", "transitionTimeStep");
    transitionTimeEnd = store.GetInt("game", "transitionTimeEnd");
    numberOfIngredients = store.GetInt("game", "numberOfIngredients");
    maxSecsElapsed = store.GetFloat("game", "maxSecsElapsed");
    levelOfPlant = store.GetInt("game", "levelOfPlant");
    levelOfPhoenix = store.GetInt("game", "levelOfPhoenix");

    potionCount = store.GetRecordCount("potions");
    for (int i = 0; i < potionCount; ++i) potions.push_back(ReadPotion(store, i));
    artifactCount = store.GetRecordCount("artifacts");
    for (int i = 0; i < artifactCount; ++i) artifactValues.push_back(store.GetRecordFloat("artifacts", i, "value"));
    for (int i = 0; i < levelCount; ++i) levels.Append(ReadLevel(store, i));
    for (int i = 0, count = store.GetRecordCount("clients"); i < count; ++i)
        clientTypes.push_back(ReadClientType(store, i));
    for (int i = 0, count = store.GetRecordCount("charms"); i < count; ++i) charms.push_back(ReadCharm(store, i));
    for (int i = 0, count = store.GetRecordCount("addons"); i < count; ++i) addons.push_back(ReadAddon(store, i));
    collapseLevelCount = store.GetRecordCount("collapse_levels");
    for (int i = 0; i < collapseLevelCount; ++i) collapseLevels.push_back(ReadCollapseLevel(store, i));

    grandWitchLevels = levelCount;
    potionMaster = store.GetInt("trophies", "potionMaster");
    potionMasterGold = store.GetInt("trophies", "potionMasterGold");
    goldenPhoenixFeather = store.GetInt("trophies", "goldenPhoenixFeather");
    magicCatBeltLevels = levelCount;
    artifact = store.GetInt("trophies", "artifact");
    plant = store.GetInt("trophies", "plant");
    potionpedia = store.GetInt("trophies", "potionpedia");
    shopMonth = store.GetInt("trophies", "shopMonth");
    shopYear = store.GetInt("trophies", "shopYear");
    upgradeFreak = store.GetInt("trophies", "upgradeFreak");
}

float GameTables::AddonParameter(int kind, int level) const {
    if (kind < 0 || static_cast<size_t>(kind) >= addons.size()) return 0.0f;
    const std::vector<float>& perLevel = addons[static_cast<size_t>(kind)].paramPerLevel;
    if (level < 1 || static_cast<size_t>(level) > perLevel.size()) return 0.0f;
    return perLevel[static_cast<size_t>(level - 1)];
}

GameTables& GetGameTables() {
    static GameTables tables;
    return tables;
}
