#include <gtest/gtest.h>

#include "engine/core/base/mersenne_twister.h"
#include "game/shop/particles/particle_fx.h"
#include "game/shop/particles/particle_random.h"
#include "tests/game/shop/particles/particle_files.h"

namespace {

TEST(ParticleTest, AlphaOverALife) {
    clsParticle particle;
    particle.delay = 100, particle.life = 3000, particle.fadeOut = 500;
    particle.fadeRate = 255.0f / 500;
    particle.startColor.rgba = {10, 200, 0, 255};
    particle.endColor.rgba = {250, 0, 0, 255};
    particle.state = clsParticle::kWaiting;
    struct Step {
        int age;
        clsParticle::State state;
        int alpha, red;
    };
    const Step steps[] = {
        {100, clsParticle::kWaiting, 0, 0},  {101, clsParticle::kAlive, 255, 18},
        {1600, clsParticle::kAlive, 255, 138}, {2600, clsParticle::kAlive, 255, 218},
        {2850, clsParticle::kAlive, 127, 238}, {3000, clsParticle::kAlive, 51, 250},
        {3100, clsParticle::kAlive, 0, 255},  // the colour fraction is past 1 here: clamped, not wrapped
        {3101, clsParticle::kDead, 0, 250},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.age);
        particle.Update(step.age - particle.age);
        EXPECT_EQ(particle.state, step.state);
        if (step.state != clsParticle::kAlive) continue;
        EXPECT_EQ(particle.color.rgba[3], step.alpha);
        EXPECT_EQ(particle.color.rgba[0], step.red);
        EXPECT_EQ(particle.quad[2].diffuse.A(), step.alpha);
    }
    EXPECT_EQ(particle.cycles, 1);
}

TEST(ParticleTest, MotionWithConstantAcceleration) {
    clsParticle particle;
    particle.start.values[0] = 10;
    particle.velocity.values.fill(0.0f);
    particle.acceleration.values.fill(0.0f);
    particle.velocity.values[0] = 4;
    particle.acceleration.values[0] = 2;
    particle.velocity.values[5] = 90;  // degrees per second about z
    particle.life = 5000;
    particle.state = clsParticle::kWaiting;
    particle.Update(2000);
    EXPECT_FLOAT_EQ(particle.current.values[0], 10 + 4 * 2 + 0.5f * 2 * 4);
    EXPECT_FLOAT_EQ(particle.current.values[5], 180);
    EXPECT_FLOAT_EQ(particle.current.values[6], 1);  // the start scale
}

TEST(ParticleRandomTest, RangesReachBothEnds) {
    MersenneTwister random;
    int counts[3] = {};
    float lowest = 1, highest = 0;
    for (int i = 0; i < 3000; ++i) {
        int value = RandomInRange(random, 5, 7);
        ASSERT_GE(value, 5);
        ASSERT_LE(value, 7);
        ++counts[value - 5];
        float f = RandomInRange(random, 0.0f, 1.0f);
        lowest = std::min(lowest, f), highest = std::max(highest, f);
    }
    for (int count : counts) EXPECT_NEAR(count, 1000, 100);
    EXPECT_LT(lowest, 0.01f);
    EXPECT_GT(highest, 0.99f);
    EXPECT_EQ(RandomInRange(random, 9, 9), 9);
    EXPECT_EQ(RandomInRange(random, 2.5f, 2.5f), 2.5f);
}

// An effect over memory files; nothing is drawn (no renderer), particles still renew.
class EffectTest : public testing::Test {
protected:
    void AddEffect(const std::string& par, const EmitterFile& emitter) {
        files.Add("fxtest/" + par, std::string("spark 1"));
        files.Add("fxtest/spark", emitter);
    }
    std::unique_ptr<clsParticleFx> Effect(const std::string& par, int capacity = 4) {
        return std::make_unique<clsParticleFx>(&owner, ("fxtest/" + par).c_str(), capacity, nullptr);
    }
    clsParticleEmitter& Emitter(clsParticleFx& fx) { return *fx.GetSystem().GetEmitters().at(0); }
    static int Alive(const clsParticleEmitter& emitter) {
        int alive = 0;
        for (const clsParticle& p : emitter.GetParticles()) alive += p.state == clsParticle::kAlive;
        return alive;
    }

    class Owner : public iParticleFx {
    public:
        void OnFxEnd(clsParticleFx*) override { ++ends; }
        void OnFxMove(clsParticleFx*, float x, float y, float, int) override { moves.push_back(TVec2(x, y)); }
        int ends = 0;
        std::vector<TVec2> moves;
    } owner;
    MemoryFiles files;
};

TEST_F(EffectTest, TheRespawnLimitLetsEachParticleLiveThatOften) {
    EmitterFile file = StillEmitter(5);
    file.keyParticles[0].respawnLimit = 2;
    AddEffect("limited.par", file);
    auto fx = Effect("limited.par");
    fx->Play();
    clsParticleEmitter& emitter = Emitter(*fx);
    for (int frame = 0; frame < 40; ++frame) {
        fx->Update(100);
        fx->Draw();
    }
    for (const clsParticle& p : emitter.GetParticles()) {
        EXPECT_EQ(p.cycles, 2);
        EXPECT_EQ(p.state, clsParticle::kDead);
    }
    EXPECT_FALSE(fx->GetSystem().IsFinished());  // not stopped
    fx->SetStopped(true);
    fx->Draw();
    EXPECT_TRUE(fx->GetSystem().IsFinished());
}

TEST_F(EffectTest, StoppingEndsRenewalAndTheSystemFinishesWithItsLastParticle) {
    EmitterFile file = StillEmitter(3);
    file.keyParticles[0].life = {500, 900};
    AddEffect("endless.par", file);
    auto fx = Effect("endless.par");
    fx->Play();
    for (int frame = 0; frame < 30; ++frame) fx->Update(100), fx->Draw();
    clsParticleEmitter& emitter = Emitter(*fx);
    EXPECT_GT(emitter.GetParticles()[0].cycles, 2);  // renewed while drawn
    fx->Update(100);
    fx->SetStopped(true);
    EXPECT_TRUE(fx->IsStopped());
    int frames = 0;
    for (fx->Draw(); !fx->GetSystem().IsFinished() && frames < 20; ++frames) {
        EXPECT_GT(Alive(emitter), 0);
        fx->Update(100);
        fx->Draw();
    }
    EXPECT_TRUE(fx->GetSystem().IsFinished());
    EXPECT_EQ(Alive(emitter), 0);
    EXPECT_GT(frames, 0);
    fx->Play();  // playing again starts renewing again
    EXPECT_FALSE(fx->IsStopped());
    for (int frame = 0; frame < 10; ++frame) fx->Update(100), fx->Draw();
    EXPECT_GT(Alive(emitter), 0);
}

TEST_F(EffectTest, AVelocityGroupCopiedFromTheStartTakesNoRandomDraw) {
    EmitterFile file = StillEmitter(1);
    KeyParticleRecord& key = file.keyParticles[0];
    for (auto* range : {&key.start, &key.velocity, &key.acceleration})
        range->min.values.fill(0.0f), range->max.values.fill(1.0f);
    key.velocityFromStart = KeyParticleRecord::kCopyPosition | KeyParticleRecord::kCopyPivot;
    AddEffect("copied.par", file);
    auto fx = Effect("copied.par");
    fx->Play();
    const clsParticle& particle = Emitter(*fx).GetParticles().at(0);

    MersenneTwister reference;  // the emitter's own generator starts from the same fixed key
    std::vector<float> draws(12 + 6 + 12);
    for (float& draw : draws) draw = RandomInRange(reference, 0.0f, 1.0f);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(particle.start.values[i], draws[i]) << i;
    for (int i : {0, 1, 2, 9, 10, 11}) EXPECT_EQ(particle.velocity.values[i], particle.start.values[i]) << i;
    for (int i = 3; i < 9; ++i) EXPECT_EQ(particle.velocity.values[i], draws[12 + i - 3]) << i;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(particle.acceleration.values[i], draws[18 + i]) << i;
}

TEST_F(EffectTest, TheOwnerHearsTheEndOfThePathOnce) {
    AddEffect("path.par", StillEmitter(2));
    const float segment[12] = {0, 0, 0, 10, 0, 0, 20, 0, 0, 30, 0, 0};
    struct Case {
        const char* file;
        int segments;
        bool loop;
        int endsAfter;  // updates of 400 ms until the end call; 0 = never
    };
    const Case cases[] = {
        {"path.par", 1, false, 3},
        {"missing.par", 1, false, 3},
        {"path.par", 2, false, 6},  // each segment runs its whole time: the first one's overshoot is dropped
        {"path.par", 2, true, 0},
        {"path.par", 0, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << ", " << c.segments << " segments, loop " << c.loop);
        owner.ends = 0;
        auto fx = Effect(c.file);
        fx->SetSegmentDuration(1000);
        fx->SetLoop(c.loop);
        fx->SetHandlers(clsParticleFx::kEnd);
        for (int i = 0; i < c.segments; ++i) EXPECT_TRUE(fx->AddSegment(segment));
        fx->Play();
        fx->Draw();
        for (int update = 1; update <= 12; ++update) {
            fx->Update(400);
            EXPECT_EQ(owner.ends, c.endsAfter && update >= c.endsAfter ? 1 : 0) << "update " << update;
        }
    }
}

TEST_F(EffectTest, EmittersFollowTheLane) {
    AddEffect("moving.par", StillEmitter(1));
    auto fx = Effect("moving.par", 1);
    const float segment[12] = {10, 20, 0.5f, 10, 20, 0.5f, 50, 60, 0.5f, 50, 60, 0.5f};
    fx->AddSegment(segment);
    fx->SetSegmentDuration(100);
    fx->SetHandlers(clsParticleFx::kMove);
    fx->Play();
    EXPECT_EQ(owner.moves.size(), 0u);
    fx->Update(100);
    ASSERT_EQ(owner.moves.size(), 1u);
    EXPECT_EQ(owner.moves[0], TVec2(50, 60));
    // The current segment may change under way.
    const float other[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 8, 0};
    EXPECT_FALSE(fx->GetPath().AddSegment(other));  // capacity 1
    fx->SetSegment(0, other);
    fx->Play();
    fx->Update(100);
    EXPECT_EQ(owner.moves.back(), TVec2(7, 8));
}

TEST_F(EffectTest, TwoLoadsOfOneEffectGiveTheSameParticles) {
    EmitterFile file = StillEmitter(16);
    KeyParticleRecord& key = file.keyParticles[0];
    key.delay = {0, 300}, key.life = {200, 900}, key.fadeOut = {50, 150};
    key.start.min.values.fill(-10.0f), key.start.max.values.fill(10.0f);
    key.velocity.min.values.fill(-50.0f), key.velocity.max.values.fill(50.0f);
    key.startColor = {{{0, 0, 0, 0}}, {{255, 255, 255, 255}}};
    AddEffect("twice.par", file);
    auto first = Effect("twice.par"), second = Effect("twice.par");
    for (auto* fx : {first.get(), second.get()}) {
        fx->Play();
        for (int frame = 0; frame < 25; ++frame) fx->Update(50), fx->Draw();
    }
    const auto& a = Emitter(*first).GetParticles();
    const auto& b = Emitter(*second).GetParticles();
    ASSERT_EQ(a.size(), 16u);
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a[i].start, b[i].start);
        EXPECT_EQ(a[i].current, b[i].current);
        EXPECT_EQ(a[i].color, b[i].color);
        EXPECT_EQ(a[i].cycles, b[i].cycles);
        EXPECT_EQ(a[i].age, b[i].age);
    }
    EXPECT_NE(a[0].start, a[1].start);
}

TEST_F(EffectTest, ColourMirrorAndFailedEmitters) {
    EmitterFile file = StillEmitter(2);
    KeyParticleRecord& key = file.keyParticles[0];
    key.start.min.values[1] = 5, key.start.max.values[1] = 6;  // position y
    key.acceleration.min.values[10] = -9;                      // pivot y
    key.velocity.max.values[0] = 3;                             // x stays
    files.Add("fxtest/three.par", std::string("good missing empty 1"));
    files.Add("fxtest/good", file);
    files.Add("fxtest/empty", std::vector<uint8_t>(kEmitterHeadSize, 0));  // a head without keys
    auto fx = Effect("three.par");
    const auto& emitters = fx->GetSystem().GetEmitters();
    ASSERT_EQ(emitters.size(), 3u);
    EXPECT_FALSE(emitters[0]->IsFailed());
    EXPECT_TRUE(emitters[1]->IsFailed());  // no file
    EXPECT_TRUE(emitters[2]->IsFailed());  // no keys
    fx->Mirror();
    fx->SetColor(1, 2, 3, 4);
    const KeyParticleRecord& read = emitters[0]->GetFile().keyParticles[0];
    EXPECT_EQ(read.start.min.values[1], -5);
    EXPECT_EQ(read.start.max.values[1], -6);
    EXPECT_EQ(read.acceleration.min.values[10], 9);
    EXPECT_EQ(read.velocity.max.values[0], 3);
    EXPECT_EQ(read.endColor.max.rgba, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    fx->Play();
    fx->Update(10);
    EXPECT_EQ(Alive(*emitters[0]), 2);
    EXPECT_EQ(emitters[0]->GetParticles()[1].color.rgba, (std::array<uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_TRUE(emitters[2]->GetParticles().empty());
}

}  // namespace
