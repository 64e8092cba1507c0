// clsShopGame ("ShopGameWindow"): the screen a shop day is played on. It builds the level's shop from
// the game data and the player's saved level (heroine, ingredient boxes, cauldrons, recipe book,
// bucket, harp, plant, phoenix, Radaduvoz, shelf, counter table, charm, artifacts, sign), opens the
// shop after a short delay, seats the customers the roster sends, carries picked-up money to the
// score on sparks, closes at the end of the day and, once the last customer is gone and the last coin
// has landed, shows the heroine's joy or disappointment and ends the level.
//
// The class is split by concern:
//   shop_game.cpp          construction, destruction, class identity, script function
//   shop_setup.cpp         SetUpLevel and the charm
//   shop_effects.cpp       floor grid, item offsets, artifacts, money sparks and fireworks
//   shop_preload.cpp       the level's preload list
//   shop_day.cpp           the frame update and the day's states
//   shop_money.cpp         customers, money, goals, the level's result and its end
//   shop_draw.cpp          drawing and the pause of looping sounds
//   shop_animation.cpp     what the end of an animation means to the shop
//   shop_probe.cpp         the headless runs' view of the shop
//   shop_hover.cpp         what the mouse points at, and the cursor
//   shop_clicks.cpp        clicks that give the heroine errands, and their check marks
//   shop_input.cpp         the right button, the keys, and check marks coming off
//   shop_actions.cpp       the errands at the counter and the cauldrons, and the finished potions
//   shop_prop_actions.cpp  the errands at the harp, plant, artifacts, phoenix and shelf
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "engine/scripthost/script_target.h"
#include "game/shop/assistants/artifact_holder.h"
#include "game/shop/customers/roster.h"
#include "game/shop/particles/particle_fx.h"
#include "game/shop/scene/game_interface.h"
#include "game/shop/screen/player_order.h"
#include "game/shop/trophies/trophy_listener.h"

class TSprite;
class clsActor;
class clsArtifact;
class clsBucket;
class clsCauldron;
class clsCellGrid;
class clsControlNumber;
class clsFenix;
class clsGuiScoreGoalTime;
class clsHarp;
class clsMagicBookPaper;
class clsMagicBox;
class clsPlant;
class clsPlayer;
class clsRadaduvoz;
class clsShelf;
class clsSpriteObject;
class clsTrophyTracker;
struct LevelRecord;

// Actors are handed back with Release (their body goes through the scene's release queue).
struct ActorRelease {
    void operator()(clsActor* actor) const;
};
template <class Actor>
using ActorPtr = std::unique_ptr<Actor, ActorRelease>;

class clsShopGame : public clsGameInterface,
                    public iCustomerSeats,
                    public iArtifactHolder,
                    public iTrophies,
                    public iParticleFx,
                    public TScriptTarget {
public:
    // The screen's states; the numbers are those the tutorials and the probe use.
    enum ShopState {
        kConstructed = 0,  // not set up: the update does nothing
        kOpening = 1,      // the opening delay runs
        kOpen = 2,         // customers come
        kClosing = 3,      // the day is over; waits for the places to empty
        kFinishing = 4,    // the result animation plays; clicks are ignored
        kResultShown = 5,  // the level has ended
    };
    // Tags of the screen's particle effects.
    enum EffectTag { kMoneySparkTag = 2, kFireworkTag = 3 };
    static constexpr int kPlaceCount = 4;
    static constexpr int kMoneySparkCount = 3;
    static constexpr int kFireworkCount = 7;

    // A counter place: where a customer stands, where the heroine serves it, and the money it left.
    struct CustomerPlace {
        TVec2 customerSpot;
        TVec2 serviceSpot;
        int moneyTotal = 0;
        int tips = 0;
        int potionMoney = 0;
        int artifactMoney = 0;
        int fruitMoney = 0;
        clsClient* customer = nullptr;  // null when free
        clsAnimatedSprite* moneyItem = nullptr;  // the money on the counter; a scene object
        bool IsBusy() const { return customer || moneyItem; }
    };
    // A finished potion waiting on its cauldron for the heroine, with its stars.
    struct PickupRecord {
        int potionId;
        clsAnimatedSprite* potion;  // scene objects, both owned by the screen
        clsCauldron* cauldron;
        clsAnimatedSprite* stars;
    };
    // The mark on a clicked object until the heroine gets there.
    struct CheckMark {
        clsAnimatedSprite* sprite;  // a scene object owned by the screen
        int kind;
        clsBasicObject* target;
    };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsShopGame"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsShopGame();
    ~clsShopGame() override;

    // Builds the current level's shop (the window's initialisation from its style).
    void Init(TWindowStyle& style) override;
    // The frame's work; see shop_day.cpp.
    bool OnAnimate() override;
    void Draw() override;
    // The player's input (shop_hover.cpp, shop_clicks.cpp, shop_input.cpp); ignored once the day's
    // result plays.
    bool OnMouseMove(TPoint point) override;
    bool OnMouseDown(TPoint point) override;
    bool OnMouseButton(TPoint point, int code) override;
    bool OnKeyDown(uint8_t key, int modifiers) override;

    // Fills the game session's preload list with what a shop level shows and plays.
    static void PreloadAssets(iGameAssets& assets);
    // The same without the customers.
    static void PreloadScreenAssets(iGameAssets& assets);
    // Where an item stands from a holder's anchor (Radaduvoz, the bazaar); (0, 0) outside 0..8.
    static TVec2 GetItemOffset(int index);

    // Scene hooks.
    void RegisterObject(clsBasicObject* object) override;
    void OnAnimationEnded(clsAnimatedSprite* sprite) override;
    void CloseShop() override;
    void EndLevel(bool won) override;
    void Hook32(clsObjectGraph* object) override;
    void ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) override;
    void DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                   clsAnimatedSprite* body) override;
    void OnMoneyChanged() override;
    void Hook36() override;
    void OnCustomerLost(clsClient* customer) override;
    void OnCustomerServed() override;

    // iCustomerSeats: seats a new customer at the first free place.
    void AddCustomer(clsClient* customer) override;
    int CountCustomersRequestingPotion(int potionId) override;
    int CountCustomersRequestingArtifact(int artifactId) override;
    // iArtifactHolder.
    int FindArtifactSlot(int artifactId) override;
    TVec2 GetArtifactSlotPosition(int slot) override;
    void ResetArtifact(int slot) override;
    // iTrophies: shows a trophy won in the shop.
    void OnTrophyGained(clsTrophyTracker* tracker, unsigned bit) override;
    // iParticleFx: a money spark has landed or a firework has burnt out.
    void OnFxEnd(clsParticleFx* effect) override;

    // The heroine's errands (shop_actions.cpp): performs the order on her arrival.
    virtual void PerformAction(clsPlayerOrder* order);
    // A check mark of that kind on the target, (dx, dy) from it and a little off.
    void AddCheckMark(int kind, clsBasicObject* target, float dx, float dy);
    // Takes one mark of that kind off the target.
    void RemoveCheckMark(int kind, clsBasicObject* target);
    // Picks up the money on the place: sent to the score on a spark, booked by kind, tips shown.
    void CollectMoney(int place);

    // The day.
    // Starts one queued errand: the heroine walks to it, or performs it at once when she is there.
    void StartAction(clsPlayerOrder* order);
    void SetSoundsPaused(bool paused);
    // Sends a spark carrying amount from (x, y) to the score; the amount counts when it lands.
    void LaunchMoneySpark(float x, float y, int amount);
    // Advances the money sparks (the tutorials' updates).
    void UpdateEffects(int ms);
    // The recipe book's order goes to the cauldron whose body is object.
    void ResetBookTab(clsBasicObject* object);
    // The book shows potion n, open (the script function "onPotionSelected").
    void OnPotionSelected(int n);
    // Places holding a customer or money.
    int CountBusyPlaces() const;
    // The highest shelf slot holding an item of that id; -1 when none does.
    int FindShelfSlotOf(int itemId) const;

    int GetState() const { return state_; }
    int GetHoverKind() const { return hoverKind_; }
    clsBasicObject* GetHoverObject() const { return hoverObject_; }
    const std::vector<std::unique_ptr<clsPlayerOrder>>& GetOrders() const { return orders_; }
    // The order under way or next; null for an empty queue.
    clsPlayerOrder* CurrentOrder() const;
    const std::vector<PickupRecord>& GetPickups() const { return pickups_; }
    const std::vector<CheckMark>& GetCheckMarks() const { return checkMarks_; }
    int GetServedCount() const { return servedCount_; }
    int GetLostCount() const { return lostCount_; }
    int GetSparksInFlight() const { return sparksInFlight_; }
    bool IsExpertGoalReached() const { return expertGoalReached_; }
    const CustomerPlace& GetPlace(int index) const { return places_.at(static_cast<size_t>(index)); }
    clsPlayer* GetHeroine() const { return heroine_.get(); }
    clsGuiScoreGoalTime* GetScorePanel() const { return scorePanel_.get(); }
    clsCustomerRoster* GetRoster() const { return roster_.get(); }
    clsAnimatedSprite* GetGoalMessage() const { return goalMessage_.get(); }
    clsAnimatedSprite* GetExpertMessage() const { return expertMessage_.get(); }
    clsShelf* GetShelf() const { return shelf_.get(); }
    const std::vector<std::unique_ptr<clsMagicBox>>& GetMagicBoxes() const { return magicBoxes_; }
    const std::vector<std::unique_ptr<clsCauldron>>& GetCauldrons() const { return cauldrons_; }
    clsParticleFx* GetMoneySpark(int index) const { return moneySparks_.at(static_cast<size_t>(index)).get(); }
    clsParticleFx* GetFirework(int index) const { return fireworks_.at(static_cast<size_t>(index)).get(); }
    const std::deque<int>& GetPendingMoney() const { return pendingMoney_; }
    // Set when the level has ended: "win" or "lose"; "none" before.
    const char* GetResultName() const;

protected:
    const LevelRecord* GetLevel() const { return level_; }
    int GetLevelIndex() const { return levelIndex_; }
    // The tutorials stop the day where their script ends.
    void SetState(ShopState state) { state_ = state; }
    // The headless runs' view of the player's saved level (shop_probe.cpp).
    void AddSavedLevelProbeField();

    // The furniture the tutorials teach with; null where the level has none.
    clsMagicBookPaper* GetMagicBook() const { return magicBook_.get(); }
    clsBucket* GetBucket() const { return bucket_.get(); }
    clsRadaduvoz* GetRadaduvoz() const { return radaduvoz_.get(); }
    clsPlant* GetPlant() const { return plant_.get(); }

    // The frame's steps, for screens that run a day of their own (the tutorials).
    // Seconds since the last frame, at most "maxSecsElapsed" when capped.
    float TakeFrameSeconds(bool capped);
    // Which of the furniture that not every level has moves this frame.
    struct MovingParts {
        bool phoenix = true;
        bool harp = true;
        bool plant = true;
    };
    // The shelf, bucket, scene objects, heroine, sign and money numbers, and the parts asked for.
    void UpdateScenery(float dt, MovingParts parts);
    // The ingredient boxes, the recipe book and the cauldrons.
    void UpdateBrewing(float dt);
    // The customers and their money, the heroine's errands, the finished potions, the day's clock
    // (advanced by clockSeconds), the check marks, and the objects released on the way.
    void UpdateCounter(float dt, float clockSeconds);
    // The oldest amount in flight reaches the money.
    void LandMoneySpark();
    void RunScript(const TString& text);

    // What the mouse points at: the kind of object and the object; none for the floor.
    struct Hover {
        int kind = kHoverNothing;
        clsBasicObject* object = nullptr;
    };
    // The first object under the point, in the order a player sees them stacked; the tutorials
    // look only where their step lets the player click.
    virtual Hover FindHover(TPoint point);
    Hover HoverPlaces(TPoint point);
    Hover HoverMagicBoxes(TPoint point);
    Hover HoverPickups(TPoint point);
    Hover HoverCauldrons(TPoint point);
    Hover HoverPhoenix(TPoint point);
    Hover HoverBucket(TPoint point);
    // The bucket, the harp and the plant.
    Hover HoverProps(TPoint point);
    Hover HoverPlant(TPoint point);
    Hover HoverShelf(TPoint point);
    Hover HoverBookPotion(TPoint point);
    // The sprite's hit test on the screen's hit-test layer (threshold -1: its rectangle alone).
    bool SpriteHit(clsSpriteObject* sprite, TPoint point, int threshold) const;
    // The hover goes; the arrow cursor shows.
    void ClearHover();
    // The recipe book's part of a click; false when the click is spent on the book.
    bool BookTakesClick();
    // Queues the errand the hovered object asks for, with its check mark; false when it asks none.
    bool QueueHoverOrder();
    clsCauldron* FindCauldronOf(const clsBasicObject* body) const;

    // The shop's furniture, for screens that build it at places of their own (the bazaar); the
    // shop's destructor deletes whatever they hold.
    ActorPtr<clsPlayer>& HeroineSlot() { return heroine_; }
    std::vector<std::unique_ptr<clsMagicBox>>& MagicBoxList() { return magicBoxes_; }
    std::vector<std::unique_ptr<clsCauldron>>& CauldronList() { return cauldrons_; }
    ActorPtr<clsHarp>& HarpSlot() { return harp_; }
    ActorPtr<clsFenix>& PhoenixSlot() { return phoenix_; }
    std::unique_ptr<clsSprite>& PerchSlot() { return perch_; }
    std::unique_ptr<clsShelf>& ShelfSlot() { return shelf_; }
    std::unique_ptr<clsSprite>& TableSlot() { return table_; }

    // The ingredient ids of the level's recipes but the phoenix's, in the order of first use.
    std::vector<int> CollectIngredients() const;
    // The level's artifacts, put on the shelf's free slots.
    void CreateArtifacts(clsShelf* shelf);

private:
    // Construction (shop_game.cpp, shop_effects.cpp).
    void CreatePlaces();
    void CreateScorePanel();
    void CreateGrid();
    void CreateMoneySparks();
    void CreateFireworks();
    void StartMusic();
    void BindScriptFunctions();
    void DestroyLevel();

    // SetUpLevel's steps (shop_setup.cpp).
    void SetUpLevel();
    void CreateMagicBoxes(const std::vector<int>& ingredients);
    void CreateCauldrons();
    void CreateProps(const std::vector<int>& ingredients);
    void CreatePhoenix();
    void CreateShelf();
    void PlaceStoredPotions();
    void CreateTable();
    void SetUpCharm();
    void StartTrophyTracker();
    void CreateSign();

    // The day (shop_day.cpp).
    void UpdateCharmSparkle(float dt);
    void UpdateByState(float dt);
    void UpdateMessages(float dt);
    void UpdateObjects(float dt);
    void UpdatePlaces(float dt);
    void ServeOrders();
    void UpdatePickups(float dt);
    void UpdateCheckMarks(float dt);
    void ForgetReleasedHover();
    void OnHeroineAnimationEnded();
    void EnterOpen();
    void EnterFinishing();

    // Money and the level's end (shop_money.cpp).
    CustomerPlace* FindPlaceOf(const clsClient* customer);
    void ShowGoalMessage();
    void ShowExpertMessage();
    void ShowLevelResult();
    void SaveWonLevel(int& popupArgument);

    // Clicks (shop_clicks.cpp); each false when the click makes no order.
    bool OrderObject(clsPlayerOrder& order);
    bool OrderWalk(TPoint point, clsPlayerOrder& order);

    // The errands (shop_actions.cpp, shop_prop_actions.cpp), one per order kind.
    void Walk(clsPlayerOrder& order);
    void ServeCustomer(clsPlayerOrder& order);
    void PickUpMoney(clsPlayerOrder& order);
    void TakeIngredient(clsPlayerOrder& order);
    void FillCauldron(clsPlayerOrder& order);
    void LightFire(clsPlayerOrder& order);
    void EmptyCauldron(clsPlayerOrder& order);
    void TakeFinishedPotion(clsPlayerOrder& order);
    void DiscardItem(clsPlayerOrder& order);
    void PlayHarp(clsPlayerOrder& order);
    void TendPlant(clsPlayerOrder& order);
    void UseArtifact(clsPlayerOrder& order);
    void CallPhoenix(clsPlayerOrder& order);
    void TakePhoenixItem(clsPlayerOrder& order);
    void StorePotion(clsPlayerOrder& order);
    void TakeStoredPotion(clsPlayerOrder& order);
    void HarvestFruit();
    // The ends of her errands' animations.
    void FinishThrow();
    void FinishFireStart();
    void FinishInvocation();
    // She holds two items and can take no more.
    bool HandsFull() const;
    void Refuse();
    void PlayEffectSound(const char* name);
    clsAnimatedSprite* StartEffect(const char* texture, const TVec2& position);
    clsArtifact* FindArtifactOf(clsBasicObject* sprite) const;

    // The headless runs' view (shop_probe.cpp).
    void AddProbeFields();
    void AddPlayProbeFields();

    // Effects (shop_effects.cpp).
    void UpdateAllEffects(int ms);
    void PlayMoneySpark();
    void LaunchFirework();

    const LevelRecord* level_ = nullptr;  // null: the level does not exist and nothing is built
    int levelIndex_ = 0;
    int state_ = kConstructed;
    float openingDelaySeconds_ = 0.0f;
    uint32_t lastFrameMs_ = 0;
    std::array<CustomerPlace, kPlaceCount> places_;
    std::unique_ptr<clsCustomerRoster> roster_;
    std::unique_ptr<clsGuiScoreGoalTime> scorePanel_;
    std::unique_ptr<clsCellGrid> grid_;
    std::shared_ptr<TSprite> hoverSprite_;

    ActorPtr<clsPlayer> heroine_;
    std::vector<std::unique_ptr<clsMagicBox>> magicBoxes_;
    std::vector<std::unique_ptr<clsCauldron>> cauldrons_;
    std::unique_ptr<clsMagicBookPaper> magicBook_;
    ActorPtr<clsBucket> bucket_;
    ActorPtr<clsHarp> harp_;
    ActorPtr<clsPlant> plant_;
    ActorPtr<clsRadaduvoz> radaduvoz_;
    ActorPtr<clsFenix> phoenix_;
    std::unique_ptr<clsSprite> perch_;
    std::unique_ptr<clsShelf> shelf_;
    std::unique_ptr<clsSprite> table_;
    std::unique_ptr<clsSprite> charm_;
    std::unique_ptr<clsAnimatedSprite> charmSparkle_;
    float charmSparkleSeconds_ = 0.0f;
    std::unique_ptr<clsAnimatedSprite> sign_;
    std::shared_ptr<TSprite> signText_;
    clsTrophyTracker* trophies_ = nullptr;  // the game's tracker; not owned

    std::vector<clsBasicObject*> sceneObjects_;  // owned; deleted through the release queue
    std::vector<std::unique_ptr<clsPlayerOrder>> orders_;
    int currentOrder_ = -1;
    std::vector<PickupRecord> pickups_;
    std::vector<std::pair<clsAnimatedSprite*, clsCauldron*>> cauldronFires_;  // the fire sprite is a scene object
    std::vector<CheckMark> checkMarks_;
    std::vector<std::unique_ptr<clsControlNumber>> moneyNumbers_;
    int hoverKind_ = 1;
    clsBasicObject* hoverObject_ = nullptr;
    bool pressed_ = false;

    std::unique_ptr<clsAnimatedSprite> goalMessage_;  // null until the goal is reached
    std::unique_ptr<clsAnimatedSprite> expertMessage_;
    float messageSeconds_ = 0.0f;
    bool expertGoalReached_ = false;

    std::array<std::unique_ptr<clsParticleFx>, kMoneySparkCount> moneySparks_;
    int moneySparkIndex_ = 0;
    std::deque<int> pendingMoney_;  // the amounts of the sparks in flight, oldest first
    int sparksInFlight_ = 0;
    std::array<std::unique_ptr<clsParticleFx>, kFireworkCount> fireworks_;
    int fireworkIndex_ = -1;
    int fireworksCount_ = 0;

    int servedCount_ = 0;
    int lostCount_ = 0;
    bool soundsPaused_ = false;
    enum LevelResult { kNoResult, kWon, kLost };
    int result_ = kNoResult;
};
