// clsCustomerRoster: who comes into the shop and what they want. It counts the pending arrivals
// down, makes each due customer of the level's sequence with its wanted items and hands it to the
// shop. Items come from the level's plan (its potions and artifacts, shuffled and dealt out pass
// after pass so that seated customers rarely want the same thing), or now and then the plant's fruit.
#pragma once

#include <list>
#include <vector>

#include "game/data/game_tables.h"

class clsClient;
class clsGameInterface;
class clsObjectRequired;
class iGameAssets;

// What the roster asks of the shop: a seat for each new customer and what the seated ones want.
class iCustomerSeats {
public:
    virtual ~iCustomerSeats() = default;
    // Seats the customer at the first free counter place; the shop deletes one it cannot seat.
    virtual void AddCustomer(clsClient* customer) = 0;
    // How many wanted items with that id the seated customers hold.
    virtual int CountCustomersRequestingPotion(int potionId) = 0;
    virtual int CountCustomersRequestingArtifact(int artifactId) = 0;
};

class clsCustomerRoster {
public:
    // What an arrival's customer wants first.
    enum RequestKind {
        kFromPlan = 0,  // the next suitable item of the plan
        kAnyLevelPotion = 1,  // a random potion of the level
        kFirstArtifact = 2,  // the first artifact the level asks for
        kFruit = 3,  // the plant's fruit
    };

    struct PlanEntry {
        enum Kind { kPotion = 1, kArtifact = 2 };
        int kind;
        int id;  // potion id or artifact index
        bool operator==(const PlanEntry&) const = default;
    };

    struct PendingArrival {
        float dueMs;
        int requestKind;
    };

    // Builds and shuffles the item plan of the level (levelIndex names it in the log).
    clsCustomerRoster(clsGameInterface* owner, iCustomerSeats& seats, const LevelRecord& level, int levelIndex);
    ~clsCustomerRoster();
    clsCustomerRoster(const clsCustomerRoster&) = delete;
    clsCustomerRoster& operator=(const clsCustomerRoster&) = delete;

    // An arrival due in lo to hi milliseconds (bounds given the wrong way round are swapped).
    void AddArrival(int lo, int hi, int requestKind);
    // Counts the arrivals down (dt in seconds) and creates the due customers in the order added.
    void Update(float dt);
    void ClearArrivals() { arrivals_.clear(); }
    // The next customer of the sequence, handed to the shop; none when no item could be made for it.
    void CreateCustomer(int requestKind);

    // A new wanted item, or null. With mode 1 or 2 the plan's entries with excludeId are passed over.
    clsObjectRequired* ChooseRequest(int mode, int excludeId);
    // A negative id picks a random potion of the level; null when the level lists none.
    clsObjectRequired* CreatePotionRequest(int potionId);
    // A negative index picks the first artifact the level asks for; null when it asks for none.
    clsObjectRequired* CreateArtifactRequest(int artifactId);

    // The entry that stands for an item: a potion (the fruit among them) or an artifact.
    static PlanEntry EntryFor(clsObjectRequired& item);

    // Set by the shop from the plant's growth stage, in percent.
    void SetFruitChance(int percent) { fruitChancePercent_ = percent; }

    const std::vector<PlanEntry>& GetPlan() const { return plan_; }
    const std::list<PendingArrival>& GetArrivals() const { return arrivals_; }
    int GetPendingArrivalCount() const { return static_cast<int>(arrivals_.size()); }
    int GetFruitRequestsMade() const { return fruitRequestsMade_; }

private:
    void BuildPotionPlan();
    void BuildArtifactPlan();
    void ShufflePlan();
    clsObjectRequired* MakeFirstItem(int requestKind);
    clsObjectRequired* MaybeChooseFruit();
    clsObjectRequired* ScanPlan(int mode, int excludeId);
    // The entry's item unless a seated customer wants it already (relaxed: in any case); null otherwise.
    clsObjectRequired* OfferEntry(const PlanEntry& entry, bool relaxed);
    clsObjectRequired* MakeFruit();
    char NextSequenceLetter();

    clsGameInterface* owner_;
    iCustomerSeats& seats_;
    LevelRecord level_;
    int levelIndex_;
    std::list<PendingArrival> arrivals_;
    int nextLetter_ = 0;
    std::vector<PlanEntry> plan_;
    std::vector<bool> unusedInPass_;  // one per plan entry
    int fruitRequestsMade_ = 0;
    int fruitChancePercent_ = 0;
};

// The pictures and sounds of the kinds of customer the level's sequence names.
void PreloadLevelCustomers(iGameAssets& assets, const LevelRecord& level);
