#include "engine/ui/xsell_window.h"

#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"
#include "engine/scripthost/script_binding.h"
#include "engine/ui/text.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"

namespace {

TString Numbered(const char* prefix, int n) {
    return TString::Format("%s%d", prefix, n);
}

// Only web addresses reach the desktop's opener: a link of the data file could otherwise name a
// local file or hand itself to another program.
bool IsWebLink(TString link) {
    link.MakeLower();
    return link.Find(TString("http://")) == 0 || link.Find(TString("https://")) == 0;
}

}  // namespace

TXSellWindow::TXSellWindow() {
    TWindowManager* manager = TWindowManager::Get();
    auto* script = manager ? dynamic_cast<TWindowScript*>(manager->GetScript()) : nullptr;
    if (!script) return;
    BindMember(script->GetState(), "SetupXSell", this, &TXSellWindow::SetupXSell);
    BindMember(script->GetState(), "LaunchGameLink", this, &TXSellWindow::LaunchGameLink);
}

TWindow* TXSellWindow::Create() {
    return new TXSellWindow();
}

TClassId TXSellWindow::ClassId() {
    return reinterpret_cast<TClassId>(&TXSellWindow::Create);
}

void TXSellWindow::SetupXSell() {
    HideUnusedEntries(ReadEntries());
    for (int n = 1; n < kEntryCount; ++n) CentreOnCorner(Numbered("xsellbutton", n));
    for (const char* name : {"sitelogo", "corvantalogo", "gamesite"}) CentreOnCorner(name);
}

// Answers the number of entries read.
int TXSellWindow::ReadEntries() {
    TXmlNode root;
    TXmlNode* xsell = root.Load("xsell/xsell.xml") ? root.FindChild("xsell") : nullptr;
    if (!xsell) return 0;
    int n = 0;
    TString name;
    TXmlNode* node = nullptr;
    xsell->ResetChildIterator();
    while (xsell->NextChild(name, node) && n < kEntryCount) {
        if (name != "gameinfo") continue;
        ++n;
        TString button = Numbered("xsellbutton", n);
        TString text = node->GetAttribute("description");
        TString linkText = node->GetAttribute("linktext");
        if (!linkText.IsEmpty())
            text += TString(" <u><font color=\"003cff\"><a id='") + button + "'>" + linkText + "</a></font></u>";
        TWindow* description = FindChild(Numbered("descrip", n));
        if (description && description->IsKindOf(TText::ClassId())) static_cast<TText*>(description)->SetText(text);
        links_[n] = node->GetAttribute("link");
    }
    if (TXmlNode* site = xsell->FindChild("sitelink")) {
        links_[0] = site->GetAttribute("link");
    } else {
        Hide("gamesite");
    }
    if (TXmlNode* centre = xsell->FindChild("centertext")) {
        const char* attributes[] = {"text1", "text2"};
        for (int i = 0; i < 2; ++i) {
            TWindow* window = FindChild(Numbered("centertext", i + 1));
            if (window && window->IsKindOf(TText::ClassId()))
                static_cast<TText*>(window)->SetText(centre->GetAttribute(attributes[i]));
        }
    }
    return n;
}

void TXSellWindow::HideUnusedEntries(int used) {
    for (int m = used + 1; m <= kEntryCount; ++m) {
        Hide(Numbered("descrip", m));
        Hide(Numbered("xsellbutton", m));
    }
}

void TXSellWindow::CentreOnCorner(const TString& name) {
    TWindow* window = FindChild(name);
    if (!window) return;
    TRect global = window->GetGlobalRect();
    window->MoveTo(global.left - window->GetWidth() / 2, global.top - window->GetHeight() / 2);
}

void TXSellWindow::Hide(const TString& name) {
    if (TWindow* window = FindChild(name)) window->SetFlags(window->GetFlags() & ~kWindowVisible);
}

void TXSellWindow::LaunchGameLink(int n) {
    if (n < 0 || n > kEntryCount || links_[n].IsEmpty()) return;
    if (!IsWebLink(links_[n])) {
        LogPrintf("XSell link %d refused (not an http or https address): %s", n, links_[n].CStr());
        return;
    }
    if (TWindowManager* manager = TWindowManager::Get()) manager->Host().ExecuteLink(links_[n]);
}
