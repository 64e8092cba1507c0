// clsFxButton: a button that sparkles (the scripts' "FxButton"). While the pointer rolls over it a
// glitter runs along two arches across its face; pressing it sends a second effect round its
// border. The effects run on the button's own clock and are drawn over its face, their paths laid
// where the button stands when they start.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/base/clock.h"
#include "engine/ui/button.h"
#include "game/shop/particles/particle_fx.h"

class clsFxButton : public TButton, public iParticleFx {
public:
    static constexpr const char* kMoveEffect = "assets/fx/button/mouseMove/mouseMove.par";
    static constexpr const char* kDownEffect = "assets/fx/button/mouseDown/mouseDown.par";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsFxButton"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TButton::IsKindOf(id); }

    clsFxButton();
    ~clsFxButton() override;

    // The button's init, the 33 ms animation, the clock.
    void Init(TWindowStyle& style) override;
    // Shows the normal picture; the style's "fit" is not applied.
    void PostCreate(TWindowStyle& style) override;
    // The children, then the glitter, then the border loop.
    void PostDraw() override;
    // Both effects move on by the clock's time since the last frame.
    bool OnAnimate() override;
    // Roll-over starts the glitter (unless it runs), a press swaps it for the border loop, the
    // normal state stops both, the activated state stops the loop; then the button's own.
    void OnStateChanged(int newState, int oldState) override;

    clsParticleFx& GetMoveFx() { return *moveFx_; }
    clsParticleFx& GetDownFx() { return *downFx_; }

private:
    // Both paths over the button's face as it stands on the screen.
    void BuildPaths();
    // Shows the effect and plays it from its start over the button.
    void Restart(clsParticleFx& effect);

    std::unique_ptr<clsParticleFx> moveFx_;
    std::unique_ptr<clsParticleFx> downFx_;
    TClock clock_;
    uint32_t lastTimeMs_ = 0;
};
