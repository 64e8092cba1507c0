// SVG "transform" attribute values as cairo matrices.
#pragma once

#include <cairo.h>

#include <string>

namespace assetpipe {

// The matrix of a transform list ("translate(10,20) rotate(30)"); false for text that is not one.
bool ParseSvgTransform(const std::string& text, cairo_matrix_t* matrix);

// The text "matrix(a b c d e f)" of a matrix.
std::string SvgMatrixText(const cairo_matrix_t& matrix);

}  // namespace assetpipe
