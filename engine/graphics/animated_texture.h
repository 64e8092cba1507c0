// TAnimatedTexture: a picture sheet holding every frame of an animation, with the description that
// cuts it into frames (AnimSequence). Draws its current frame; the animated sprite chooses it.
#pragma once

#include <memory>

#include "engine/graphics/anim_sequence.h"
#include "engine/graphics/texture.h"

class TAnimatedTexture : public TTexture {
    ALEMBRIA_ASSET_CLASS(TAnimatedTexture, TTexture)

public:
    // The live animation under "<image>:<mask>:<file>", else one loaded from the description file
    // (found as written, then with ".xml", then ".anm"); a non-empty image or mask replaces the
    // sheet the description names. Empty when the description or its sheet cannot be loaded. The
    // asset map asks for ("", "", file).
    static std::shared_ptr<TAnimatedTexture> Get(const TString& image, const TString& mask, const TString& file);

    // Draws the current frame (nothing when there is none).
    void Draw(const TSpriteState& state) override;
    // Of the current frame; 0 when there is none.
    int GetWidth() const override;
    int GetHeight() const override;

    int GetFrameCount() const { return sequence_.FrameCount(); }
    int GetCurrentFrame() const { return sequence_.currentFrame; }
    // Accepted for -1 <= frame < count, else ignored.
    void SetCurrentFrame(int frame);
    const TString& GetScript() const { return sequence_.script; }
    const TString& GetFolder() const { return sequence_.folder; }
    // Registration point of the frame; false when there is no such frame.
    bool GetRegistrationPoint(int frame, int* x, int* y) const;
    const AnimSequence& GetSequence() const { return sequence_; }

private:
    const AnimFrame* CurrentFrame() const;
    bool LoadSheet();

    AnimSequence sequence_;
};

// Registers the "xml" and "anm" kinds of the asset map.
void RegisterAnimatedTextureAssetKinds();
