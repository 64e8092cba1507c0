#include "game/shop/particles/particle_fx.h"

namespace {
const float kNoPoints[12] = {};
}

clsParticleFx::clsParticleFx(iParticleFx* owner, const TString& effectPath, int pathCapacity, TRenderer* renderer)
    : owner_(owner), lane_(this, kNoPoints, segmentDurationMs_), system_(renderer), path_(pathCapacity) {
    lane_.SetHandlers(clsSplineLane::kAll);
    ReadParticleFile(system_, effectPath);
}

void clsParticleFx::Play() {
    // Without segments the lane keeps its points and still ends after one segment's time.
    lane_.SetCurve(path_.First() ? path_.Current() : lane_.GetCurve().GetPoints(), segmentDurationMs_);
    lane_.Start();
    system_.Start();
    const float* first = lane_.GetCurve().GetPoints();
    SetPosition(first[0], first[1], first[2]);
}

void clsParticleFx::Update(int ms) {
    lane_.Update(ms);
    system_.Update(ms);
}

void clsParticleFx::Draw() {
    if (visible_) system_.Draw();
}

void clsParticleFx::SetPosition(float x, float y, float z) {
    for (auto& emitter : system_.GetEmitters()) emitter->SetPivot(x, y, z);
}

void clsParticleFx::SetSegment(int index, const float points[12]) {
    if (path_.SetSegment(index, points) && index == path_.GetCursor())
        lane_.SetCurve(points, segmentDurationMs_);
}

void clsParticleFx::SetColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    for (auto& emitter : system_.GetEmitters()) emitter->SetColor(r, g, b, a);
}

void clsParticleFx::Mirror() {
    for (auto& emitter : system_.GetEmitters()) emitter->Mirror();
}

void clsParticleFx::StartSegment() {
    lane_.SetCurve(path_.Current(), segmentDurationMs_);
    lane_.Start();
}

void clsParticleFx::OnLaneCheck(clsSplineLane*, float x, float y, float z, bool* goOn) {
    if (Handled(kMoveCheck)) owner_->OnFxMoveCheck(this, x, y, z, goOn);
}

void clsParticleFx::OnLaneStep(clsSplineLane*, float x, float y, float z, int elapsedMs) {
    SetPosition(x, y, z);
    if (Handled(kMove)) owner_->OnFxMove(this, x, y, z, elapsedMs);
}

void clsParticleFx::OnLaneEnd(clsSplineLane*) {
    if (path_.Next() || (loop_ && path_.First()))
        StartSegment();
    else if (Handled(kEnd))
        owner_->OnFxEnd(this);
}
