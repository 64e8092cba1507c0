#include "engine/ui/layered_window.h"

#include <algorithm>

#include "engine/ui/window_manager.h"
#include "engine/ui/window_spider.h"

TLayeredWindow::TLayeredWindow(unsigned layerCount) : layers_(layerCount) {}

TClassId TLayeredWindow::ClassId() {
    static char tag;
    return &tag;
}

std::vector<TWindow*>* TLayeredWindow::LayerList(int layer) {
    if (layer < 0 || static_cast<size_t>(layer) >= layers_.size()) return nullptr;
    return &layers_[static_cast<size_t>(layer)];
}

bool TLayeredWindow::AddChild(TWindow* child, bool attach) {
    if (!TWindow::AddChild(child, attach)) return false;
    if (currentLayer_ == -1) {
        for (auto& layer : layers_) layer.insert(layer.begin(), child);
    } else if (std::vector<TWindow*>* layer = LayerList(currentLayer_)) {
        layer->insert(layer->begin(), child);
    }
    return true;
}

void TLayeredWindow::RemoveChild(TWindow* child) {
    TWindow::RemoveChild(child);
    for (auto& layer : layers_) std::erase(layer, child);
}

void TLayeredWindow::SelectLayer(int layer) {
    if (layer == currentLayer_) return;
    currentLayer_ = layer;
    TWindowClearFlags hide(~static_cast<uint32_t>(kWindowVisible), false);
    WalkChildren(hide);
    if (std::vector<TWindow*>* shown = LayerList(layer == -1 ? 0 : layer)) {
        for (TWindow* child : *shown) child->SetFlags(child->GetFlags() | kWindowVisible);
    }
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}
