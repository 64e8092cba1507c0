// TSlider: a rail of three pictures (top cap, stretched middle, bottom cap) with a draggable thumb,
// vertical or horizontal, holding a value from 0 to 1. Dragging tells the parent at once
// (kSliderValChanged, then kSliderMouseUp on release); a click on the rail beside the thumb asks the
// parent for a page step (kSliderPageUp before the thumb, kSliderPageDown after it).
#pragma once

#include <memory>

#include "engine/ui/window.h"

class TImage;
class TTexture;

class TSlider : public TWindow {
public:
    enum TRailPiece : int { kRailTop = 0, kRailMiddle = 1, kRailBottom = 2, kRailPieces = 3 };

    TSlider();
    ~TSlider() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TSlider"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // "hslider" (else horizontal when "w" > "h"), "railtop", "railmid", "railbot", "sliderimage",
    // "sliderrollimage", "scale", "yoffset", "value". Only the first call reads them.
    void Init(TWindowStyle& style) override;
    void Draw() override;
    bool OnMouseDown(TPoint point) override;
    bool OnMouseUp(TPoint point) override;
    bool OnMouseMove(TPoint point) override;
    bool OnMouseLeave() override;

    float GetValue() const { return value_; }
    // Clamps to 0..1 and moves the thumb; unless silent, tells the parent.
    void SetValue(float value, bool silent);
    bool IsHorizontal() const { return horizontal_; }
    TImage* GetThumb() const { return thumb_; }
    void SetRailTextures(const std::shared_ptr<TTexture> rail[kRailPieces]);
    void SetThumbTextures(const std::shared_ptr<TTexture>& normal, const std::shared_ptr<TTexture>& rollOver);

private:
    void UpdateSize();
    void PlaceThumb();
    // The roll-over picture (the normal one when there is none) or the normal one.
    void ShowThumb(bool rollOver);
    bool IsOnThumb(TPoint point) const;
    void TellParent(int messageType);
    void SetCapture(bool on);
    void DrawRailPiece(const std::shared_ptr<TTexture>& texture, int along, int length);

    bool dragging_ = false;
    bool initialised_ = false;
    TImage* thumb_;  // a child once initialised; owned here until then
    std::shared_ptr<TTexture> thumbTextures_[2];
    std::shared_ptr<TTexture> railTextures_[kRailPieces];
    float value_ = 0.0f;
    float scale_ = 1.0f;
    float railOpacity_ = 1.0f;
    int32_t crossOffset_ = 0;
    int32_t thickness_ = 0;
    bool horizontal_ = false;
};
