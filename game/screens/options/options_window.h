// TOptions: the options dialog (the scripts' "OptionsWindow"), a panel dialog whose "BackGround"
// slides in and whose border runs once round the panel at rest. On opening it shows the display
// mode and the current player's mute setting and volumes, and applies the stored volumes to the
// sound; moving a volume slider changes the volume at once. The script function "SaveVolumes"
// stores both volumes for the current player. The full-screen and mute boxes are the scripts' to
// act on. While it is open, headless runs' probe shows "options" (opening, then rest) and the
// volumes the sound plays at, "sfxvolume" (group 1000) and "musicvolume" (group 1001), × 1000.
//
// | child              | class         | shows                                             |
// | "fullscreen"       | TButton       | the display is full screen                        |
// | "mutebox"          | TButton       | "soundoff" is 1                                   |
// | "sfxlevelslider"   | TSlider       | "soundlevel" / 1000: groups 1000 (effects) and 0 |
// | "musiclevelslider" | TSlider       | "musiclevel" / 1000: group 1001 (music)           |
#pragma once

#include "game/screens/dialogs/panel_dialog.h"
#include "game/screens/scripting/script_functions.h"

class TSlider;

class TOptions : public clsPanelDialog {
public:
    static constexpr int kDefaultLevel = 750;  // a volume × 1000

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TOptions"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    TOptions();
    ~TOptions() override;

    // The controls show the stored settings (the sliders tell the dialog, which applies the
    // volumes), then the panel slides in.
    void PostCreate(TWindowStyle& style) override;
    // A volume slider's change reaches the sound at once; other messages go on.
    bool OnMessage(TMessage* message) override;
    void PlaceAtRest() override;

    // "SaveVolumes": each slider's value × 1000, truncated, as the current player's level.
    void SaveVolumes();

private:
    TSlider* FindSlider(const char* name);
    void ShowStoredSettings();
    void AddProbeFields();

    ScriptFunctions functions_;
    bool atRest_ = false;
};
