#include "engine/graphics/texture_display.h"

namespace {

ITextureDisplay g_noDisplay;
ITextureDisplay* g_display = &g_noDisplay;

}  // namespace

ITextureDisplay& GetTextureDisplay() { return *g_display; }

void SetTextureDisplay(ITextureDisplay* display) { g_display = display ? display : &g_noDisplay; }
