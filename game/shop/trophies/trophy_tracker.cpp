#include "game/shop/trophies/trophy_tracker.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

#include "engine/core/base/log.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/data/saved_progress.h"
#include "game/shop/trophies/trophy_listener.h"

namespace {

// Names in bit order, as the log and the shop's message show them (the typo and the missing colon
// are the texts players and the trophies window know).
constexpr const char* kTrophyNames[] = {
    "GrandWitch:", "PotionMaster:", "PotionMAsterGold:", "GoldenPhoenixFeather:", "MagicCatBelt:", "Artifact:",
    "Plant:",      "PotionPedia:",  "ShopMonth:",        "ShopYear:",             "UpgradeFreak",
};

std::unique_ptr<clsTrophyTracker>& Instance() {
    static std::unique_ptr<clsTrophyTracker> instance;
    return instance;
}

int Total(const std::vector<int>& perLevel) {
    return std::accumulate(perLevel.begin(), perLevel.end(), 0);
}

uint32_t LevelBit(int level) {
    return uint32_t{1} << level;
}

// The number of set bits from bit first upwards, up to bit count - 1.
int RunFrom(uint32_t bits, int first, int count) {
    int run = 0;
    while (first + run < count && (bits & LevelBit(first + run)) != 0) ++run;
    return run;
}

// One character per level; characters from '!' up to 127 give counts, others leave the entry.
void ReadCounts(const TString& text, std::vector<int>& perLevel) {
    unsigned length = std::min<unsigned>(text.Length(), static_cast<unsigned>(perLevel.size()));
    for (unsigned i = 0; i < length; ++i) {
        auto saved = static_cast<unsigned char>(text.CharAt(i));
        if (saved < '!' || saved >= 128) break;
        perLevel[i] = SavedCountValue(static_cast<char>(saved));
    }
}

TString WriteCounts(const std::vector<int>& perLevel) {
    TString text;
    for (int count : perLevel) text += SavedCountChar(count);
    return text;
}

}  // namespace

clsTrophyTracker* clsTrophyTracker::GetInstance() {
    if (!Instance()) Instance().reset(new clsTrophyTracker());
    return Instance().get();
}

void clsTrophyTracker::DestroyInstance() {
    Instance().reset();
}

clsTrophyTracker::clsTrophyTracker() : levelCount_(std::clamp(GetGameTables().levelCount, 0, kMaxLevels)) {
    for (std::vector<int>* perLevel : PerLevelCounts()) perLevel->assign(static_cast<size_t>(levelCount_), 0);
    Clear();
}

std::array<std::vector<int>*, 4> clsTrophyTracker::PerLevelCounts() {
    return {&servedPotions_, &feathers_, &artifactsDelivered_, &fruits_};
}

void clsTrophyTracker::ZeroLevelCounts(int level) {
    if (level < 0 || level >= levelCount_) return;
    for (std::vector<int>* perLevel : PerLevelCounts()) (*perLevel)[static_cast<size_t>(level)] = 0;
}

TString clsTrophyTracker::TrophyName(uint32_t bits) {
    TString name;
    for (size_t i = 0; i < std::size(kTrophyNames); ++i)
        if (bits & (uint32_t{1} << i)) name += kTrophyNames[i];
    return name;
}

void clsTrophyTracker::Clear() {
    trophyBits_ = 0;
    for (std::vector<int>* perLevel : PerLevelCounts()) std::fill(perLevel->begin(), perLevel->end(), 0);
    cleanLevelBits_ = 0;
    lostCustomers_ = 0;
    expertLevelBits_ = 0;
    itemsBought_ = 0;
    currentLevel_ = -1;
}

void clsTrophyTracker::StartLevel(int level) {
    currentLevel_ = level;
    lostCustomers_ = 0;
    ZeroLevelCounts(level);
    dirty_ = true;
}

void clsTrophyTracker::ResetLevelCounters() {
    ZeroLevelCounts(currentLevel_);
    lostCustomers_ = 0;
    itemsBought_ = 0;
    dirty_ = false;
}

int clsTrophyTracker::CountOne(std::vector<int>& perLevel) {
    // A count outside the levels (no level started yet) is not kept.
    if (currentLevel_ >= 0 && currentLevel_ < levelCount_) ++perLevel[static_cast<size_t>(currentLevel_)];
    dirty_ = true;
    return Total(perLevel);
}

void clsTrophyTracker::CountPotion() {
    int total = CountOne(servedPotions_);
    const GameTables& tables = GetGameTables();
    if (total >= tables.potionMaster) AwardTrophy(kPotionMaster);
    if (total >= tables.potionMasterGold) AwardTrophy(kPotionMasterGold);
    LogPrintf("Potion counter: %d", total);
}

void clsTrophyTracker::CountFeather() {
    int total = CountOne(feathers_);
    if (total >= GetGameTables().goldenPhoenixFeather) AwardTrophy(kGoldenPhoenixFeather);
    LogPrintf("Feather counter: %d", total);
}

void clsTrophyTracker::CountArtifact() {
    int total = CountOne(artifactsDelivered_);
    if (total >= GetGameTables().artifact) AwardTrophy(kArtifact);
    LogPrintf("Actifact counter: %d", total);
}

void clsTrophyTracker::CountFruit() {
    int total = CountOne(fruits_);
    if (total >= GetGameTables().plant) AwardTrophy(kPlant);
    LogPrintf("Fruit counter: %d", total);
}

void clsTrophyTracker::ClearPotionsFromCurrentLevel() {
    int first = std::max(currentLevel_, 0);
    for (int level = first; level < levelCount_; ++level) servedPotions_[static_cast<size_t>(level)] = 0;
    dirty_ = true;
    LogPrintf("Potion counter: %d", Total(servedPotions_));
}

void clsTrophyTracker::CountLostCustomer() {
    ++lostCustomers_;
    dirty_ = true;
    LogPrintf("Lose client counter: %d", lostCustomers_);
}

void clsTrophyTracker::MarkExpert() {
    if (currentLevel_ >= 0 && currentLevel_ < levelCount_) expertLevelBits_ |= LevelBit(currentLevel_);
    dirty_ = true;
    LogPrintf("Expert status: %d", static_cast<int>(expertLevelBits_));
    int levels = std::clamp(GetGameTables().magicCatBeltLevels, 0, kMaxLevels);
    if (expertLevelBits_ == LevelBit(levels) - 1) AwardTrophy(kMagicCatBelt);
}

void clsTrophyTracker::LevelEnded(int level, bool won) {
    if (level >= 0 && level < levelCount_) {
        if (lostCustomers_ != 0)
            cleanLevelBits_ &= ~LevelBit(level);
        else
            cleanLevelBits_ |= LevelBit(level);
    }
    if (won) {
        AwardRuns();
        const GameTables& tables = GetGameTables();
        if (level == tables.potionpedia - 1) AwardTrophy(kPotionPedia);
        if (level == tables.grandWitchLevels - 1) AwardTrophy(kGrandWitch);
    }
    dirty_ = true;
}

void clsTrophyTracker::AwardRuns() {
    const GameTables& tables = GetGameTables();
    for (int first = 0; first < levelCount_; ++first) {
        int run = RunFrom(cleanLevelBits_, first, levelCount_);
        if (run >= tables.shopMonth) AwardTrophy(kShopMonth);
        if (run >= tables.shopYear) {
            AwardTrophy(kShopYear);
            return;
        }
    }
}

uint32_t clsTrophyTracker::CountItemBought() {
    ++itemsBought_;
    dirty_ = true;
    LogPrintf("Buy Items: %d", itemsBought_);
    if (itemsBought_ == GetGameTables().upgradeFreak && AwardTrophy(kUpgradeFreak)) return kUpgradeFreak;
    return 0;
}

bool clsTrophyTracker::AwardTrophy(uint32_t bit) {
    bool isNew = (trophyBits_ & bit) == 0;
    trophyBits_ |= bit;
    if (isNew) {
        LogPrintf("New Trophy: %s", TrophyName(bit).CStr());
        if (listener_) listener_->OnTrophyGained(this, bit);
    }
    return isNew;
}

bool clsTrophyTracker::LoadFromProfile() {
    GameManager* manager = GameManager::Get();
    UserRecord* record = manager ? manager->GetUserRecord() : nullptr;
    if (!record || dirty_) return false;
    LoadFromRecord(*record);
    return true;
}

void clsTrophyTracker::SaveToProfile() {
    GameManager* manager = GameManager::Get();
    if (UserRecord* record = manager ? manager->GetUserRecord() : nullptr) SaveToRecord(*record);
}

void clsTrophyTracker::LoadFromRecord(const UserRecord& record) {
    trophyBits_ = record.trophyBits;
    ReadCounts(record.servedPotions, servedPotions_);
    ReadCounts(record.feathers, feathers_);
    ReadCounts(record.artifacts, artifactsDelivered_);
    ReadCounts(record.fruits, fruits_);
    cleanLevelBits_ = record.cleanLevelBits;
    expertLevelBits_ = record.expertLevelBits;
    itemsBought_ = static_cast<int>(record.itemsBought);
}

void clsTrophyTracker::SaveToRecord(UserRecord& record) {
    record.trophyBits = trophyBits_;
    record.servedPotions = WriteCounts(servedPotions_);
    record.feathers = WriteCounts(feathers_);
    record.artifacts = WriteCounts(artifactsDelivered_);
    record.fruits = WriteCounts(fruits_);
    record.cleanLevelBits = cleanLevelBits_;
    record.expertLevelBits = expertLevelBits_;
    record.itemsBought = static_cast<uint32_t>(itemsBought_);
    dirty_ = false;
}
