// Widgets on the headless window system: style tables written as script source, pictures painted
// by the test and served from memory, and a dialog that notes the messages it hears.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ui/modal_window.h"
#include "engine/ui/window_style.h"
#include "tests/engine/ui/ui_harness.h"

// A dialog writing "type:name" for every message it hears into the log.
class RecordingDialog : public TModalWindow {
public:
    explicit RecordingDialog(std::vector<std::string>& log) : log_(log) {}
    bool OnMessage(TMessage* message) override;

private:
    std::vector<std::string>& log_;
};

class WidgetTest : public UiHarness {
protected:
    void SetUp() override;
    void TearDown() override;

    // The table the script source evaluates to, read as a window style.
    TWindowStyle& Style(const std::string& table);
    // A PNG picture under name; paint(x, y) answers 0xAARRGGBB.
    void AddPicture(const std::string& name, int width, int height, const std::function<uint32_t(int, int)>& paint);
    void AddSolidPicture(const std::string& name, int width, int height, uint32_t argb) {
        AddPicture(name, width, height, [argb](int, int) { return argb; });
    }

    // Creates the window as the window script does: attached to the parent, initialised from the
    // style, its style children added by addChildren, then completed.
    template <class T>
    T* Create(TWindow* parent, const std::string& style, const std::function<void(T*)>& addChildren = nullptr) {
        auto* window = new T();
        parent->AddChild(window, true);
        TWindowStyle& read = Style(style);
        window->Init(read);
        if (addChildren) addChildren(window);
        window->PostCreate(read);
        return window;
    }

    // Delivers the posted messages.
    void Deliver() { manager->ProcessMessages(); }
    // A window's centre in screen coordinates.
    static TPoint Centre(const TWindow* window);

    std::vector<std::string> heard;  // what the dialog heard
    RecordingDialog* dialog = nullptr;

private:
    std::vector<std::unique_ptr<TLuaObjectWrapper>> tables_;
    std::vector<std::unique_ptr<TWindowStyle>> styles_;
    std::vector<std::vector<uint8_t>> files_;
    std::vector<std::string> fileNames_;
};
