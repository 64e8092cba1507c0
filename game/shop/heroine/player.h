// clsPlayer: Tessa, the shopkeeper the player directs. The shop walks her to its objects and, when she
// arrives or when one of her one-shot animations ends, performs the order through the operations
// below. She carries a small stack of items above her hands, plays a random idle animation now and
// then, invokes artifacts with a particle spell and leaves sparkles behind when her shoes are
// upgraded.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "game/shop/heroine/facing.h"
#include "game/shop/objects/actor.h"

class clsArtifact;
class clsBasicObject;
class clsParticleFx;
class clsParticleSystem;
class clsPotionGraph;
class iGameAssets;

class clsPlayer : public clsActor {
public:
    enum State {
        kStanding = 2,
        kTakingItem = 6,
        kWalking = 8,
        kThrowing = 10,  // the first half of a throw into a cauldron
        kThrowingEnd = 11,
        kFiring = 12,  // the first half of lighting a cauldron's fire
        kFiringEnd = 13,
        kWinning = 14,
        kLosing = 16,
        kActivationStart = 17,  // an artifact's invocation: arms up
        kActivationLoop = 18,  // the spell works for the configured time
        kActivationEnd = 19,  // arms down
    };

    // The sparkle on an item she has just taken.
    static constexpr char kTakeEffectTexture[] = "effects/fx_takeitem";
    // Loops while she invokes an artifact.
    static constexpr char kArtifactSound[] = "audio/sfx/artifact_pick";

    // Her speed and shoe sparkles follow the shoes level of the player's current saved level.
    explicit clsPlayer(iGameScene* owner);
    clsPlayer(iGameScene* owner, int shoesLevel);
    // Deletes what she carries and stops the invocation sound.
    ~clsPlayer() override;

    // Off, no random idle animations play (the bazaar).
    void SetIdleVariations(bool enabled) { idleVariationsEnabled_ = enabled; }

    // Walks towards the point, facing the way she goes; false when she stands there already.
    bool WalkTo(TVec2 point) override;
    // The walk for a walking angle in degrees (see WalkAngle); the walk cycle goes on when the
    // picture stays the same.
    void PlayWalk(float degrees);
    // Stands, with or without an item in her hands.
    void RefreshAnimation() override;
    // The body's awaited animation has ended (the shop passes every end of hers on).
    void OnMoveEnded() override;
    void Update(float dt) override;
    // Shoe sparkles, shadow and body, take sparkles, carried items, then the invocation spell.
    void Draw() override;

    // Carrying. The Take operations put a new item on top of her stack; false (nothing taken) for
    // an ingredient without a picture.
    bool TakeIngredient(int ingredientId);
    void TakePotion(int potionId);
    void TakeArtifact(int artifactId);
    // Each removes the top-most item of that kind and id (deleted with the scene's next release);
    // false when she carries none. keepUsed keeps an artifact that is not ready.
    bool RemoveCarriedIngredient(int ingredientId);
    bool RemoveCarriedPotion(int potionId);
    bool RemoveCarriedArtifact(int artifactId, bool keepUsed);
    // A potion or an artifact like the object; false for other kinds.
    bool RemoveCarriedObject(clsBasicObject* object, bool keepUsed);
    // That very item; false when she does not carry it.
    bool RemoveCarried(clsBasicObject* item);
    bool RemoveLastCarried();
    // Hands over the top-most potion, no longer hers (the caller owns it); null when she has none.
    clsPotionGraph* TakeOutPotion();
    // Deletes everything she carries.
    void ClearCarried();

    bool IsCarryingIngredient(int ingredientId) const;
    int CountCarriedIngredients() const;
    int CountCarriedPotions() const;
    int GetNumCarriedItems() const { return static_cast<int>(carried_.size()); }
    // The stack from the bottom; null outside it.
    clsBasicObject* GetCarriedItem(int index) const;
    // Where the item at index sits on her body.
    TVec2 GetCarriedOffset(int index) const;
    // 15 for an ingredient, the item's own value for a potion or an artifact, 0 otherwise.
    int GetCarriedItemValue(int index) const;
    const TVec2& GetCarryAnchor() const { return carryAnchor_; }

    // One-shot animations; the shop reacts to their ends (see the states). Throw and fire remember
    // the cauldron, the activation the artifact, as the action's target.
    void PlayTakeItem();
    void PlayThrow(clsBasicObject* cauldron);
    void PlayThrowEnd();
    void PlayFireStart(clsBasicObject* cauldron);
    void PlayFireEnd();
    void PlayWin();
    void PlayLose();
    void PlayActivated(clsArtifact* artifact);
    clsBasicObject* GetActionTarget() const { return actionTarget_; }
    void ClearActionTarget() { actionTarget_ = nullptr; }

    // Pauses or resumes the invocation sound while it plays.
    void PauseArtifactSound(bool pause);

    bool IsIdleVariationPlaying() const { return idleVariationPlaying_; }
    float GetIdleDelaySeconds() const { return idleDelaySeconds_; }
    float GetActivationSecondsLeft() const { return activationSecondsLeft_; }
    bool IsArtifactSoundPlaying() const { return artifactSoundPlaying_; }
    clsParticleFx* GetInvocationEffect() const { return invocationEffect_.get(); }
    // Null below shoes level 2.
    clsParticleSystem* GetShoesEffect() const { return shoesEffect_.get(); }

private:
    struct CarriedItem {
        std::unique_ptr<clsBasicObject> item;
        clsObjectGraph* display;  // its picture, attached to her body
        TVec2 offset;  // where the picture sits on her body
    };

    void PlayOnBody(const char* texture, const char* action);
    void SetCarryAnchor(const TVec2& anchor);
    void PlayIdleVariation();
    void UpdateIdle(float dt);
    void UpdateActivation(float dt);
    void SetShoesEmitting(bool emitting);

    // Carrying (player_carry.cpp).
    bool Take(std::unique_ptr<clsBasicObject> item);
    void PlayTakeEffect(clsObjectGraph* display);
    // The offset from her body at which an item with that picture goes on the first count items.
    TVec2 NextCarryPosition(const clsObjectGraph* display, size_t count) const;
    void LayOutCarried();
    // Drops the take sparkles of items no longer carried, then lays the stack out again.
    void TidyCarried();
    // The top-most item that matches; carried_.size() when none does.
    template <class Match>
    size_t FindFromTop(Match match) const;
    void DestroyCarried(size_t index);
    // DestroyCarried on the top-most item that matches; false when none does.
    template <class Match>
    bool RemoveTopMost(Match match);

    // The spell and the shoe sparkles (player_effects.cpp).
    void CreateInvocationEffect();
    void StartInvocationEffect();
    void CreateShoesEffect(int shoesLevel);
    void PlaceShoesEffect();

    float activationSecondsLeft_ = 0.0f;
    bool idleVariationPlaying_ = false;
    float idleDelaySeconds_;
    float idleSeconds_ = 0.0f;
    bool idleVariationsEnabled_ = true;
    TVec2 carryAnchor_;
    std::vector<CarriedItem> carried_;  // the bottom of the stack first
    std::vector<std::unique_ptr<clsAnimatedSprite>> takeEffects_;  // each attached to a carried picture
    std::unique_ptr<clsParticleFx> invocationEffect_;
    std::unique_ptr<clsParticleSystem> shoesEffect_;
    clsBasicObject* actionTarget_ = nullptr;
    bool artifactSoundPlaying_ = false;
};

// Her twenty animations, the take sparkle and the invocation sound.
void PreloadPlayerAnims(iGameAssets& assets);
