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

private:
    static TApplication* App() { return TApplication::Instance(); }
};

}  // namespace

IWindowHost& ApplicationWindowHost() {
    static TApplicationWindowHost host;
    return host;
}
