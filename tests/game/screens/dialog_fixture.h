// Game dialogs on the headless window system with the real window script: a dialog is made as the
// script makes it (attached under a modal window, initialised, its children added, completed) with
// a panel "BackGround" and any further named children, and its frames run on the stepped test
// clock.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>

#include "engine/graphics/animated_texture.h"
#include "engine/graphics/texture.h"
#include "engine/ui/modal_window.h"
#include "tests/engine/ui/window_script_fixture.h"

// While it lives, asset maps load pictures and animations by name as the game's do.
class PictureAssetKinds {
public:
    PictureAssetKinds() {
        RegisterTextureAssetKinds();
        RegisterAnimatedTextureAssetKinds();
    }
    ~PictureAssetKinds() {
        for (const char* extension : {"png", "jpg", "xml", "anm"}) UnregisterAssetKind(extension);
    }
};

class DialogTest : public WindowScriptTest {
protected:
    // Where the panel "BackGround" stands in the dialogs of the tests (screen and parent coordinates).
    inline static const TRect kPanel{180, 150, 620, 450};

    void SetUp() override {
        WindowScriptTest::SetUp();
        modal = PushDialog("dialogs");
    }

    // A full-screen dialog of type T under the modal window, with "BackGround" at kPanel (unless
    // panel is false) and an 80 x 40 child for each further name.
    template <class T>
    T* MakeDialog(std::initializer_list<const char*> names = {}, bool panel = true) {
        return Create<T>(modal, "{ name = 'dialog', x = 0, y = 0, w = 800, h = 600 }", [&](T* dialog) {
            if (panel) AddChildWindow(dialog, "BackGround", kPanel);
            int y = 10;
            for (const char* name : names) AddChildWindow(dialog, name, TRect(10, y, 90, y + 40)), y += 50;
        });
    }

    static TWindow* AddChildWindow(TWindow* parent, const char* name, TRect rect) {
        auto* child = new TWindow();
        child->SetName(name);
        child->MoveTo(rect.left, rect.top);
        child->SetSize(rect.Width(), rect.Height());
        parent->AddChild(child, true);
        return child;
    }

    // Frames of frameMs each for ms in all (the last one shorter when frameMs does not divide ms).
    void RunFrames(TWindow* window, int ms, int frameMs = 16) {
        for (int done = 0; done < ms;) {
            int step = std::min(frameMs, ms - done);
            Advance(static_cast<uint32_t>(step));
            window->OnAnimate();
            done += step;
        }
    }

    static bool Visible(TWindow* window) { return window && window->HasFlags(kWindowVisible); }

    TModalWindow* modal = nullptr;
};
