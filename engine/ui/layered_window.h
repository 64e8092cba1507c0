// TLayeredWindow: children grouped into numbered layers of which one is shown at a time (button
// state pictures, tab pages). Children added while the current layer is -1 belong to every layer.
#pragma once

#include <vector>

#include "engine/ui/window.h"

class TLayeredWindow : public TWindow {
public:
    explicit TLayeredWindow(unsigned layerCount);

    static TClassId ClassId();
    const char* GetClassName() const override { return "TLayeredWindow"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // Adds into the current layer, or into all layers while the current layer is -1.
    bool AddChild(TWindow* child, bool attach) override;
    void RemoveChild(TWindow* child) override;

    // Hides every direct child, then shows the layer's children (layer 0's for -1). Selecting the
    // current layer again does nothing.
    void SelectLayer(int layer);
    int GetCurrentLayer() const { return currentLayer_; }
    unsigned GetLayerCount() const { return static_cast<unsigned>(layers_.size()); }

private:
    std::vector<TWindow*>* LayerList(int layer);

    int currentLayer_ = 0;
    std::vector<std::vector<TWindow*>> layers_;  // front first, like the child list
};
