// Effect files as memory files, and emitter contents to put in them.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "game/shop/particles/particle_format.h"

class MemoryFiles {
public:
    ~MemoryFiles() {
        for (const std::string& name : names_) RegisterMemoryFile(name.c_str(), nullptr, 0);
    }
    void Add(const std::string& name, std::vector<uint8_t> bytes) {
        blocks_.push_back(std::move(bytes));
        names_.push_back(name);
        RegisterMemoryFile(name.c_str(), blocks_.back().data(), blocks_.back().size());
    }
    void Add(const std::string& name, const std::string& text) { Add(name, std::vector<uint8_t>(text.begin(), text.end())); }
    void Add(const std::string& name, const EmitterFile& file) { Add(name, EncodeEmitterFile(file)); }

private:
    std::list<std::vector<uint8_t>> blocks_;
    std::vector<std::string> names_;
};

// One key of still particles with fixed timing: no delay, life 1000 ms, fade-out 200 ms.
inline EmitterFile StillEmitter(uint16_t particles) {
    EmitterFile file;
    file.particleCount = particles;
    file.keyCount = 1;
    file.keyTimes = {0.0f};
    file.keyTransforms.resize(1);
    file.keyParticles.resize(1);
    KeyParticleRecord& key = file.keyParticles[0];
    key.delay = {0, 0};
    key.life = {1000, 1000};
    key.fadeOut = {200, 200};
    for (Range<TransformBlock>* still : {&key.velocity, &key.acceleration})
        still->min.values.fill(0.0f), still->max.values.fill(0.0f);
    return file;
}
