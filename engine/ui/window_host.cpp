#include "engine/ui/window_host.h"

#include "engine/core/app/application.h"

namespace {

class TApplicationWindowHost : public IWindowHost {
public:
    uint32_t GetTimer() override { return ApplicationTimer(); }
    bool HasFocus() override { return !App() || App()->HasFocus(); }
    bool IsHosted() override { return IsHostedMode(); }
    bool IsFrameDone() override { return !App() || App()->IsFrameDone(); }
    bool IsDisplayReady() override { return App() && App()->IsDisplayReady(); }
    int GetMouseMode() override { return App() ? App()->GetMouseMode() : 0; }
    TTaskList* GetTaskList() override { return App() ? &App()->GetTaskList() : nullptr; }
    void PostQuit(int code) override {
        if (App()) App()->PostQuit(code);
    }
    TString GetClipboardText() override { return App() ? App()->GetClipboardText() : TString(); }
    bool StringToClipboard(const TString& text) override { return App() && App()->StringToClipboard(text); }
    void ExecuteLink(const TString& url) override {
        if (App()) App()->ExecuteLink(url);
    }
    TStringTable* GetStringTable() override { return App() ? App()->GetStringTable() : nullptr; }

private:
    static TApplication* App() { return TApplication::Instance(); }
};

}  // namespace

IWindowHost& ApplicationWindowHost() {
    static TApplicationWindowHost host;
    return host;
}
