#include "game/screens/widgets/control_tab.h"

#include <algorithm>
#include <string>

#include "engine/ui/button.h"
#include "engine/ui/window_spider.h"

namespace {

// Collects the children that are buttons, front first.
class ButtonCollector : public TWindowSpider {
public:
    bool Visit(TWindow* window) override {
        if (window->IsKindOf(TButton::ClassId())) buttons.push_back(static_cast<TButton*>(window));
        return true;
    }

    std::vector<TButton*> buttons;
};

// The number after the last '_' of the name (the whole name when it has none).
int TabId(const TString& name) {
    std::string text = name.CStr();
    size_t underscore = text.rfind('_');
    return TString(underscore == std::string::npos ? text.c_str() : text.c_str() + underscore + 1).ToInt();
}

}  // namespace

TWindow* controlTab::Create() { return new controlTab(); }

TClassId controlTab::ClassId() { return reinterpret_cast<TClassId>(&controlTab::Create); }

controlTab::controlTab() : TLayeredWindow(kLayerCount) {
    functions_.Bind("ActivateTabLayer", this, &controlTab::ActivateTabLayer);
    functions_.Bind("ActivateButtonsTab", this, &controlTab::ActivateButtonsTab);
    functions_.Bind("ActivateButton", this, &controlTab::ActivateButton);
}

controlTab::~controlTab() { functions_.Unbind(); }

void controlTab::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    ButtonCollector collector;
    WalkChildren(collector);
    for (auto button = collector.buttons.rbegin(); button != collector.buttons.rend(); ++button) {
        const TRect& place = (*button)->GetRect();
        tabs_.push_back({*button, place.left, place.top, TabId((*button)->GetName())});
    }
}

void controlTab::ActivateTabLayer(int layer) { SelectLayer(layer); }

void controlTab::ActivateButtonsTab(bool enable) {
    for (auto tab = tabs_.rbegin(); tab != tabs_.rend(); ++tab) {
        if (enable) {
            tab->button->MoveTo(tab->x, tab->y);
        } else {
            tab->button->MoveTo(kHiddenPoint.x, kHiddenPoint.y);
            tab->button->SetToggleState(false);
        }
    }
}

void controlTab::ActivateButton(bool enable, int id) {
    auto tab = std::find_if(tabs_.rbegin(), tabs_.rend(), [id](const Tab& t) { return t.id == id; });
    if (tab == tabs_.rend()) return;
    if (enable) {
        tab->button->MoveTo(tab->x, tab->y);
    } else {
        tab->button->MoveTo(kHiddenPoint.x, kHiddenPoint.y);
    }
}
