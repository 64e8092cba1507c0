// clsParticleFx: one particle effect, loaded from its ".par" file, that can travel along a path of
// Bezier segments and tells its owner about its way and its end.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/base/tstring.h"
#include "game/shop/motion/lane.h"
#include "game/shop/particles/fx_path.h"
#include "game/shop/particles/particle_system.h"

class TRenderer;
class clsParticleFx;

// What an effect tells its owner; each call only when the owner asked for it (SetHandlers).
class iParticleFx {
public:
    virtual ~iParticleFx() = default;
    virtual void OnFxMoveCheck(clsParticleFx* effect, float x, float y, float z, bool* goOn) {}
    virtual void OnFxMove(clsParticleFx* effect, float x, float y, float z, int elapsedMs) {}
    // The effect has come to the end of its path (never while it loops).
    virtual void OnFxEnd(clsParticleFx* effect) {}
};

class clsParticleFx : public iLaneEvent {
public:
    enum Handler : uint8_t { kMoveCheck = 1, kMove = 2, kEnd = 4 };

    // renderer may be null: nothing is drawn. A missing file gives an effect without emitters that
    // still travels its path and ends.
    clsParticleFx(iParticleFx* owner, const TString& effectPath, int pathCapacity,
                  TRenderer* renderer);

    // Starts the path from its first segment and the emitters there.
    void Play();
    // The lane, then the particles.
    void Update(int ms);
    void Draw();

    // Moves every emitter's pivot.
    void SetPosition(float x, float y, float z);
    // Overwrites a segment; the current one takes effect at once.
    void SetSegment(int index, const float points[12]);
    bool AddSegment(const float points[12]) { return path_.AddSegment(points); }
    void SetSegmentDuration(int ms) { segmentDurationMs_ = ms; }
    void SetLoop(bool loop) { loop_ = loop; }
    void SetHandlers(uint8_t handlers) { handlers_ = handlers; }
    // Stopped effects renew no particles; the living ones finish their lives.
    void SetStopped(bool stopped) { system_.SetStopped(stopped); }
    bool IsStopped() const { return system_.IsStopped(); }
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    void SetColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    // Runs the effect upside down.
    void Mirror();

    clsParticleSystem& GetSystem() { return system_; }
    clsFxPath& GetPath() { return path_; }

    void OnLaneCheck(clsSplineLane* lane, float x, float y, float z, bool* goOn) override;
    void OnLaneStep(clsSplineLane* lane, float x, float y, float z, int elapsedMs) override;
    void OnLaneEnd(clsSplineLane* lane) override;

private:
    // Puts the lane on the path's current segment and starts it.
    void StartSegment();
    bool Handled(Handler handler) const { return owner_ && (handlers_ & handler); }

    iParticleFx* owner_;
    int segmentDurationMs_ = 3000;
    clsSplineLane lane_;
    clsParticleSystem system_;
    clsFxPath path_;
    bool visible_ = true;
    bool loop_ = false;
    uint8_t handlers_ = 0;
};
