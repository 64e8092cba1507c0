// clsParticleEmitter: one emitter of an effect, read from its binary file. It owns a fixed set of
// particles, spawns them from the ranges of its current key with a random generator of its own (the
// same sequence every time an emitter is made), and draws them as textured quads with additive
// blending. An emitter whose file cannot be read is failed: it takes part in nothing.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/mersenne_twister.h"
#include "engine/core/base/tstring.h"
#include "game/shop/particles/particle.h"
#include "game/shop/particles/particle_format.h"

class TAssetMap;
class TRenderer;
class TTexture;

class clsParticleEmitter {
public:
    // renderer may be null: nothing is drawn, particles still renew.
    clsParticleEmitter(const TString& path, TRenderer* renderer, TAssetMap& assets);

    // Spawns every particle afresh.
    void Start();
    void Update(int ms);
    // Draws the living particles and spawns the dead ones again unless stopped or at their limit.
    void Draw();
    void SpawnParticle(int index);
    // Start and end colour of every new particle.
    void SetColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    // Turns the effect upside down.
    void Mirror();
    void SetStopped(bool stopped) { stopped_ = stopped; }
    // Stopped, and no particle was alive at the last draw.
    bool IsFinished() const { return stopped_ && allDead_; }
    // The point the emitter's particles start from.
    void SetPivot(float x, float y, float z);

    bool IsFailed() const { return failed_; }
    const EmitterFile& GetFile() const { return file_; }
    const std::vector<clsParticle>& GetParticles() const { return particles_; }
    const std::shared_ptr<TTexture>& GetTexture() const { return texture_; }

private:
    bool LoadFile(const TString& path);
    KeyParticleRecord& CurrentKey() { return file_.keyParticles[file_.currentKey]; }
    void DrawParticle(clsParticle& particle);

    std::vector<clsParticle> particles_;
    TRenderer* renderer_;
    TAssetMap& assets_;
    std::shared_ptr<TTexture> texture_;
    bool stopped_ = false;
    bool allDead_ = true;
    bool failed_ = false;
    MersenneTwister random_;
    EmitterFile file_;
    TransformBlock transform_;  // the emitter's own placement
};
