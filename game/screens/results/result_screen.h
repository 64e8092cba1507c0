// clsResultScreen: what the two level result screens share. Each plays its own music, fills a
// two-column table with the money the finished level earned (potions, magic artifacts, fruit of
// the plants, tips, and the day's profit), slides its panel in, and at rest runs the panel's border
// once, shows its own effects, the backdrop "AlphaBackGround" and its continue button. Escape opens
// the pause dialog. Closing the screen tells the host bridge "gameover".
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "engine/core/base/tstring.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/screens/dialogs/fx_window.h"
#include "game/screens/dialogs/panel_border.h"
#include "game/screens/dialogs/screen_music.h"

class clsGameInterface;

class clsResultScreen : public clsFxWindow {
public:
    static constexpr const char* kRowNames = "Potions: \nMagic artifacts: \nFruit of the plants: \nTips: \nThe day's profit";
    static constexpr const char* kPauseScript = "DoModal('scripts/pause.lua')";
    static constexpr int kEscapeKey = 27;

    ~clsResultScreen() override;

    // The value column for the scene's earnings: "$%d" a line for the four categories and the total;
    // $0 on every line without a scene.
    static TString ValueText(const clsGameInterface* scene);

    // Fills the table from the game session's current scene, starts the panel's entry and hides the
    // backdrop and the button until the panel rests.
    void PostCreate(TWindowStyle& style) override;
    // The border runs, every effect shows, and so do the backdrop and the button.
    void PlaceAtRest() override;
    // Escape (the whole key code) opens the pause dialog over this screen.
    bool OnKeyDown(uint8_t key, int modifiers) override;

    PanelBorder& GetBorder() { return border_; }
    const std::vector<std::unique_ptr<clsParticleFx>>& GetEffects() const { return effects_; }

protected:
    clsResultScreen(const char* musicFile, const char* buttonName);

    // Keys reach this screen; the border is built and every effect laid out, hidden.
    void OnFxCreate() override;
    void OnFxUpdate(int elapsedMs) override;
    // The border, then the screen's own effects in the order they were added.
    void OnFxPostDraw() override;

    // One of the screen's own effects, without an end handler; drawn and shown with the others.
    clsParticleFx& AddEffect(const char* file, int pathCapacity);
    // Lays the screen's own effects' paths and starts them as the screen wants them.
    virtual void BuildEffects() = 0;

private:
    const char* buttonName_;
    ScreenMusic music_;
    PanelBorder border_;
    std::vector<std::unique_ptr<clsParticleFx>> effects_;
};

// Lays the curves into the effect's path as its only segments, at depth 0.2.
void LayPath(clsParticleFx& effect, std::span<const OutlineCurve> curves);
