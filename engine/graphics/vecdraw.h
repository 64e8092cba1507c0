// TQvMiniVecDraw: the one renderer of vector outlines (font glyphs and vector art). It scan-converts a
// shape with 4 x 4 sub-samples per pixel, turns each pixel row's coverage into runs of equal coverage and
// hands them on as horizontal lines; the runs of every shape are cached by outline and drawing parameters,
// so a shape drawn again at the same sub-pixel phase and size is replayed without scan conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TTexture;

// Pixels a run covers: [x0, x1) of one row, in one colour (0xAARRGGBB).
struct TVecRun {
    int x0, x1, row;
    uint32_t colour;
};

// A locked 32-bit texture (blue, green, red, alpha bytes) that runs are written into instead of drawn.
struct TVecTarget {
    uint8_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
    bool copy = false;        // store colour and alpha as they are
    bool accumulate = false;  // add alphas, weight colours by them
};

class TQvMiniVecDraw {
public:
    // Where the runs go when no target is bound: the render context's line lists.
    class Output {
    public:
        virtual ~Output() = default;
        virtual void DrawRuns(const TVecRun* runs, int count, float startOffset, float endOffset,
                              float yOffset) = 0;
    };

    explicit TQvMiniVecDraw(Output* output);
    ~TQvMiniVecDraw();

    // Sets the origin (pixels) and binds target (null: draw through the output).
    bool Begin(float x, float y, const TVecTarget* target = nullptr);
    // Fills the ramp of the colour's slot (32 coverage levels) and its partial-coverage colours.
    void SetColor(int number, float r, float g, float b, float a, float opacity = 1.0f);
    // Draws one shape: limit bounds the outline data; x and y are quarter pixels from the origin.
    void DrawShape(const uint8_t* outline, size_t limit, int x, int y);
    // Draws what is batched and unbinds the target.
    void End();
    void SetPixelOffsets(int a, int b, int c);
    // Calibrates the pixel offsets against the display (once, at display start-up).
    void Render();

    // Transform of the next shapes, set by the caller.
    float scaleX = 1.0f, scaleY = 1.0f;
    float cosine = 1.0f, sine = 0.0f;
    float halfWidth[2] = {0.0f, 0.0f};  // stroke layers 0 and 1, in pixels
    bool slant = false;

    float startOffset = 0.25f, endOffset = 0.25f, yOffset = 0.25f;
    int batchCapacity = 256;

    // Shapes the cache holds; for tests and for the bound on its size.
    size_t CachedShapeCount() const;

private:
    struct Scan;
    struct Cache;
    struct Key;

    void ScanShape(const uint8_t* outline, size_t limit, int phaseX, int y);
    void EmitRun(int x0, int x1, int row, int level, int slot);
    void FlushRuns();
    void WriteRunsToTarget();
    void Replay(size_t first);
    bool DrawTrials(const std::shared_ptr<TTexture>& target);

    Output* output_;
    std::unique_ptr<Scan> scan_;
    std::unique_ptr<Cache> cache_;

    int originX_ = 0, originY_ = 0, phaseX_ = 0, phaseY_ = 0;
    int shapeX_ = 0, shapeY_ = 0;  // the shape's whole-pixel position
    bool recording_ = false;
    TVecTarget target_;
    bool bound_ = false;

    uint32_t ramps_[4][32] = {};
    uint32_t partial_[256][4] = {};
    std::vector<TVecRun> batch_;
};
