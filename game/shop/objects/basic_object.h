// clsBasicObject: the root of every object living on a game scene. The scene owns its objects; an
// object is never deleted while the scene may still walk its list: Destroy queues it and the scene
// deletes queued objects once per frame.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"

class TTexture;
class clsArtifact;
class clsIngredientGraph;
class clsPotionGraph;
class iGameScene;

class clsBasicObject {
public:
    // Type codes; subclasses set theirs after construction.
    enum TypeCode {
        kPlainObject = 0,
        kSprite = 3,
        kAnimatedSprite = 4,
        kIngredientGraph = 6,
        kPotionGraph = 7,
        kArtifact = 8,
    };

    explicit clsBasicObject(iGameScene* owner) : owner_(owner) {}
    virtual ~clsBasicObject() = default;
    clsBasicObject(const clsBasicObject&) = delete;
    clsBasicObject& operator=(const clsBasicObject&) = delete;

    // Without an owner the object deletes itself; with one it is queued for the end of the frame.
    virtual void Destroy();
    // dt in seconds.
    virtual void Update(float dt) = 0;
    virtual void Draw() = 0;

    void AddMark();
    void RemoveMark();
    bool IsMarked() const { return marked_; }
    int GetMarkCount() const { return markCount_; }

    // The object itself as that kind when its type code says so, else null (defined with the kinds).
    clsIngredientGraph* AsIngredientGraph();
    clsPotionGraph* AsPotionGraph();
    clsArtifact* AsArtifact();

    // The texture of that name from the owner scene's assets; empty without an owner.
    std::shared_ptr<TTexture> GetSceneTexture(const TString& name) const;

    iGameScene* GetOwner() const { return owner_; }
    int GetTypeCode() const { return typeCode_; }
    void SetTypeCode(int code) { typeCode_ = code; }
    bool IsReleased() const { return released_; }
    // Set by the scene when it queues the object for deletion.
    void SetReleased() { released_ = true; }

private:
    iGameScene* owner_;
    int typeCode_ = kPlainObject;
    bool released_ = false;
    bool marked_ = false;
    int markCount_ = 0;
};
