// TAnimatedSprite: a sprite showing one frame of an animated texture, its frame changes driven by a
// script. Each sprite owns a small script environment in which the animation's own script runs as a
// coroutine on the task list: it shows a frame, asks to be woken after a delay and yields.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/graphics/sprite.h"

class TAnimatedTexture;
class TClock;
class TScript;
class TTaskList;

class TAnimatedSprite : public TSprite {
    ALEMBRIA_SPRITE_CLASS(TAnimatedSprite, TSprite)

public:
    explicit TAnimatedSprite(int layer);
    ~TAnimatedSprite() override;

    static std::shared_ptr<TAnimatedSprite> Create(int layer);

    // Draw and HitTest select the current frame on the animation first.
    void Draw(const TSpriteState& parent, int depth) override;
    bool HitTest(const TPoint& point, const TSpriteState& parent, int threshold, int depth) override;
    // Places the image by the current frame's registration point unless the state has an anchor.
    TRect GetRect(const TSpriteState& parent, int depth) override;
    // An animated texture also becomes the animation; anything else clears it.
    void SetTexture(const std::shared_ptr<TTexture>& texture) override;

    // Starts the named script function as a fresh coroutine (the environment is built on first use).
    void Play(const TString& function);
    // Stops the running coroutine; the environment stays.
    void StopScript();
    int GetCurrentFrame() const { return currentFrame_; }
    // 1 without an animation.
    int GetFrameCount() const;
    // The clock the script's waits are measured on (null: the application timer).
    void SetTimeSource(const TClock* timeSource);
    std::shared_ptr<TAnimatedTexture> GetAnimation() const { return animation_; }

    // What the script functions of the same names do.
    void SetCurrentFrame(int frame);
    // Stops the coroutine and drops the environment; the next Play builds a fresh one.
    void Die();
    void Pause(bool pause, int depth);
    // True while this sprite's coroutine (or, for depth != 0, a descendant's) waits in a yield.
    bool IsPlaying(int depth);
    bool Load(const TString& name, const TString& image, const TString& mask);
    TString GetScript() const;
    void SetAlpha(float alpha);
    void RemoveSprite();
    // The coroutine's task, for the script function that schedules it; null when none runs.
    TScript* GetThread() const { return thread_; }

private:
    void InitScript();
    void RegisterFunctions();
    void TearDownThread();
    void RestoreGlobals();
    void RetireEnvironment();
    void DisposeEnvironment(TScript* environment);
    void SelectFrame();

    int currentFrame_ = 0;
    std::shared_ptr<TAnimatedTexture> animation_;
    const TClock* timeSource_ = nullptr;
    TScript* environment_ = nullptr;
    TScript* thread_ = nullptr;
    TScript* retiredEnvironment_ = nullptr;
    TScript* retiredThread_ = nullptr;
};

// The task list the sprite scripts run on: the application's, or one of its own while no
// application exists (tools and tests run it themselves).
TTaskList& AnimationTaskList();

// Binds the script functions of sprite into the environment's globals (animated_sprite_script.cpp).
void RegisterAnimatedSpriteFunctions(TScript& environment, TAnimatedSprite* sprite);
// Makes the environment's functions do nothing from now on: its sprite is gone.
void UnbindAnimatedSpriteFunctions(TScript& environment);
// The built-in animation functions, run in every new environment under the chunk name "ganimationscript".
extern const char kAnimationScript[];
