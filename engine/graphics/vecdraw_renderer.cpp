#include "engine/graphics/vecdraw_renderer.h"

#include "engine/graphics/renderer.h"

#include <vector>

namespace {

// Pre-transformed vertices: z 0.1 and reciprocal w 0.5, as every screen-space line of the renderer.
constexpr float kLineZ = 0.1f;
constexpr float kLineRhw = 0.5f;

class RendererOutput : public TQvMiniVecDraw::Output {
public:
    void DrawRuns(const TVecRun* runs, int count, float startOffset, float endOffset, float yOffset) override {
        TRenderer* renderer = TRenderer::Get();
        if (!renderer) return;
        vertices_.resize(static_cast<size_t>(count) * 2);
        for (int i = 0; i < count; ++i) {
            const TVecRun& run = runs[i];
            float y = run.row + yOffset;
            vertices_[2 * i] = Vertex(run.x0 + startOffset, y, run.colour);
            vertices_[2 * i + 1] = Vertex(run.x1 + endOffset, y, run.colour);
        }
        renderer->SetTexture(nullptr);
        renderer->DrawVertices(PrimitiveLineList, TVertexSet{3, vertices_.data(), count * 2});
    }

private:
    static TVertex Vertex(float x, float y, uint32_t colour) {
        TVertex v;
        v.position = TVec3(x, y, kLineZ);
        v.rhw = kLineRhw;
        v.diffuse = TColor(colour);
        return v;
    }

    std::vector<TVertex> vertices_;
};

}  // namespace

TQvMiniVecDraw& GetVectorRenderer() {
    static RendererOutput output;
    static TQvMiniVecDraw* renderer = [] {
        auto* made = new TQvMiniVecDraw(&output);
        made->SetPixelOffsets(1, 1, 1);  // right for the software rasteriser until a calibration says otherwise
        return made;
    }();
    return *renderer;
}

void CalibrateVectorRendererOnce() {
    static bool calibrated = false;
    if (calibrated) return;
    calibrated = true;
    GetVectorRenderer().Render();
}
