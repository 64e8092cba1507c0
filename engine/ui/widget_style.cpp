#include "engine/ui/widget_style.h"

#include "engine/core/base/log.h"
#include "engine/ui/window_style.h"

float ReadScale(const TWindowStyle& style) {
    double scale = style.GetNumber("scale", 1.0);
    if (scale > 0) return static_cast<float>(scale);
    LogPrintf("Window '%s': style scale %g is not above 0; drawn at scale 1",
              style.GetString("name", TString()).CStr(), scale);
    return 1.0f;
}
