// BazaarPriceTag: the price label beside an add-on in the bazaar: a little tag picture with the
// add-on's cost written on it.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"

class TSprite;
class clsAddon;
class clsSprite;
class iGameScene;

class BazaarPriceTag {
public:
    BazaarPriceTag(iGameScene* owner, const TVec2& position, clsAddon* addon);
    ~BazaarPriceTag();

    void SetPosition(const TVec2& position);
    void SetText(const TString& text);
    void Draw();

    clsAddon* GetAddon() const { return addon_; }
    const TString& GetText() const { return text_; }
    const TVec2& GetPosition() const { return position_; }

private:
    std::shared_ptr<TSprite> label_;  // a text sprite
    std::unique_ptr<clsSprite> background_;
    clsAddon* addon_;
    TString text_;
    TVec2 position_;
};
