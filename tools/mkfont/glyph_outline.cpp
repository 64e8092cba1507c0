#include "tools/mkfont/glyph_outline.h"

#include FT_OUTLINE_H

#include <cmath>

namespace {

struct Decomposition {
    double unitsPerFontUnit;  // stored units per FreeType font unit
    std::vector<OutlineContour>* contours;
    OutlinePoint pen;
};

OutlinePoint Convert(const Decomposition& d, const FT_Vector* v) {
    return {static_cast<int>(std::lround(v->x * d.unitsPerFontUnit)),
            static_cast<int>(std::lround(-v->y * d.unitsPerFontUnit))};
}

OutlineContour& Current(Decomposition& d) { return d.contours->back(); }

int MoveTo(const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decomposition*>(user);
    d.pen = Convert(d, to);
    d.contours->push_back({d.pen, {}});
    return 0;
}

int LineTo(const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decomposition*>(user);
    d.pen = Convert(d, to);
    Current(d).segments.push_back({false, {}, d.pen});
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decomposition*>(user);
    d.pen = Convert(d, to);
    Current(d).segments.push_back({true, Convert(d, control), d.pen});
    return 0;
}

// A cubic becomes two quadratics, one per half; each half's control point is the usual
// (3 (c1 + c2) - p0 - p3) / 4 estimate.
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto& d = *static_cast<Decomposition*>(user);
    OutlinePoint p0 = d.pen, p1 = Convert(d, c1), p2 = Convert(d, c2), p3 = Convert(d, to);
    auto mid = [](OutlinePoint a, OutlinePoint b) { return OutlinePoint{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
    OutlinePoint a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3), ab = mid(a, b), bc = mid(b, c), m = mid(ab, bc);
    auto control = [](OutlinePoint s, OutlinePoint k1, OutlinePoint k2, OutlinePoint e) {
        return OutlinePoint{(3 * (k1.x + k2.x) - s.x - e.x) / 4, (3 * (k1.y + k2.y) - s.y - e.y) / 4};
    };
    Current(d).segments.push_back({true, control(p0, a, ab, m), m});
    Current(d).segments.push_back({true, control(m, bc, c, p3), p3});
    d.pen = p3;
    return 0;
}

// The contour as a polygon, curves cut into short chords.
std::vector<OutlinePoint> Flatten(const OutlineContour& contour) {
    std::vector<OutlinePoint> points{contour.start};
    OutlinePoint pen = contour.start;
    for (const OutlineSegment& s : contour.segments) {
        if (s.curve) {
            for (int i = 1; i < 8; ++i) {
                double t = i / 8.0, u = 1 - t;
                points.push_back({static_cast<int>(u * u * pen.x + 2 * u * t * s.control.x + t * t * s.end.x),
                                  static_cast<int>(u * u * pen.y + 2 * u * t * s.control.y + t * t * s.end.y)});
            }
        }
        points.push_back(s.end);
        pen = s.end;
    }
    return points;
}

double SignedArea(const std::vector<OutlinePoint>& polygon) {
    double area = 0;
    for (size_t i = 0, n = polygon.size(); i < n; ++i) {
        const OutlinePoint &a = polygon[i], &b = polygon[(i + 1) % n];
        area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return area / 2;
}

bool Contains(const std::vector<OutlinePoint>& polygon, OutlinePoint p) {
    bool inside = false;
    for (size_t i = 0, n = polygon.size(), j = n - 1; i < n; j = i++) {
        const OutlinePoint &a = polygon[i], &b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) &&
            p.x < a.x + static_cast<double>(b.x - a.x) * (p.y - a.y) / static_cast<double>(b.y - a.y))
            inside = !inside;
    }
    return inside;
}

}  // namespace

bool LoadGlyphOutline(FT_Face face, uint32_t codepoint, GlyphOutline& glyph) {
    FT_UInt index = FT_Get_Char_Index(face, codepoint);
    if (index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return false;
    Decomposition d{16.0 * 128.0 / face->units_per_EM, &glyph.contours, {}};
    glyph.codepoint = codepoint;
    glyph.advance = static_cast<int>(std::lround(face->glyph->metrics.horiAdvance * d.unitsPerFontUnit));
    glyph.contours.clear();
    FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &d) != 0) return false;
    for (OutlineContour& contour : glyph.contours) {  // make every contour end where it began
        OutlinePoint last = contour.segments.empty() ? contour.start : contour.segments.back().end;
        if (last.x != contour.start.x || last.y != contour.start.y)
            contour.segments.push_back({false, {}, contour.start});
    }
    return true;
}

std::vector<std::vector<const OutlineContour*>> GroupIntoPaths(const GlyphOutline& glyph) {
    size_t count = glyph.contours.size();
    std::vector<std::vector<OutlinePoint>> polygons;
    std::vector<double> areas;
    size_t largest = 0;
    for (size_t i = 0; i < count; ++i) {
        polygons.push_back(Flatten(glyph.contours[i]));
        areas.push_back(SignedArea(polygons[i]));
        if (std::fabs(areas[i]) > std::fabs(areas[largest])) largest = i;
    }
    // The largest contour is an outer one; contours turning the other way are holes.
    std::vector<std::vector<const OutlineContour*>> paths;
    std::vector<int> pathOfOuter(count, -1);
    for (size_t i = 0; i < count; ++i) {
        if ((areas[i] > 0) == (areas[largest] > 0)) {
            pathOfOuter[i] = static_cast<int>(paths.size());
            paths.push_back({&glyph.contours[i]});
        }
    }
    for (size_t hole = 0; hole < count; ++hole) {
        if (pathOfOuter[hole] >= 0) continue;
        int owner = -1;
        for (size_t outer = 0; outer < count; ++outer) {
            if (pathOfOuter[outer] < 0 || !Contains(polygons[outer], glyph.contours[hole].start)) continue;
            if (owner < 0 || std::fabs(areas[outer]) < std::fabs(areas[owner])) owner = static_cast<int>(outer);
        }
        if (owner >= 0)
            paths[pathOfOuter[owner]].push_back(&glyph.contours[hole]);
        else
            paths.push_back({&glyph.contours[hole]});  // a stray hole fills as a shape of its own
    }
    return paths;
}
