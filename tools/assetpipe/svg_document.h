// An SVG file held as an editable document: chosen elements get a wrapper group whose transform,
// opacity and visibility change per frame, and the document renders to a cairo image surface.
#pragma once

#include <cairo.h>
#include <libxml/tree.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/assetpipe/anim_description.h"

namespace assetpipe {

// An owned image surface.
struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

class SvgDocument {
public:
    SvgDocument() = default;
    SvgDocument(const SvgDocument&) = delete;
    SvgDocument& operator=(const SvgDocument&) = delete;
    ~SvgDocument();

    bool Load(const std::string& path, std::string* error);

    // The size the document asks for in pixels, rounded up.
    bool IntrinsicSize(int* width, int* height, std::string* error) const;

    // Wraps each element named by id so that Pose can move it; the pivot of an element without an
    // explicit one is the centre of its box. An element with a show track loses its own display
    // setting (a part drawn hidden in the SVG can be shown). False when an id is missing.
    bool PrepareElements(const std::map<std::string, ElementTracks>& elements, std::string* error);

    // Sets the wrapper of id to the pose.
    void Pose(const std::string& id, const ElementPose& pose);

    // The document scaled to width x height.
    Surface Render(int width, int height, std::string* error) const;

private:
    struct Wrapper {
        xmlNodePtr node = nullptr;
        double pivotX = 0, pivotY = 0;
    };
    bool CentreOf(const std::string& id, xmlNodePtr wrapper, double* x, double* y, std::string* error) const;

    std::string path_;
    xmlDocPtr doc_ = nullptr;
    std::map<std::string, Wrapper> wrappers_;
};

// Renders an SVG file to a PNG; width and height 0 take the document's own size.
bool RenderSvgToPng(const std::string& svgPath, int width, int height, const std::string& pngPath, std::string* error);

}  // namespace assetpipe
