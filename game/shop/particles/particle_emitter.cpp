#include "game/shop/particles/particle_emitter.h"

#include <cmath>
#include <numbers>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "game/shop/particles/particle_random.h"

namespace {

constexpr float kDegreesToRadians = std::numbers::pi_v<float> / 180.0f;

// The block as a transform of its own space into its parent's: moved by the pivot, turned by the
// rotation angles, moved by the position. The scale is left to the caller.
TMat4 BlockTransform(const TransformBlock& block) {
    const float* pivot = block.Group(TransformBlock::kPivot);
    const float* rotation = block.Group(TransformBlock::kRotation);
    const float* position = block.Group(TransformBlock::kPosition);
    TMat4 m;
    m.Translate(TVec3(pivot[0], pivot[1], pivot[2]));
    m.RotateEuler(rotation[0] * kDegreesToRadians, rotation[1] * kDegreesToRadians, rotation[2] * kDegreesToRadians);
    m.Translate(TVec3(position[0], position[1], position[2]));
    return m;
}

// The angle of the particle's way from its start point, for particles turned to face it.
float MotionAngle(const clsParticle& particle) {
    float dx = particle.current.values[0] - particle.start.values[0];
    float dy = particle.current.values[1] - particle.start.values[1];
    float length = std::sqrt(dx * dx + dy * dy);
    float angle = length == 0.0f ? 0.0f : std::asin(dy / length);
    return dx < 0.0f ? std::numbers::pi_v<float> - angle : angle;
}

void RandomBlock(MersenneTwister& random, const Range<TransformBlock>& range, TransformBlock& out) {
    for (size_t i = 0; i < out.values.size(); ++i)
        out.values[i] = RandomInRange(random, range.min.values[i], range.max.values[i]);
}

// The velocity block, group by group; a group flagged to start moving along its own start values
// copies them and takes nothing from the random sequence.
void RandomVelocity(MersenneTwister& random, const KeyParticleRecord& key, const TransformBlock& start,
                    TransformBlock& out) {
    const std::pair<uint8_t, int> groups[] = {{KeyParticleRecord::kCopyPosition, TransformBlock::kPosition},
                                              {KeyParticleRecord::kCopyRotation, TransformBlock::kRotation},
                                              {KeyParticleRecord::kCopyScale, TransformBlock::kScale},
                                              {KeyParticleRecord::kCopyPivot, TransformBlock::kPivot}};
    for (auto [copyBit, group] : groups) {
        if (key.velocityFromStart & copyBit) {
            std::copy_n(start.Group(group), 3, out.Group(group));
            continue;
        }
        for (int i = group; i < group + 3; ++i)
            out.values[i] = RandomInRange(random, key.velocity.min.values[i], key.velocity.max.values[i]);
    }
}

void RandomColor(MersenneTwister& random, const Range<ColorBytes>& range, ColorBytes& out) {
    for (size_t c = 0; c < out.rgba.size(); ++c)
        out.rgba[c] = static_cast<uint8_t>(RandomInRange(random, range.min.rgba[c], range.max.rgba[c]));
}

void RandomUv(MersenneTwister& random, const Range<QuadUv>& range, QuadUv& out) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = RandomInRange(random, range.min[i], range.max[i]);
}

uint16_t RandomMs(MersenneTwister& random, const Range<uint16_t>& range) {
    return static_cast<uint16_t>(RandomInRange(random, static_cast<int>(range.min), static_cast<int>(range.max)));
}

}  // namespace

clsParticleEmitter::clsParticleEmitter(const TString& path, TRenderer* renderer, TAssetMap& assets)
    : renderer_(renderer), assets_(assets) {
    failed_ = !LoadFile(path);
}

bool clsParticleEmitter::LoadFile(const TString& path) {
    TFile file;
    if (!file.Open(path, kFileReadBinary)) {
        LogPrintf("Particle emitter file not found: %s", path.CStr());
        return false;
    }
    std::vector<uint8_t> bytes(std::min<size_t>(std::max(file.GetSize(), 0), kMaxEmitterFileSize));
    bytes.resize(std::max(file.Read(bytes.data(), static_cast<int32_t>(bytes.size())), 0));
    file.Close();
    file_ = DecodeEmitterFile(bytes.data(), bytes.size());
    // The track runs from its first key.
    file_.trackA = file_.trackB = file_.trackC = 1;
    file_.currentKey = 0;
    file_.trackE = 0;
    file_.trackF = 0.1f;
    if (file_.keyCount == 0) {
        LogPrintf("Particle emitter file without keys: %s", path.CStr());
        return false;
    }
    particles_.resize(file_.particleCount);
    std::string texture = file_.Texture();
    if (!texture.empty()) {
        std::string name = DirectoryOf(path.CStr()) + StripExtension(texture);
        assets_.AddAsset(name.c_str(), nullptr, false);
        texture_ = assets_.GetTexture(name.c_str());
    }
    return true;
}

void clsParticleEmitter::Start() {
    if (failed_) return;
    file_.currentKey = 0;
    for (size_t i = 0; i < particles_.size(); ++i) {
        particles_[i].cycles = 0;
        SpawnParticle(static_cast<int>(i));
    }
    stopped_ = false;
    allDead_ = true;
}

void clsParticleEmitter::Update(int ms) {
    if (failed_) return;
    bool keepBirth = !CurrentKey().localSpace;
    for (clsParticle& particle : particles_) {
        bool wasAlive = particle.state == clsParticle::kAlive;
        particle.Update(ms);
        if (keepBirth && !wasAlive && particle.state == clsParticle::kAlive) particle.birth = BlockTransform(transform_);
    }
}

void clsParticleEmitter::Draw() {
    if (failed_) return;
    TMat4 saved;
    if (renderer_) {
        renderer_->SetBlendMode(BlendAdditive);
        renderer_->SetTexture(texture_);
        renderer_->GetWorldTransform(&saved);
        renderer_->SetWorldTransform(TMat4::Multiply(BlockTransform(transform_), saved));
    }
    allDead_ = true;
    for (size_t i = 0; i < particles_.size(); ++i) {
        clsParticle& particle = particles_[i];
        if (particle.state == clsParticle::kAlive) {
            DrawParticle(particle);
            allDead_ = false;
        } else if (particle.state == clsParticle::kDead && particle.CanRespawn() && !stopped_) {
            SpawnParticle(static_cast<int>(i));
        }
    }
    if (renderer_) {
        renderer_->SetWorldTransform(saved);
        renderer_->SetBlendMode(BlendAlpha);
    }
}

void clsParticleEmitter::DrawParticle(clsParticle& particle) {
    if (!renderer_) return;
    const KeyParticleRecord& key = CurrentKey();
    TMat4 saved;
    renderer_->GetWorldTransform(&saved);
    TMat4 world = TMat4::Multiply(BlockTransform(particle.current), key.localSpace ? saved : particle.birth);
    if (key.alignToMotion) {
        TMat4 turn;
        turn.RotateZ(MotionAngle(particle));
        world = TMat4::Multiply(turn, world);
    }
    renderer_->SetWorldTransform(world);
    const float* scale = particle.current.Group(TransformBlock::kScale);
    TVertex corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i] = particle.quad[i];
        corners[i].position.x *= scale[0];
        corners[i].position.y *= scale[1];
    }
    renderer_->DrawVertices(PrimitiveTriangleStrip, TVertexSet{2, corners, 4});
    renderer_->SetWorldTransform(saved);
}

void clsParticleEmitter::SpawnParticle(int index) {
    clsParticle& particle = particles_[index];
    const KeyParticleRecord& key = CurrentKey();
    RandomBlock(random_, key.start, particle.start);
    RandomVelocity(random_, key, particle.start, particle.velocity);
    RandomBlock(random_, key.acceleration, particle.acceleration);
    RandomColor(random_, key.startColor, particle.startColor);
    RandomColor(random_, key.endColor, particle.endColor);
    RandomUv(random_, key.startUv, particle.startUv);
    RandomUv(random_, key.endUv, particle.endUv);
    particle.delay = RandomMs(random_, key.delay);
    particle.life = RandomMs(random_, key.life);
    particle.fadeOut = RandomMs(random_, key.fadeOut);
    particle.respawnLimit = key.respawnLimit;
    if (!particle.CanRespawn()) return;
    particle.state = clsParticle::kWaiting;
    particle.age = 0;
    particle.fadeRate = particle.fadeOut == 0 ? 0.0f : 255.0f / static_cast<float>(particle.fadeOut);
}

void clsParticleEmitter::SetColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    if (failed_) return;
    ColorBytes color{{r, g, b, a}};
    KeyParticleRecord& key = CurrentKey();
    key.startColor = key.endColor = {color, color};
}

void clsParticleEmitter::Mirror() {
    if (failed_) return;
    KeyParticleRecord& key = file_.keyParticles[0];
    for (Range<TransformBlock>* range : {&key.start, &key.velocity, &key.acceleration}) {
        for (TransformBlock* block : {&range->min, &range->max}) {
            block->values[TransformBlock::kPosition + 1] = -block->values[TransformBlock::kPosition + 1];
            block->values[TransformBlock::kPivot + 1] = -block->values[TransformBlock::kPivot + 1];
        }
    }
}

void clsParticleEmitter::SetPivot(float x, float y, float z) {
    float* pivot = transform_.Group(TransformBlock::kPivot);
    pivot[0] = x, pivot[1] = y, pivot[2] = z;
}
