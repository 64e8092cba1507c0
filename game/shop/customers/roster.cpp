#include "game/shop/customers/roster.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "engine/core/base/log.h"
#include "game/shop/customers/customer_kinds.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/scene/game_interface.h"
#include "game/shop/scene/game_random.h"

namespace {

constexpr bool kIconForm = true;  // customers show the small pictures of what they want
constexpr int kScanSteps = 200;  // the plan scan takes kScanSteps + 1 steps at most

template <class Kind>
clsClient* Make(clsGameInterface* owner, clsObjectRequired* request, bool variant) {
    return new Kind(owner, request, variant);
}

// The letters of the level's customer sequence; upper case asks for the kind's second data row.
struct CustomerKind {
    char letter;
    clsClient* (*make)(clsGameInterface*, clsObjectRequired*, bool);
    bool wantsTwoItems;
    void (*preload)(iGameAssets&);
};
constexpr CustomerKind kCustomerKinds[] = {
    {'A', Make<clsMage>, false, PreloadMageAnims},       {'D', Make<clsDruid>, false, PreloadDruidAnims},
    {'M', Make<clsMedusa>, false, PreloadMedusaAnims},   {'O', Make<cls2Head>, true, Preload2HeadAnims},
    {'S', Make<clsShadow>, false, PreloadShadowAnims},   {'V', Make<clsVampire>, false, PreloadVampireAnims},
    {'W', Make<clsWitch>, false, PreloadWitchAnims},
};

// Null for a letter that names no kind.
const CustomerKind* KindOf(char letter) {
    char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (const CustomerKind& kind : kCustomerKinds)
        if (kind.letter == upper) return &kind;
    return nullptr;
}

int IngredientCount(int potionId) {
    const std::vector<PotionRecord>& potions = GetGameTables().potions;
    return potionId >= 0 && potionId < static_cast<int>(potions.size()) ? potions[potionId].ingredientCount : 0;
}

// The list's entry, 0 for an index the list does not reach.
int EntryOrZero(const std::vector<int>& list, int index) {
    return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : 0;
}

const char kUnplannedPotion[] = "[ERROR] The level is asking a potion not considered in the potion types";

}  // namespace

clsCustomerRoster::clsCustomerRoster(clsGameInterface* owner, iCustomerSeats& seats, const LevelRecord& level,
                                     int levelIndex)
    : owner_(owner), seats_(seats), level_(level), levelIndex_(levelIndex) {
    BuildPotionPlan();
    BuildArtifactPlan();
    ShufflePlan();
    unusedInPass_.assign(plan_.size(), true);
}

clsCustomerRoster::~clsCustomerRoster() = default;

// The level's potions, taken in turn, fill the counts of potions per number of ingredients. A
// whole turn that plans nothing ends the plan: the level's potions cannot fill the counts.
void clsCustomerRoster::BuildPotionPlan() {
    std::vector<int> remaining = level_.potionsTypes;
    int total = 0;
    for (int count : remaining) total += std::max(count, 0);
    int planned = 0;
    while (planned < total) {
        bool plannedAny = false, logged = false;
        for (int potion : level_.potions) {
            if (planned == total) break;
            int typeIndex = IngredientCount(potion) - 1;
            if (EntryOrZero(remaining, typeIndex) > 0) {
                plan_.push_back({PlanEntry::kPotion, potion});
                --remaining[static_cast<size_t>(typeIndex)];
                ++planned;
                plannedAny = true;
            } else if (EntryOrZero(level_.potionsTypes, typeIndex) == 0) {
                LogPrintf(kUnplannedPotion);
                logged = true;
            }
        }
        if (plannedAny) continue;
        if (!logged) LogPrintf(kUnplannedPotion);
        break;
    }
}

void clsCustomerRoster::BuildArtifactPlan() {
    for (int artifact = static_cast<int>(level_.artifacts.size()) - 1; artifact >= 0; --artifact)
        for (int i = 0; i < level_.artifacts[static_cast<size_t>(artifact)]; ++i)
            plan_.push_back({PlanEntry::kArtifact, artifact});
}

void clsCustomerRoster::ShufflePlan() {
    for (int i = static_cast<int>(plan_.size()) - 1; i >= 1; --i)
        std::swap(plan_[static_cast<size_t>(i)], plan_[GameRandom() % static_cast<uint32_t>(i + 1)]);
}

// ---- arrivals ------------------------------------------------------------------------------

void clsCustomerRoster::AddArrival(int lo, int hi, int requestKind) {
    if (hi < lo) std::swap(lo, hi);
    uint64_t range = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo) + 1;
    int64_t due = lo + static_cast<int64_t>(GameRandom() % range);
    arrivals_.push_back({static_cast<float>(due), requestKind});
}

void clsCustomerRoster::Update(float dt) {
    std::vector<int> due;
    for (auto arrival = arrivals_.begin(); arrival != arrivals_.end();) {
        arrival->dueMs -= dt * 1000.0f;
        if (arrival->dueMs > 0.0f) {
            ++arrival;
            continue;
        }
        due.push_back(arrival->requestKind);
        arrival = arrivals_.erase(arrival);
    }
    for (int requestKind : due) CreateCustomer(requestKind);
}

// ---- customers -----------------------------------------------------------------------------

// A customer comes only with an item it can want; its second item, when none can be made, stays away.
void clsCustomerRoster::CreateCustomer(int requestKind) {
    clsObjectRequired* first = MakeFirstItem(requestKind);
    if (!first) return;
    PlanEntry firstItem = EntryFor(*first);
    char letter = NextSequenceLetter();
    const CustomerKind* kind = KindOf(letter);
    if (!kind) {
        delete first;
        return;
    }
    bool variant = letter >= 'A' && letter <= 'Z';
    clsClient* customer = kind->make(owner_, first, variant);
    if (kind->wantsTwoItems) {
        clsObjectRequired* second =
            requestKind == kFromPlan ? ChooseRequest(firstItem.kind, firstItem.id) : CreatePotionRequest(-1);
        if (!customer->AddSecondRequest(second)) delete second;
    }
    seats_.AddCustomer(customer);
}

// The letter for the next customer; an exhausted sequence starts again (0 when there is none).
char clsCustomerRoster::NextSequenceLetter() {
    const std::vector<char>& sequence = level_.customersSequence;
    if (nextLetter_ >= static_cast<int>(sequence.size())) {
        LogPrintf("[ERROR] The level %d has asked more customers than design imagined!", levelIndex_);
        nextLetter_ = 0;
    }
    if (sequence.empty()) return 0;
    return sequence[static_cast<size_t>(nextLetter_++)];
}

clsObjectRequired* clsCustomerRoster::MakeFirstItem(int requestKind) {
    switch (requestKind) {
        case kFromPlan:
            return ChooseRequest(-1, -1);
        case kAnyLevelPotion:
            return CreatePotionRequest(-1);
        case kFirstArtifact:
            return CreateArtifactRequest(-1);
        case kFruit:
            return MakeFruit();
        default:
            return nullptr;
    }
}

// ---- wanted items --------------------------------------------------------------------------

clsCustomerRoster::PlanEntry clsCustomerRoster::EntryFor(clsObjectRequired& item) {
    if (clsArtifact* artifact = item.AsArtifact()) return {PlanEntry::kArtifact, artifact->GetArtifactId()};
    return {PlanEntry::kPotion, item.AsPotionGraph()->GetPotionId()};
}

clsObjectRequired* clsCustomerRoster::ChooseRequest(int mode, int excludeId) {
    if (clsObjectRequired* fruit = MaybeChooseFruit()) return fruit;
    return ScanPlan(mode, excludeId);
}

// The fruit, while the plant may still be asked for it and at most one seated customer wants it.
clsObjectRequired* clsCustomerRoster::MaybeChooseFruit() {
    if (fruitChancePercent_ <= 0 || fruitRequestsMade_ >= level_.plantPetitions) return nullptr;
    if (seats_.CountCustomersRequestingPotion(clsPotionGraph::kFruitPotion) > 1) return nullptr;
    if (static_cast<int>(GameRandom() % 101) > fruitChancePercent_) return nullptr;
    ++fruitRequestsMade_;
    return MakeFruit();
}

// Deals the plan out in order, pass after pass, passing over entries a seated customer wants; the
// last step of a long scan takes whatever it reaches.
clsObjectRequired* clsCustomerRoster::ScanPlan(int mode, int excludeId) {
    if (plan_.empty()) return nullptr;
    bool relaxed = false;
    size_t i = 0;
    for (int stepsLeft = kScanSteps; stepsLeft >= 0; --stepsLeft, ++i) {
        if (i == plan_.size()) {
            unusedInPass_.assign(plan_.size(), true);
            i = 0;
        }
        if (!unusedInPass_[i] && !relaxed) continue;
        if ((mode == PlanEntry::kPotion || mode == PlanEntry::kArtifact) && plan_[i].id == excludeId) continue;
        if (clsObjectRequired* item = OfferEntry(plan_[i], relaxed)) {
            unusedInPass_[i] = false;
            return item;
        }
        if (stepsLeft == 1) relaxed = true;
    }
    return nullptr;
}

clsObjectRequired* clsCustomerRoster::OfferEntry(const PlanEntry& entry, bool relaxed) {
    if (entry.kind == PlanEntry::kPotion) {
        if (!relaxed && seats_.CountCustomersRequestingPotion(entry.id) > 0) return nullptr;
        return CreatePotionRequest(entry.id);
    }
    if (!relaxed && seats_.CountCustomersRequestingArtifact(entry.id) > 0) return nullptr;
    return CreateArtifactRequest(entry.id);
}

clsObjectRequired* clsCustomerRoster::CreatePotionRequest(int potionId) {
    if (potionId < 0) {
        if (level_.potions.empty()) return nullptr;
        potionId = level_.potions[GameRandom() % level_.potions.size()];
    }
    return new clsPotionGraph(owner_, potionId, kIconForm);
}

// Artifacts past the end of the level's list are not asked for.
clsObjectRequired* clsCustomerRoster::CreateArtifactRequest(int artifactId) {
    for (int a = 0; artifactId < 0 && a < GetGameTables().artifactCount; ++a)
        if (EntryOrZero(level_.artifacts, a) > 0) artifactId = a;
    if (artifactId < 0) return nullptr;
    return new clsArtifact(owner_, artifactId, clsArtifact::kReady);
}

clsObjectRequired* clsCustomerRoster::MakeFruit() {
    return new clsPotionGraph(owner_, clsPotionGraph::kFruitPotion, kIconForm);
}

void PreloadLevelCustomers(iGameAssets& assets, const LevelRecord& level) {
    for (char letter : level.customerLetters)
        if (const CustomerKind* kind = KindOf(letter)) kind->preload(assets);
}
