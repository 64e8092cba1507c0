#include "tools/assetpipe/svg_transform.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace assetpipe {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }

const char* SkipSeparators(const char* at) {
    while (*at && IsSeparator(*at)) ++at;
    return at;
}

// The numbers between "(" and ")"; at is left after the ")".
bool Arguments(const char*& at, std::vector<double>& values) {
    at = SkipSeparators(at);
    if (*at != '(') return false;
    ++at;
    values.clear();
    for (;;) {
        at = SkipSeparators(at);
        if (*at == ')') {
            ++at;
            return true;
        }
        char* end = nullptr;
        double value = std::strtod(at, &end);
        if (end == at) return false;
        values.push_back(value);
        at = end;
    }
}

double Radians(double degrees) { return degrees * M_PI / 180.0; }

// The matrix of one transform function; false for an unknown name or argument count.
bool FunctionMatrix(const std::string& name, const std::vector<double>& v, cairo_matrix_t* m) {
    size_t n = v.size();
    if (name == "matrix" && n == 6) {
        cairo_matrix_init(m, v[0], v[1], v[2], v[3], v[4], v[5]);
    } else if (name == "translate" && (n == 1 || n == 2)) {
        cairo_matrix_init_translate(m, v[0], n == 2 ? v[1] : 0);
    } else if (name == "scale" && (n == 1 || n == 2)) {
        cairo_matrix_init_scale(m, v[0], n == 2 ? v[1] : v[0]);
    } else if (name == "rotate" && (n == 1 || n == 3)) {
        double cx = n == 3 ? v[1] : 0, cy = n == 3 ? v[2] : 0;
        cairo_matrix_init_translate(m, cx, cy);
        cairo_matrix_rotate(m, Radians(v[0]));
        cairo_matrix_translate(m, -cx, -cy);
    } else if (name == "skewX" && n == 1) {
        cairo_matrix_init(m, 1, 0, std::tan(Radians(v[0])), 1, 0, 0);
    } else if (name == "skewY" && n == 1) {
        cairo_matrix_init(m, 1, std::tan(Radians(v[0])), 0, 1, 0, 0);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool ParseSvgTransform(const std::string& text, cairo_matrix_t* matrix) {
    cairo_matrix_init_identity(matrix);
    const char* at = text.c_str();
    std::vector<double> values;
    for (;;) {
        at = SkipSeparators(at);
        if (!*at) return true;
        const char* start = at;
        while (*at && std::strchr("abcdefghijklmnopqrstuvwxyzXY", *at)) ++at;
        std::string name(start, at);
        cairo_matrix_t step;
        if (name.empty() || !Arguments(at, values) || !FunctionMatrix(name, values, &step)) return false;
        // Functions apply right to left: the list's matrix is the product in reading order.
        cairo_matrix_multiply(matrix, &step, matrix);
    }
}

std::string SvgMatrixText(const cairo_matrix_t& m) {
    char text[192];
    std::snprintf(text, sizeof text, "matrix(%.6g %.6g %.6g %.6g %.6g %.6g)", m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    return text;
}

}  // namespace assetpipe
