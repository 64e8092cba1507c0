#include "game/shop/particles/particle_system.h"

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

clsParticleSystem::clsParticleSystem(TRenderer* renderer) : renderer_(renderer) {}

void clsParticleSystem::Start() {
    stopped_ = false;
    for (auto& emitter : emitters_) emitter->Start();
}

void clsParticleSystem::Update(int ms) {
    for (auto& emitter : emitters_) emitter->Update(ms);
}

void clsParticleSystem::Draw() {
    finished_ = true;
    for (auto& emitter : emitters_) {
        emitter->Draw();
        finished_ = finished_ && emitter->IsFinished();
    }
}

void clsParticleSystem::SetStopped(bool stopped) {
    stopped_ = stopped;
    for (auto& emitter : emitters_) emitter->SetStopped(stopped);
}

void clsParticleSystem::Load(const TString& parPath, const ParFile& par) {
    emitters_.clear();
    std::string folder = DirectoryOf(parPath.CStr());
    for (const std::string& name : par.emitterNames)
        emitters_.push_back(std::make_unique<clsParticleEmitter>((folder + name).c_str(), renderer_, assets_));
    par_ = par;
}

bool ReadParticleFile(clsParticleSystem& system, const TString& path) {
    TFile file;
    if (!file.Open(path, kFileReadBinary)) {
        LogPrintf("Particle effect file not found: %s", path.CStr());
        return false;
    }
    char head[kParHeadSize];
    int32_t size = std::max(file.Read(head, sizeof head), 0);
    file.Close();
    system.Load(path, ParseParText(head, static_cast<size_t>(size)));
    return true;
}
