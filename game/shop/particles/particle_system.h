// clsParticleSystem: the emitters of one effect (at most eight) with the asset map their textures
// live in, and the nine numbers of the effect file.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/files/asset.h"
#include "game/shop/particles/particle_emitter.h"
#include "game/shop/particles/particle_format.h"

class TRenderer;

class clsParticleSystem {
public:
    // renderer may be null: nothing is drawn, particles still renew.
    explicit clsParticleSystem(TRenderer* renderer);

    // Each forwards to every emitter in order.
    void Start();
    void Update(int ms);
    // Draws every emitter; finished afterwards when every emitter is.
    void Draw();
    void SetStopped(bool stopped);
    bool IsStopped() const { return stopped_; }
    bool IsFinished() const { return finished_; }
    void ClearEmitters() { emitters_.clear(); }

    // Replaces the emitters by those the effect file names and keeps its numbers.
    void Load(const TString& parPath, const ParFile& par);
    const std::vector<std::unique_ptr<clsParticleEmitter>>& GetEmitters() const { return emitters_; }
    const ParFile& GetParFile() const { return par_; }

private:
    TRenderer* renderer_;
    TAssetMap assets_;
    bool stopped_ = false;
    bool finished_ = false;
    ParFile par_;
    std::vector<std::unique_ptr<clsParticleEmitter>> emitters_;
};

// Reads a ".par" file into the system; false (the system keeps its emitters) when it cannot be opened.
bool ReadParticleFile(clsParticleSystem& system, const TString& path);
