// clsGuiWizard ("PanelWizard"): the panel in which the tutorials talk to the player. A parchment
// panel opens, shows a message of the string table and, when the message asks for it, a continue
// button; a new message replaces the shown one without reopening; the panel closes on request. The
// tutorials reach it through the scripts, which call the panel's script functions
// "wizardShowMessage(label, flag, 'x, y')" and "wizardHidePanel()".
//
// The panel's style holds the message text "txtWizard_message" (shown on both layers) and the
// continue button "btnWizard_continue" (layer 0); layer 1 is the panel without the button. The
// style's "x" and "y" place the panel picture's centre inside the window. The probe field "wizard"
// shows the panel's state.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "engine/ui/layered_window.h"
#include "game/screens/scripting/script_functions.h"

class TButton;
class TClock;
class TText;
class clsAnimatedSprite;
class iGameAssets;

class clsGuiWizard : public TLayeredWindow {
public:
    // The panel's states; the numbers are the ones the probe shows.
    enum WizardPanelState {
        Hidden = 0,
        Opening = 1,  // "open" plays; the message shows when it ends
        Closing = 2,  // "close" plays; the panel hides when it ends
        Shown = 3,    // the message (and the button it asks for) shows
    };
    static constexpr int kLayerWithButton = 0;
    static constexpr int kLayerWithoutButton = 1;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsGuiWizard"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TLayeredWindow::IsKindOf(id); }

    clsGuiWizard();
    ~clsGuiWizard() override;

    void Init(TWindowStyle& style) override;
    void PostCreate(TWindowStyle& style) override;
    bool OnAnimate() override;
    void Draw() override;

    // The panel's picture, for the loading screen.
    static void PreloadAssets(iGameAssets& assets);

    // The script functions. position is "x, y" (blanks ignored; a missing number reads 0); flag "1"
    // shows the continue button.
    void wizardShowMessage(TString label, TString flag, TString position);
    void wizardHidePanel();

    int GetState() const { return state_; }
    const TString& GetLabel() const { return label_; }
    bool HasContinue() const { return continue_; }
    clsAnimatedSprite* GetPanel() const { return panel_.get(); }

private:
    // The panel's animation has ended: Opening shows the message, Closing hides the panel.
    void Advance();
    void ShowMessage();
    void PlacePanel();
    void SetTextAlpha(float alpha);
    uint32_t NowMs() const;

    ScriptFunctions functions_;
    const TClock* clock_ = nullptr;
    uint32_t lastMs_ = 0;
    TVec2 panelPosition_;
    std::unique_ptr<clsAnimatedSprite> panel_;
    TString label_;
    bool continue_ = false;
    TText* message_ = nullptr;
    TButton* continueButton_ = nullptr;
    int state_ = Hidden;
};

// "x, y" without its blanks, split at the commas; the first two numbers, 0 for a missing one.
TPoint ParsePanelPosition(const TString& text);
