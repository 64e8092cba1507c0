// The level's shop, built when the window is initialised: every object from the level's record and
// the player's saved level, in the order in which they are made.
#include <algorithm>

#include "engine/graphics/text_sprite.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/screen/saved_level.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/screen/shop_layout.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr char kSignAppears[] = "gui/open_closed_appears";
constexpr float kSignTextColor[4] = {1.0f, 0.945f, 0.357f, 1.0f};
constexpr char kCharmSparkleTexture[] = "effects/stars_stand";

// The object's position, taken by its sprites at once.
template <class Object>
void Place(Object& object, const TVec2& position) {
    object.SetPositionV(position);
    object.Update(0.0f);
}

// The charm picture of the best charm among the charm bits 0..2; null when none of them is set.
const char* CharmTexture(int charmBits) {
    if (charmBits & 0x8) return nullptr;
    if (charmBits & 0x4) return "items/charms/charm4";
    if (charmBits & 0x2) return "items/charms/charm1";
    if (charmBits & 0x1) return "items/charms/charm5";
    return nullptr;
}

// Stored potions are potions of the game or the plant's fruit.
bool IsStorablePotion(int id) {
    return id == clsPotionGraph::kFruitPotion || (id >= 0 && id < static_cast<int>(GetGameTables().potions.size()));
}

}  // namespace

void clsShopGame::Init(TWindowStyle& style) {
    clsGameInterface::Init(style);
    lastFrameMs_ = GetStartTimeMs();
    if (level_) SetUpLevel();
}

void clsShopGame::SetUpLevel() {
    heroine_.reset(new clsPlayer(this));
    heroine_->RefreshAnimation();
    heroine_->SetPositionV(kHeroineStart);
    std::vector<int> ingredients = CollectIngredients();
    CreateMagicBoxes(ingredients);
    CreateCauldrons();
    magicBook_ = std::make_unique<clsMagicBookPaper>(this, kMagicBookPosition.x, kMagicBookPosition.y);
    CreateProps(ingredients);
    CreatePhoenix();
    CreateShelf();
    CreateTable();
    SetUpCharm();
    CreateArtifacts(shelf_.get());
    shelf_->Update(0.0f);
    StartTrophyTracker();
    CreateSign();
    AddProbeFields();
    state_ = kOpening;
}

// The ingredients of the level's recipes in the order of first use; the phoenix's is not in a box.
std::vector<int> clsShopGame::CollectIngredients() const {
    const std::vector<PotionRecord>& potions = GetGameTables().potions;
    std::vector<int> ingredients;
    for (int potion : level_->potions) {
        if (potion < 0 || potion >= static_cast<int>(potions.size())) continue;
        for (int id : potions[static_cast<size_t>(potion)].ingredients) {
            if (id == clsIngredientGraph::kPhoenixIngredient) continue;
            if (std::find(ingredients.begin(), ingredients.end(), id) == ingredients.end()) ingredients.push_back(id);
        }
    }
    return ingredients;
}

void clsShopGame::CreateMagicBoxes(const std::vector<int>& ingredients) {
    for (int id : ingredients) {
        if (id < 0 || id >= kMagicBoxCount) continue;
        auto box = std::make_unique<clsMagicBox>(this, id, kMagicBoxParameter);
        box->SetPosition(kMagicBoxColumns[id / 5], kMagicBoxRows[id % 5]);
        if (clsSprite* icon = box->GetIngredient()->GetIcon()) icon->SetBounds(kMagicBoxBounds);
        box->Update(0.0f);
        magicBoxes_.push_back(std::move(box));
    }
}

void clsShopGame::CreateCauldrons() {
    const SavedLevelRecord& saved = CurrentSavedLevel();
    for (int i = 0; i < 3; ++i) {
        if (saved.cauldronLevels[i] == 0) continue;
        auto cauldron = std::make_unique<clsCauldron>(saved.cauldronLevels[i], this, kCauldronPlaces[i]);
        cauldron->Update(0.0f);
        cauldron->SetLoopSound(i);
        cauldrons_.push_back(std::move(cauldron));
    }
}

// The bucket, the harp, the plant and Radaduvoz.
void clsShopGame::CreateProps(const std::vector<int>& ingredients) {
    const SavedLevelRecord& saved = CurrentSavedLevel();
    bucket_.reset(new clsBucket(this));
    Place(*bucket_, kBucketPosition);
    if (saved.harpLevel > 0) {
        harp_.reset(new clsHarp(this, saved.harpLevel));
        Place(*harp_, kHarpPosition);
    }
    if (levelIndex_ >= GetGameTables().levelOfPlant - 1) {
        plant_.reset(new clsPlant(this, ingredients, saved.charmBits));
        Place(*plant_, kPlantPosition);
    }
    radaduvoz_.reset(new clsRadaduvoz(this, this, saved.charmBits));
    radaduvoz_->SetPositionV(kRadaduvozPosition);
}

void clsShopGame::CreatePhoenix() {
    if (levelIndex_ < GetGameTables().levelOfPhoenix - 1) return;
    phoenix_.reset(new clsFenix(this, CurrentSavedLevel().phoenixLevel));
    phoenix_->SetPositionV(kPhoenixPosition);
    phoenix_->GetBody()->SetSpriteFlags(true, false);
    phoenix_->Update(0.0f);
    perch_ = std::make_unique<clsSprite>(this);
    perch_->SetTexture(perch_->GetSceneTexture(kPerchTexture));
    Place(*perch_, kPerchPosition);
}

void clsShopGame::CreateShelf() {
    shelf_ = std::make_unique<clsShelf>(this, kShelfBox.left, kShelfBox.top, kShelfBox.right, kShelfBox.bottom);
    shelf_->BuildSlots(kShelfSlots.offsetX, kShelfSlots.offsetY, kShelfSlots.rows, kShelfSlots.columns,
                       kShelfSlots.cellWidth, kShelfSlots.cellHeight, kShelfSlots.gapY, kShelfSlots.gapX);
    shelf_->SetSpotCount(CurrentSavedLevel().drawerLevel);
    PlaceStoredPotions();
}

// A stored potion goes back on its spot when the spot is open and the id names a potion (or the
// fruit); any other entry leaves the spot empty.
void clsShopGame::PlaceStoredPotions() {
    const auto& stored = CurrentSavedLevel().storedPotions;
    for (int spot = 0; spot < static_cast<int>(stored.size()); ++spot) {
        int id = stored[static_cast<size_t>(spot)];
        if (!IsStorablePotion(id) || !shelf_->IsSpotEnabled(spot)) continue;
        auto* potion = new clsPotionGraph(this, id, true);
        potion->SetSparkleVisible(false);
        shelf_->PlaceItem(potion, spot);
    }
}

void clsShopGame::CreateTable() {
    int shop = levelIndex_ / kLevelsPerShop + 1;
    int position = std::min(shop, kTablePositionCount) - 1;
    table_ = std::make_unique<clsSprite>(this);
    table_->SetTexture(table_->GetSceneTexture(TString::Format("backgrounds/shop_%d/bg_table_0%d", shop, shop)));
    Place(*table_, kTablePositions[position]);
}

void clsShopGame::SetUpCharm() {
    const char* texture = CharmTexture(CurrentSavedLevel().charmBits);
    if (!texture) return;
    charm_ = std::make_unique<clsSprite>(this);
    charm_->SetTexture(charm_->GetSceneTexture(texture));
    Place(*charm_, kCharmPosition);
    charmSparkle_ = std::make_unique<clsAnimatedSprite>(this);
    charmSparkle_->SetTexture(charmSparkle_->GetSceneTexture(kCharmSparkleTexture));
    charmSparkle_->SetPositionV(kCharmPosition);
    charmSparkle_->SetVisible(false);
}

void clsShopGame::CreateArtifacts(clsShelf* shelf) {
    for (int i = 0; level_ && i < level_->artifactsEnabled; ++i) {
        auto* artifact = new clsArtifact(this, i, clsArtifact::kReady);
        if (!shelf->PutInFreeSlot(artifact, 1)) artifact->Destroy();
    }
}

void clsShopGame::StartTrophyTracker() {
    trophies_ = clsTrophyTracker::GetInstance();
    trophies_->SetListener(this);
    if (!trophies_->LoadFromProfile()) trophies_->SaveToProfile();
    trophies_->StartLevel(levelIndex_);
}

// The word under the sign is there first: it shows when the sign's animation ends.
void clsShopGame::CreateSign() {
    signText_ = TTextSprite::Create(kSignTextWidth, kSignTextHeight, kSignTextFlags, ScriptTextFont().CStr(),
                                    kSignTextSize, kSignTextColor, 0);
    TSpriteState& state = signText_->GetState();
    state.transform = TMat3();
    state.transform.m[6] = kSignTextPosition.x;
    state.transform.m[7] = kSignTextPosition.y;
    sign_ = std::make_unique<clsAnimatedSprite>(this);
    sign_->SetTexture(sign_->GetSceneTexture(kSignAppears));
    sign_->SetPositionV(kSignPosition);
    sign_->Play("DoAnim");
    sign_->Update(0.0f);
}
