// Drawing a glow (stars, a tutorial's pointer) added to what lies under it.
#pragma once

class clsBasicObject;

// Draws the object with additive blending, then returns to alpha blending.
void DrawAdditive(clsBasicObject& object);
