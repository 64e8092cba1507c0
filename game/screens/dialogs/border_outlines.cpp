#include "game/screens/dialogs/border_outlines.h"

namespace {

constexpr float kWaitDepth = -1.2f;   // the waiting segment lies behind the panel
constexpr float kCurveDepth = 0.2f;

constexpr OutlineCurve kCurvesA[] = {
    {{652, 122}, {462, 148}, {361, 139}, {170, 130}},
    {{170, 130}, {175, 190}, {180, 348}, {182, 475}},
    {{185, 476}, {344, 475}, {467, 479}, {646, 473}},
    {{644, 476}, {639, 313}, {638, 248}, {652, 130}},
};
constexpr OutlineCurve kCurvesA2[] = {
    {{652, 122}, {442, 148}, {341, 139}, {170, 130}},
    {{170, 130}, {175, 190}, {180, 348}, {182, 475}},
    {{185, 476}, {344, 475}, {467, 479}, {646, 473}},
    {{644, 476}, {639, 313}, {638, 248}, {652, 130}},
};
constexpr OutlineCurve kCurvesB[] = {
    {{550, 88}, {506, 95}, {452, 100}, {402, 101}},
    {{401, 100}, {346, 101}, {306, 103}, {255, 86}},
    {{256, 88}, {264, 167}, {270, 270}, {263, 306}},
    {{264, 305}, {267, 337}, {261, 454}, {257, 486}},
    {{256, 487}, {262, 506}, {300, 496}, {400, 496}},
    {{400, 500}, {400, 501}, {545, 496}, {547, 489}},
    {{547, 491}, {527, 425}, {537, 355}, {536, 316}},
    {{536, 316}, {529, 223}, {554, 130}, {550, 90}},
};
constexpr OutlineCurve kCurvesC[] = {
    {{658, 200}, {670, 193}, {258, 229}, {153, 191}},
    {{153, 191}, {187, 279}, {182, 343}, {180, 410}},
    {{180, 410}, {367, 409}, {497, 407}, {658, 410}},
    {{658, 410}, {655, 310}, {654, 235}, {661, 201}},
};

}  // namespace

const BorderOutline kOutlineA{{652, 122}, kCurvesA};
const BorderOutline kOutlineA2{{652, 122}, kCurvesA2};
const BorderOutline kOutlineB{{550, 88}, kCurvesB};
const BorderOutline kOutlineB10{{550, 88}, kCurvesB, 10.0f};
const BorderOutline kOutlineC{{658, 200}, kCurvesC};
const BorderOutline kOutlineC10{{658, 200}, kCurvesC, -10.0f};

bool AddCurves(clsFxPath& path, std::span<const OutlineCurve> curves, float z, float shiftX, float shiftY) {
    bool complete = true;
    float segment[12];
    for (const OutlineCurve& curve : curves) {
        for (int i = 0; i < 4; ++i) Vec3Set(segment + 3 * i, curve[i].x + shiftX, curve[i].y + shiftY, z);
        complete = path.AddSegment(segment) && complete;
    }
    return complete;
}

bool BorderOutline::LayInto(clsFxPath& path) const {
    path.Clear();
    const OutlineCurve wait = {start, start, start, start};
    bool waitAdded = AddCurves(path, std::span(&wait, 1), kWaitDepth, shiftX, shiftY);
    return AddCurves(path, curves, kCurveDepth, shiftX, shiftY) && waitAdded;
}
