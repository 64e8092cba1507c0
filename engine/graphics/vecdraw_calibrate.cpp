// Calibration of the sub-pixel line offsets against the display: trial runs drawn into a render target
// under every combination of offsets, read back, and the combination that lights exactly the run's pixels
// adopted.
#include "engine/graphics/vecdraw_internal.h"

#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"

#include <cstdlib>

namespace {

constexpr int kTargetWidth = 800, kTargetHeight = 512;
constexpr int kTrials = 128;
constexpr int kCell = 8;              // each trial owns an 8 x 8 cell of the target
constexpr int kRunLength = 2;         // pixels
constexpr int kMostBlankTrials = 75;  // more trials lighting nothing: the batches are too large
constexpr int kSmallBatch = 64;

struct Offsets {
    int a, b, c;
};

Offsets TrialOffsets(int trial) { return {trial % 4, (trial / 4) % 4, trial / 16}; }

void TrialCell(int trial, int* x, int* y) {
    *x = (trial % (kTargetWidth / kCell)) * kCell + kCell / 2;
    *y = (trial / (kTargetWidth / kCell)) * kCell + kCell / 2;
}

bool Lit(uint32_t pixel) { return (pixel & 0xFF) > 127 || ((pixel >> 8) & 0xFF) > 127 || ((pixel >> 16) & 0xFF) > 127; }

}  // namespace

// Draws the trials; false when the pass cannot be begun.
bool TQvMiniVecDraw::DrawTrials(const std::shared_ptr<TTexture>& target) {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer) return false;
    target->GetTextureData().Clear();
    if (!renderer->BeginRenderTarget(target, 0)) return false;
    if (!renderer->Begin2d()) {
        renderer->EndDraw();
        return false;
    }
    SetColor(3, 1, 1, 1, 1);  // slot 2: no other drawing shares it during the pass
    for (int trial = 0; trial < kTrials; ++trial) {
        Offsets o = TrialOffsets(trial);
        SetPixelOffsets(o.a, o.b, o.c);
        int x, y;
        TrialCell(trial, &x, &y);
        batch_.push_back({x, x + kRunLength, y, ramps_[2][31]});
        FlushRuns();
    }
    renderer->End2d();
    renderer->EndDraw();
    return true;
}

void TQvMiniVecDraw::Render() {
    std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(kTargetWidth, kTargetHeight, true);
    if (!target) return;
    for (;;) {
        int blank = 0, best = -1, bestDistance = 0;
        if (DrawTrials(target)) {
            uint32_t* pixels = nullptr;
            int pitch = 0;
            if (target->Lock(&pixels, &pitch)) {
                for (int trial = 0; trial < kTrials; ++trial) {
                    int x, y, lit = 0;
                    bool exact = true;
                    TrialCell(trial, &x, &y);
                    for (int j = y - 1; j <= y + 1; ++j) {
                        for (int i = x - 1; i <= x + kRunLength; ++i) {
                            bool on = Lit(pixels[j * pitch + i]);
                            bool wanted = j == y && i >= x && i < x + kRunLength;
                            lit += on;
                            exact = exact && on == wanted;
                        }
                    }
                    blank += lit == 0;
                    Offsets o = TrialOffsets(trial);
                    int distance = std::abs(o.a - 1) + std::abs(o.b - 1) + std::abs(o.c - 1);
                    if (exact && (best < 0 || distance < bestDistance)) {
                        best = trial;
                        bestDistance = distance;
                    }
                }
                target->Unlock();
            }
        }
        Offsets chosen = best >= 0 ? TrialOffsets(best) : Offsets{1, 1, 1};
        SetPixelOffsets(chosen.a, chosen.b, chosen.c);
        if (blank <= kMostBlankTrials || batchCapacity == kSmallBatch) return;
        batchCapacity = kSmallBatch;
    }
}
