// What scene objects need from the scene that owns them and from the game's assets. The shop, the
// collapse board, the bazaar and the tutorials implement these (through clsGameInterface); tests use
// small stand-in scenes.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"

class TClock;
class TTexture;
class clsAnimatedSprite;
class clsBasicObject;
class clsCauldron;
class clsClient;
class clsObjectGraph;

// The game session's asset lookups and its effect sounds.
class iGameAssets {
public:
    virtual ~iGameAssets() = default;
    // The loaded texture or animation of that name; empty when it is missing.
    virtual std::shared_ptr<TTexture> GetTexture(const TString& name) = 0;
    // Adds a name to the list loaded before the next scene is built.
    virtual void AddPreloadAnim(const TString& name) = 0;
    // Adds an effect sound (played in the effects group) to the same list.
    virtual void AddPreloadSound(const TString& name) = 0;
    // Plays a loaded effect sound; false when there is no such sound.
    virtual bool PlaySound(const TString& name, bool loop) = 0;
    // Pauses (true) or resumes every playing instance of the sound; false when there is no such sound.
    virtual bool PauseSound(const TString& name, bool pause) = 0;
    // Stops every instance of the sound.
    virtual void StopSound(const TString& name) = 0;
};

// The scene's side of its objects. The hooks after GetAssets are no-ops unless a scene gives them a
// meaning (the shop gives most of them one).
class iGameScene {
public:
    virtual ~iGameScene() = default;
    // Takes an object for deletion at the end of the frame (the scene sets its released flag).
    virtual void QueueRelease(clsBasicObject* object) = 0;
    // An animated sprite's awaited animation has ended.
    virtual void OnAnimationEnded(clsAnimatedSprite* sprite) = 0;
    // An object has arrived at the end of a straight move.
    virtual void Hook32(clsObjectGraph* object) = 0;
    // The scene's clock (milliseconds); stopping it stops the scene's animations.
    virtual const TClock* GetClock() = 0;
    virtual iGameAssets& GetAssets() = 0;

    // Takes over an object (an effect) that the scene then updates, draws and deletes.
    virtual void RegisterObject(clsBasicObject* object) {}
    // The day's time has run out.
    virtual void CloseShop() {}
    // The level is over (after the heroine's win or lose animation).
    virtual void EndLevel(bool won) {}
    // A finished potion's sprite, handed over by its cauldron for the heroine to pick up.
    virtual void ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) {}
    // A served customer's payment, by category, dropped where its body stands.
    virtual void DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                           clsAnimatedSprite* body) {}
    // The scene's money has changed (also by 0).
    virtual void OnMoneyChanged() {}
    // The tip charm has raised a tip.
    virtual void Hook36() {}
    // A customer leaves unserved.
    virtual void OnCustomerLost(clsClient* customer) {}
    // A customer has received the last item it wanted.
    virtual void OnCustomerServed() {}
};
