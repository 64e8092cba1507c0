// PlaceholderWindow: stands in for a window type whose class is still to come, so that no script
// ever meets an unknown type. It is an empty window and logs "[WARN] <type name> is not built yet"
// the first time a script creates one. Each type has a class of its own, so its factory is its
// class identifier.
#pragma once

#include <algorithm>
#include <cstddef>

#include "engine/core/base/log.h"
#include "engine/ui/window.h"

// A type name as a template argument.
template <size_t N>
struct PlaceholderName {
    constexpr PlaceholderName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};

template <PlaceholderName kTypeName>
class PlaceholderWindow : public TWindow {
public:
    static TWindow* Create() {
        static bool warned = false;
        if (!warned) LogPrintf("[WARN] %s is not built yet", kTypeName.text);
        warned = true;
        return new PlaceholderWindow;
    }
    static TClassId ClassId() { return reinterpret_cast<TClassId>(&PlaceholderWindow::Create); }
    const char* GetClassName() const override { return "PlaceholderWindow"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }
};
