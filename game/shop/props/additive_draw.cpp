#include "game/shop/props/additive_draw.h"

#include "engine/graphics/renderer.h"
#include "game/shop/objects/basic_object.h"

void DrawAdditive(clsBasicObject& object) {
    TRenderer* renderer = TRenderer::Get();
    if (renderer) renderer->SetBlendMode(BlendAdditive);
    object.Draw();
    if (renderer) renderer->SetBlendMode(BlendAlpha);
}
