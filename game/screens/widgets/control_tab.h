// controlTab: a window of six layers, like a book's tabbed pages, whose tab buttons the scripts
// show, hide and pick (the scripts' "controlTab"). The script functions "ActivateTabLayer(n)",
// "ActivateButtonsTab(on)" and "ActivateButton(on, id)" reach the newest controlTab. A button's id
// is the number after the last '_' of its name ("btnTab_3" is 3); a hidden button waits far below
// the screen at (0, 2000).
#pragma once

#include <vector>

#include "engine/ui/layered_window.h"
#include "game/screens/scripting/script_functions.h"

class TButton;

class controlTab : public TLayeredWindow {
public:
    static constexpr int kLayerCount = 6;
    static constexpr TPoint kHiddenPoint{0, 2000};

    // A tab button and where it stood when the tab was made.
    struct Tab {
        TButton* button;  // a child; not owned
        int x, y;
        int id;
    };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "controlTab"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TLayeredWindow::IsKindOf(id); }

    controlTab();
    ~controlTab() override;

    // Notes the child buttons with their places and ids.
    void PostCreate(TWindowStyle& style) override;

    // Shows the layer (-1: as the layered window shows it).
    void ActivateTabLayer(int layer);
    // Every tab button back to its place, or away to the hidden point and switched off.
    void ActivateButtonsTab(bool enable);
    // The tab button of that id back to its place or away; nothing for an unknown id.
    void ActivateButton(bool enable, int id);

    const std::vector<Tab>& GetTabs() const { return tabs_; }

private:
    std::vector<Tab> tabs_;  // from the back of the child list to the front: the order the script made them
    ScriptFunctions functions_;
};
