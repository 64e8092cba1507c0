// The vector-art renderer of the display: runs become pre-transformed line-list vertex pairs drawn through
// TRenderer. Created with the display and kept for the rest of the program.
#pragma once

#include "engine/graphics/vecdraw.h"

TQvMiniVecDraw& GetVectorRenderer();
// Calibrates the renderer's pixel offsets the first time a display is ready.
void CalibrateVectorRendererOnce();
