#include "tools/assetpipe/svg_document.h"

#include <librsvg/rsvg.h>
#include <libxml/parser.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "tools/assetpipe/svg_transform.h"

namespace assetpipe {

namespace {

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleDeleter>;

std::string TakeMessage(GError* failure) {
    std::string message = failure ? failure->message : "unknown error";
    if (failure) g_error_free(failure);
    return message;
}

// A librsvg handle for the document's current text; relative references resolve from path.
Handle OpenHandle(xmlDocPtr doc, const std::string& path, std::string* error) {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(doc, &text, &size);
    GInputStream* stream = g_memory_input_stream_new_from_data(text, size, nullptr);
    GFile* base = g_file_new_for_path(path.c_str());
    GError* failure = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_stream_sync(stream, base, RSVG_HANDLE_FLAGS_NONE, nullptr, &failure);
    g_object_unref(base);
    g_object_unref(stream);
    xmlFree(text);
    if (!handle) *error = path + ": " + TakeMessage(failure);
    return Handle(handle);
}

xmlNodePtr FindById(xmlNodePtr node, const std::string& id) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        xmlChar* value = xmlGetProp(node, BAD_CAST "id");
        bool match = value && id == reinterpret_cast<const char*>(value);
        xmlFree(value);
        if (match) return node;
        if (xmlNodePtr found = FindById(node->children, id)) return found;
    }
    return nullptr;
}

// The product of the transforms of node's ancestors below the root element: how the wrapper's
// coordinates map to the document's user units.
cairo_matrix_t AncestorTransform(xmlNodePtr node) {
    cairo_matrix_t total;
    cairo_matrix_init_identity(&total);
    for (xmlNodePtr at = node->parent; at && at->parent && at->parent->type == XML_ELEMENT_NODE; at = at->parent) {
        xmlChar* value = xmlGetProp(at, BAD_CAST "transform");
        cairo_matrix_t step;
        if (value && ParseSvgTransform(reinterpret_cast<const char*>(value), &step))
            cairo_matrix_multiply(&total, &total, &step);
        xmlFree(value);
    }
    return total;
}

// The viewBox's origin and size, or the intrinsic size at the origin when there is none.
bool ViewBox(RsvgHandle* handle, RsvgRectangle* box) {
    gboolean hasWidth, hasHeight, hasViewBox;
    RsvgLength width, height;
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &width, &hasHeight, &height, &hasViewBox, box);
    if (hasViewBox) return true;
    double w = 0, h = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h)) return false;
    *box = {0, 0, w, h};
    return true;
}

// Drops the element's own "display" (attribute or style declaration), so that its wrapper alone
// decides whether it is drawn.
void DropOwnDisplay(xmlNodePtr element) {
    xmlUnsetProp(element, BAD_CAST "display");
    xmlChar* value = xmlGetProp(element, BAD_CAST "style");
    if (!value) return;
    std::string kept, declaration;
    std::istringstream declarations(reinterpret_cast<const char*>(value));
    xmlFree(value);
    while (std::getline(declarations, declaration, ';')) {
        size_t name = declaration.find_first_not_of(" \t\n");
        if (name == std::string::npos || declaration.compare(name, 7, "display") == 0) continue;
        kept += declaration + ";";
    }
    xmlSetProp(element, BAD_CAST "style", BAD_CAST kept.c_str());
}

}  // namespace

SvgDocument::~SvgDocument() {
    if (doc_) xmlFreeDoc(doc_);
}

bool SvgDocument::Load(const std::string& path, std::string* error) {
    path_ = path;
    doc_ = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
    if (!doc_ || !xmlDocGetRootElement(doc_)) {
        *error = path + ": not a readable SVG file";
        return false;
    }
    return true;
}

bool SvgDocument::IntrinsicSize(int* width, int* height, std::string* error) const {
    Handle handle = OpenHandle(doc_, path_, error);
    if (!handle) return false;
    double w = 0, h = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &w, &h)) {
        RsvgRectangle box;
        if (!ViewBox(handle.get(), &box)) {
            *error = path_ + ": the document gives no size; pass one";
            return false;
        }
        w = box.width;
        h = box.height;
    }
    *width = static_cast<int>(std::ceil(w));
    *height = static_cast<int>(std::ceil(h));
    return true;
}

bool SvgDocument::PrepareElements(const std::map<std::string, ElementTracks>& elements, std::string* error) {
    for (const auto& [id, tracks] : elements) {
        xmlNodePtr element = FindById(xmlDocGetRootElement(doc_), id);
        if (!element) {
            *error = path_ + ": no element with id '" + id + "'";
            return false;
        }
        xmlNodePtr wrapper = xmlNewNode(element->ns, BAD_CAST "g");
        xmlReplaceNode(element, wrapper);
        xmlAddChild(wrapper, element);
        if (!tracks.shown.empty()) DropOwnDisplay(element);
        wrappers_[id].node = wrapper;
    }
    for (const auto& [id, tracks] : elements) {
        Wrapper& wrapper = wrappers_[id];
        if (tracks.pivot) {
            wrapper.pivotX = tracks.pivot->first;
            wrapper.pivotY = tracks.pivot->second;
        } else if (!CentreOf(id, wrapper.node, &wrapper.pivotX, &wrapper.pivotY, error)) {
            return false;
        }
    }
    return true;
}

bool SvgDocument::CentreOf(const std::string& id, xmlNodePtr wrapper, double* x, double* y, std::string* error) const {
    Handle handle = OpenHandle(doc_, path_, error);
    if (!handle) return false;
    RsvgRectangle box;
    if (!ViewBox(handle.get(), &box)) {
        *error = path_ + ": the document has neither a viewBox nor a size";
        return false;
    }
    // Rendered at one pixel per user unit, the viewport's coordinates are user units less the origin.
    RsvgRectangle viewport = {0, 0, box.width, box.height};
    RsvgRectangle ink, logical;
    GError* failure = nullptr;
    if (!rsvg_handle_get_geometry_for_layer(handle.get(), ("#" + id).c_str(), &viewport, &ink, &logical, &failure)) {
        *error = path_ + ": cannot measure '" + id + "': " + TakeMessage(failure);
        return false;
    }
    double cx = box.x + logical.x + logical.width / 2, cy = box.y + logical.y + logical.height / 2;
    cairo_matrix_t toDocument = AncestorTransform(wrapper);
    cairo_matrix_invert(&toDocument);
    cairo_matrix_transform_point(&toDocument, &cx, &cy);
    *x = cx;
    *y = cy;
    return true;
}

void SvgDocument::Pose(const std::string& id, const ElementPose& pose) {
    const Wrapper& wrapper = wrappers_.at(id);
    // Move, then about the pivot: rotate and scale.
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, pose.dx + wrapper.pivotX, pose.dy + wrapper.pivotY);
    cairo_matrix_rotate(&m, pose.angle * M_PI / 180.0);
    cairo_matrix_scale(&m, pose.sx, pose.sy);
    cairo_matrix_translate(&m, -wrapper.pivotX, -wrapper.pivotY);
    xmlSetProp(wrapper.node, BAD_CAST "transform", BAD_CAST SvgMatrixText(m).c_str());
    xmlSetProp(wrapper.node, BAD_CAST "opacity", BAD_CAST std::to_string(std::clamp(pose.opacity, 0.0, 1.0)).c_str());
    xmlSetProp(wrapper.node, BAD_CAST "display", BAD_CAST(pose.visible ? "inline" : "none"));
}

Surface SvgDocument::Render(int width, int height, std::string* error) const {
    Handle handle = OpenHandle(doc_, path_, error);
    if (!handle) return nullptr;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    cairo_t* cr = cairo_create(surface.get());
    RsvgRectangle viewport = {0, 0, static_cast<double>(width), static_cast<double>(height)};
    GError* failure = nullptr;
    bool ok = rsvg_handle_render_document(handle.get(), cr, &viewport, &failure);
    cairo_destroy(cr);
    if (!ok) {
        *error = path_ + ": " + TakeMessage(failure);
        return nullptr;
    }
    cairo_surface_flush(surface.get());
    return surface;
}

bool RenderSvgToPng(const std::string& svgPath, int width, int height, const std::string& pngPath, std::string* error) {
    SvgDocument document;
    if (!document.Load(svgPath, error)) return false;
    if ((width <= 0 || height <= 0) && !document.IntrinsicSize(&width, &height, error)) return false;
    Surface surface = document.Render(width, height, error);
    if (!surface) return false;
    std::error_code ignored;
    std::filesystem::path parent = std::filesystem::path(pngPath).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    if (cairo_surface_write_to_png(surface.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS) {
        *error = "cannot write " + pngPath;
        return false;
    }
    return true;
}

}  // namespace assetpipe
