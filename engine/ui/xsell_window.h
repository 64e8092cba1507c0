// TXSellWindow ("XSellWindow"): a page promoting other games, filled from "xsell/xsell.xml". Its
// style holds texts "descrip1".."descrip8", link buttons "xsellbutton1".."xsellbutton8", the site
// button "gamesite", the texts "centertext1"/"centertext2" and the logos "sitelogo"/"corvantalogo".
// The newest window answers the script functions "SetupXSell" and "LaunchGameLink(n)".
#pragma once

#include <array>

#include "engine/scripthost/script_target.h"
#include "engine/ui/window.h"

class TXSellWindow : public TWindow, public TScriptTarget {
public:
    static constexpr int kEntryCount = 8;

    TXSellWindow();

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TXSellWindow"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // Fills the texts and links from the data file, hides the unused entries and centres the
    // buttons and logos on their former top-left corners (again on every call).
    void SetupXSell();
    // Opens the link of entry n (1..8), or the site link for 0; other numbers do nothing, and a
    // link that is no http or https address is refused with a log line.
    void LaunchGameLink(int n);

private:
    int ReadEntries();
    void HideUnusedEntries(int used);
    void CentreOnCorner(const TString& name);
    void Hide(const TString& name);

    std::array<TString, kEntryCount + 1> links_;  // [0] the site link, [n] entry n
};
