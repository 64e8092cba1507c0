// clsClient: a customer of the shop. It appears at a counter place, waits for the heroine, thinks,
// shows what it wants in a bubble and waits with its patience bar running; served in time it pays
// each item's value and a tip that grows with the patience left, then leaves; when the bar runs out
// it leaves angry and the shop counts it as lost. The seven kinds (one file each) differ only in
// their look, their sounds and how they come and go.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "game/shop/objects/actor.h"

class clsGameInterface;
class clsObjectRequired;
class clsStatusBar;
class iGameAssets;
struct ClientTypeRecord;

// What makes a kind of customer look and sound like itself.
struct CustomerLook {
    const char* kindId;  // its row of the "clients" table
    const char* imagePrefix;  // + appear, stand, ...
    const char* secondStandImage;  // the idle variation
    const char* angryImage;
    const char* appearSound;
    const char* leaveSound;
    float walkSpeed;  // pixels per second; 0 for kinds that never move
    TVec2 shadowOffset;
    float shadowScale;
    const char* preloadImages[9];  // the kind's pictures in preload order, ending with null
    const char* preloadSounds[3];  // ending with null
};

class clsClient : public clsActor {
public:
    enum ServiceState {
        kArriving = 1,  // appearing at its place; a second request may still be added
        kWaitingForAttention = 2,  // the patience bar runs until the heroine comes
        kThinking = 3,  // the thought bubble shows
        kWaitingForItems = 4,  // the wanted items show; deliveries are taken
        kDone = 5,  // served or lost: leaving
    };
    // The body's phases (the actor's state).
    enum Phase {
        kGone = 0,  // the shop deletes the customer
        kAppearing = 1,  // arrival follows the end of the appear animation
        kStanding = 2,  // idle animations
        kAngryStarting = 3,
        kAngryLooping = 4,
        kCalmingDown = 5,
        kTakingItems = 6,
        kLeaving = 7,
        kWalkingIn = 9,  // kinds that walk onto their place
    };

    // Takes the request (null, or one without a picture, leaves the customer wanting nothing).
    clsClient(clsGameInterface* owner, const CustomerLook& look, clsObjectRequired* request, bool variant);
    ~clsClient() override;

    // The two-headed kind's second item; refused (and left to the caller) unless the customer is still
    // arriving, wants one item and the request has a picture.
    bool AddSecondRequest(clsObjectRequired* request);
    // The heroine has come, carrying item when she hands one over (null otherwise).
    void Attend(clsObjectRequired* item);
    // The harp: gives points of patience back and calms an angry customer.
    void AddPatience(float points);
    void SetPatiencePaused(bool paused);
    clsObjectRequired* GetRequest(int index) const;
    int GetNumRequestedItems() const { return static_cast<int>(requests_.size()); }
    // The index of the last wanted item of the same kind and id as item, -1 when none.
    int FindRequest(clsObjectRequired* item) const;
    int FindRequestedPotion(int potionId) const;
    int FindRequestedArtifact(int artifactId) const;
    // Destroys the wanted item matching item; false when none matches.
    bool RemoveRequest(clsObjectRequired* item);
    void SetRequestsVisible(bool visible);
    void CreatePatienceBar();

    // Ignored while the customer jumps away.
    void SetPositionV(const TVec2& position) override;
    void SetPosition(float x, float y) override;
    // Stand.
    void RefreshAnimation() override;
    // Leave.
    void Hook6() override;
    // The awaited animation has ended: the phase machine.
    void OnMoveEnded() override;
    void Update(float dt) override;
    void Draw() override;

    // Starts the arrival at the place the shop has put the customer on.
    virtual void PlayAppear();
    virtual void PlayAngry();
    virtual void PlayTakeItem();
    virtual void PlayStand2();

    int GetServiceState() const { return serviceState_; }
    int GetCustomerType() const { return customerType_; }
    int GetMoneyTotal() const { return moneyTotal_; }
    int GetMoodLevel() const { return moodLevel_; }
    bool IsHeld() const { return hold_; }
    clsStatusBar* GetPatienceBar() const { return patienceBar_.get(); }
    clsAnimatedSprite* GetRequestBubble() const { return requestBubble_.get(); }
    clsAnimatedSprite* GetThoughtBubble() const { return thoughtBubble_.get(); }
    const CustomerLook& GetLook() const { return look_; }

    // Every customer's pictures and sounds; each kind's list adds its own after these.
    static void PreloadClientAnims(iGameAssets& assets);

protected:
    // Shows the kind's picture (prefix + name) on the body and plays the action.
    void Show(const char* image, const char* action);
    void PlaySound(const char* name);
    // The leave animation: paid customers leave content, the others angry.
    void ShowLeaving();
    // The kinds that walk onto their place: from 100 pixels to its left, playing "appear".
    void WalkIn();
    // The kinds that jump away: once the leave animation reaches frame (angryFrame when unpaid) and
    // the body stands still, they jump by offset and can no longer be placed.
    void JumpAwayAtFrame(int paidFrame, int angryFrame, TVec2 offset);
    // The moving kinds' move ends: the walk-in goes on with "DoAnim", the way out ends the leaving.
    void OnWalkEnded();
    void SetHeld() { hold_ = true; }

private:
    // Patience left in points of barPointSeconds (0 without a bar or a point length).
    float PatiencePoints() const;
    const ClientTypeRecord& Type() const;
    void EnterWaitingForAttention();
    void EnterThinking();
    void EnterWaitingForItems();
    void Serve(clsObjectRequired* item);
    int TipFor(float points) const;
    int ApplyTipCharm(int tip);
    void BookPayment(clsObjectRequired& item, int tip);
    void EnterServed();
    void EnterLost();
    void DropPatienceBar();
    void PayForItems();
    void UpdateThinking(float dt);
    void UpdateIdle(float dt);
    void UpdatePatience(float dt);
    void TakeRequest(clsObjectRequired* request);
    void PlaceRequestSprites();
    static bool HasTipCharm();

    clsGameInterface* scene_;
    const CustomerLook& look_;
    bool patiencePaused_ = false;
    float thinkSeconds_ = 0.0f;
    std::unique_ptr<clsStatusBar> patienceBar_;
    int moodLevel_ = 1;
    int serviceState_ = 0;
    int customerType_ = -1;
    int moneyTotal_ = 0;
    int potionMoney_ = 0;
    int fruitMoney_ = 0;
    int artifactMoney_ = 0;
    int tipMoney_ = 0;
    std::vector<std::unique_ptr<clsObjectRequired>> requests_;
    std::unique_ptr<clsAnimatedSprite> requestBubble_;
    std::unique_ptr<clsAnimatedSprite> thoughtBubble_;
    bool hold_ = false;
    float idleSeconds_ = 0.0f;
    enum NextIdle { kNoIdleYet = 0, kSecondStandNext = 1, kFirstStandNext = 2 };
    int nextIdle_ = kNoIdleYet;
};

// Adds the kind's pictures and sounds after every customer's.
void PreloadCustomerLook(iGameAssets& assets, const CustomerLook& look);
