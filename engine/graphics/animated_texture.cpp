#include "engine/graphics/animated_texture.h"

#include <algorithm>

#include "engine/graphics/sprite_state.h"

std::shared_ptr<TAnimatedTexture> TAnimatedTexture::Get(const TString& image, const TString& mask,
                                                        const TString& file) {
    TString key = image + ":" + mask + ":" + file;
    TAssetManager* manager = GetAssetManager();
    if (manager)
        if (auto live = AssetCast<TAnimatedTexture>(manager->FindAsset(key))) return live;
    auto texture = std::make_shared<TAnimatedTexture>();
    if (manager) manager->StoreAsset(key, texture);
    AnimSequence& sequence = texture->sequence_;
    if (!sequence.Load(file)) return nullptr;
    if (!image.IsEmpty()) sequence.image = image;
    if (!mask.IsEmpty()) sequence.mask = mask;
    if (!texture->LoadSheet()) return nullptr;
    return texture;
}

// Tried with the description's folder first, then as written.
bool TAnimatedTexture::LoadSheet() {
    TTextureData& data = GetTextureData();
    const AnimSequence& s = sequence_;
    auto load = [&](const TString& image, const TString& mask) {
        data.flags = static_cast<uint8_t>((data.flags | kTextureAlpha) & ~kTextureAlphaByImage);
        return LoadTextureData(&data, image, mask);
    };
    if (s.mask.IsEmpty()) return load(s.folder + s.image, TString()) || load(s.image, TString());
    return load(s.folder + s.image, s.folder + s.mask) || load(s.image, s.mask);
}

const AnimFrame* TAnimatedTexture::CurrentFrame() const {
    int frame = sequence_.currentFrame;
    if (frame < 0 || frame >= sequence_.FrameCount()) return nullptr;
    return &sequence_.frames[static_cast<size_t>(frame)];
}

int TAnimatedTexture::GetWidth() const {
    const AnimFrame* frame = CurrentFrame();
    return frame ? frame->w : 0;
}

int TAnimatedTexture::GetHeight() const {
    const AnimFrame* frame = CurrentFrame();
    return frame ? frame->h : 0;
}

void TAnimatedTexture::SetCurrentFrame(int frame) {
    if (frame >= -1 && frame < sequence_.FrameCount()) sequence_.currentFrame = frame;
}

bool TAnimatedTexture::GetRegistrationPoint(int frame, int* x, int* y) const {
    if (frame < 0 || frame >= sequence_.FrameCount()) return false;
    *x = sequence_.frames[static_cast<size_t>(frame)].regx;
    *y = sequence_.frames[static_cast<size_t>(frame)].regy;
    return true;
}

void TAnimatedTexture::Draw(const TSpriteState& drawState) {
    const AnimFrame* frame = CurrentFrame();
    if (!frame) return;
    TSpriteState state = drawState;
    if (!(state.flags & TSpriteState::kUseAnchor)) {
        float x = static_cast<float>(frame->regx), y = static_cast<float>(frame->regy);
        if (state.flags & TSpriteState::kMirrorX) x = static_cast<float>(frame->w) - x;
        if (state.flags & TSpriteState::kMirrorY) y = static_cast<float>(frame->h) - y;
        state.anchor = TVec2(x, y);
        state.flags |= TSpriteState::kUseAnchor;
    }
    if (frame->HasTransform()) {
        const float* f = frame->xform;
        TMat3 xform(f[0], f[1], 0, f[2], f[3], 0, f[4], f[5], 1);
        state.transform = TMat3::Multiply(xform, state.transform);
    }
    if (frame->w != 0) {
        TRect rect(frame->x, frame->y, frame->x + frame->w, frame->y + frame->h);
        if (state.flags & TSpriteState::kUseSourceRect) {
            const TRect& own = state.sourceRect;
            rect = TRect::Intersect(TRect(own.left + frame->x, own.top + frame->y, own.right + frame->x,
                                          own.bottom + frame->y),
                                    rect);
        }
        state.sourceRect = rect;
        state.flags |= TSpriteState::kUseSourceRect;
    }
    state.colour[3] *= frame->alpha;
    TTexture::Draw(state);
}

void RegisterAnimatedTextureAssetKinds() {
    TAssetKind kind;
    kind.classId = TAnimatedTexture::ClassId();
    kind.makeKey = [](const TString& fileName, const TString&) { return TString("::") + fileName; };
    kind.load = [](const TString& fileName, const TString&) -> std::shared_ptr<TAsset> {
        return TAnimatedTexture::Get(TString(), TString(), fileName);
    };
    RegisterAssetKind("xml", kind);
    RegisterAssetKind("anm", kind);
}
