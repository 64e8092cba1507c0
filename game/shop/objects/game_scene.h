// What scene objects need from the scene that owns them and from the game's assets. The shop, the
// collapse board, the bazaar and the tutorials implement these; tests use a small stand-in scene.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"

class TClock;
class TTexture;
class clsAnimatedSprite;
class clsBasicObject;
class clsObjectGraph;

// The game session's asset lookups.
class iGameAssets {
public:
    virtual ~iGameAssets() = default;
    // The loaded texture or animation of that name; empty when it is missing.
    virtual std::shared_ptr<TTexture> GetTexture(const TString& name) = 0;
    // Adds a name to the list loaded before the next scene is built.
    virtual void AddPreloadAnim(const TString& name) = 0;
};

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
};
