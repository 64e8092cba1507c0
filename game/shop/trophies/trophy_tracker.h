// clsTrophyTracker: what the player does that trophies reward, per level and across levels, and the
// eleven trophies themselves. It caches the statistics of the current player's progress record:
// screens load it from the record when it holds no unsaved change, else write it back
// (LoadFromProfile, and SaveToProfile when that answers false).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/base/tstring.h"

class iTrophies;
struct UserRecord;

class clsTrophyTracker {
public:
    enum TrophyBits : uint32_t {
        kGrandWitch = 0x1,  // the last level won
        kPotionMaster = 0x2,
        kPotionMasterGold = 0x4,
        kGoldenPhoenixFeather = 0x8,
        kMagicCatBelt = 0x10,  // every level's expert goal reached
        kArtifact = 0x20,
        kPlant = 0x40,
        kPotionPedia = 0x80,  // a given level won
        kShopMonth = 0x100,  // a run of levels without a lost customer
        kShopYear = 0x200,  // a longer run
        kUpgradeFreak = 0x400,  // exactly that many bazaar purchases
    };

    // The one tracker, made on first use for the game data's level count.
    static clsTrophyTracker* GetInstance();
    // Deletes the tracker (at exit; tests start afresh with it).
    static void DestroyInstance();

    // The name texts of the bits set, in bit order ("PotionMaster:", ...).
    static TString TrophyName(uint32_t bits);

    // No trophies, no counts, no level.
    void Clear();
    // Not owned; null tells nobody.
    void SetListener(iTrophies* listener) { listener_ = listener; }

    // A level starts: its counts and the lost customers start at 0.
    void StartLevel(int level);
    // A player's progress was loaded: the current level's counts, the lost customers and the purchases
    // start at 0, and nothing is left to save.
    void ResetLevelCounters();

    // Each counts one more in the current level, logs the total over all levels and awards the
    // trophy whose threshold the total reaches.
    void CountPotion();
    void CountFeather();
    void CountArtifact();
    void CountFruit();
    // Forgets the served potions of the current and every later level.
    void ClearPotionsFromCurrentLevel();
    void CountLostCustomer();
    // The current level's expert goal was reached.
    void MarkExpert();
    // Before the level's result is saved: the clean-level bit, the runs, the level trophies.
    void LevelEnded(int level, bool won);
    // One more bazaar purchase; answers kUpgradeFreak when that trophy is won by it, else 0.
    uint32_t CountItemBought();

    // Sets the bit; when it is new, logs it, tells the listener and answers true.
    bool AwardTrophy(uint32_t bit);

    bool HasGrandWitch() const { return Has(kGrandWitch); }
    bool HasPotionMaster() const { return Has(kPotionMaster); }
    bool HasPotionMasterGold() const { return Has(kPotionMasterGold); }
    bool HasGoldenPhoenixFeather() const { return Has(kGoldenPhoenixFeather); }
    bool HasMagicCatBelt() const { return Has(kMagicCatBelt); }
    bool HasArtifact() const { return Has(kArtifact); }
    bool HasPlant() const { return Has(kPlant); }
    bool HasPotionPedia() const { return Has(kPotionPedia); }
    bool HasShopMonth() const { return Has(kShopMonth); }
    bool HasShopYear() const { return Has(kShopYear); }
    bool HasUpgradeFreak() const { return Has(kUpgradeFreak); }

    // From the game manager's current progress; false (nothing changed) without one or while
    // changes are unsaved.
    bool LoadFromProfile();
    // Into the game manager's current progress, when there is one; the store is written by the
    // game manager.
    void SaveToProfile();
    // The same two on a given record; LoadFromRecord ignores the unsaved changes.
    void LoadFromRecord(const UserRecord& record);
    void SaveToRecord(UserRecord& record);

    bool IsDirty() const { return dirty_; }
    int GetLevelCount() const { return levelCount_; }
    int GetCurrentLevel() const { return currentLevel_; }
    uint32_t GetTrophyBits() const { return trophyBits_; }
    uint32_t GetCleanLevelBits() const { return cleanLevelBits_; }
    uint32_t GetExpertLevelBits() const { return expertLevelBits_; }
    int GetLostCustomers() const { return lostCustomers_; }
    int GetItemsBought() const { return itemsBought_; }
    const std::vector<int>& GetServedPotions() const { return servedPotions_; }
    const std::vector<int>& GetFeathers() const { return feathers_; }
    const std::vector<int>& GetArtifactsDelivered() const { return artifactsDelivered_; }
    const std::vector<int>& GetFruits() const { return fruits_; }

private:
    clsTrophyTracker();

    // The four per-level counts in the progress record's order.
    std::array<std::vector<int>*, 4> PerLevelCounts();
    void ZeroLevelCounts(int level);
    bool Has(uint32_t bit) const { return (trophyBits_ & bit) != 0; }
    // Adds one to the current level's entry (when it has one), marks the change and answers the total.
    int CountOne(std::vector<int>& perLevel);
    void AwardRuns();

    bool dirty_ = false;
    int levelCount_ = 0;  // the game data's, at most kMaxLevels
    uint32_t trophyBits_ = 0;
    int currentLevel_ = -1;
    std::vector<int> servedPotions_;  // one entry per level
    std::vector<int> feathers_;
    std::vector<int> artifactsDelivered_;
    std::vector<int> fruits_;
    uint32_t cleanLevelBits_ = 0;  // bit i: level i last finished without a lost customer
    int lostCustomers_ = 0;  // in the current level; not saved
    uint32_t expertLevelBits_ = 0;
    int itemsBought_ = 0;
    iTrophies* listener_ = nullptr;
};
