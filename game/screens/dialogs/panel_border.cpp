#include "game/screens/dialogs/panel_border.h"

#include "engine/graphics/renderer.h"

PanelBorder::PanelBorder(int capacity, int segmentMs)
    : effect_(this, kEffectFile, capacity, TRenderer::Get()) {
    effect_.SetHandlers(clsParticleFx::kEnd);
    effect_.Mirror();
    effect_.SetLoop(false);
    effect_.SetSegmentDuration(segmentMs);
    effect_.SetVisible(false);
}

void PanelBorder::Build(const BorderOutline& outline) {
    outline.LayInto(effect_.GetPath());
    effect_.SetVisible(false);
}

void PanelBorder::Start() {
    effect_.Play();
    effect_.SetVisible(true);
}
