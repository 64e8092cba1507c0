#include "tools/assetpipe/anim_sheet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/assetpipe/frame_border.h"
#include "tools/assetpipe/svg_document.h"

namespace fs = std::filesystem;

namespace assetpipe {

namespace {

int PowerOfTwoAtLeast(int value) {
    int side = 1;
    while (side < value) side *= 2;
    return side;
}

std::string XmlEscape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

bool ReadText(const std::string& path, std::string* text, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path;
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

bool WriteText(const std::string& path, const std::string& text, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

// "target: dependency" with blanks escaped as make reads them.
std::string DepfileRule(const std::string& target, const std::string& dependency) {
    auto escape = [](const std::string& path) {
        std::string escaped;
        for (char c : fs::absolute(path).lexically_normal().string()) {
            if (c == ' ' || c == '#' || c == '\\') escaped += '\\';
            escaped += c;
        }
        return escaped;
    };
    return escape(target) + ": " + escape(dependency) + "\n";
}

// False, saying where, when the frame's drawing reaches a side of the frame it may not.
bool InsideItsFrame(const AnimDescription& d, cairo_surface_t* image, int frame, std::string* error) {
    unsigned cut = TouchedSides(image) & ~d.bleedSides;
    if (!cut) return true;
    *error = "frame " + std::to_string(frame) + " is cut by its frame at the " + SideNames(cut) +
             " (draw it inside the frame, or add 'bleed " + SideNames(cut) + "' where that is meant)";
    return false;
}

// Draws every frame of the description into a new sheet.
Surface RenderSheet(const AnimDescription& d, SvgDocument& document, const SheetLayout& layout, std::string* error) {
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout.width, layout.height));
    cairo_t* cr = cairo_create(sheet.get());
    bool ok = true;
    for (int frame = 1; frame <= d.frameCount && ok; ++frame) {
        for (const auto& [id, tracks] : d.elements) document.Pose(id, PoseAt(tracks, frame));
        Surface image = document.Render(d.width, d.height, error);
        ok = image != nullptr && InsideItsFrame(d, image.get(), frame, error);
        if (!ok) break;
        cairo_set_source_surface(cr, image.get(), layout.cellX(frame - 1), layout.cellY(frame - 1));
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    return ok ? std::move(sheet) : nullptr;
}

}  // namespace

int SheetLayout::cellX(int frame) const { return (frame % columns) * (frameWidth + kFrameGap); }
int SheetLayout::cellY(int frame) const { return (frame / columns) * (frameHeight + kFrameGap); }

bool LayoutSheet(int frameWidth, int frameHeight, int frameCount, SheetLayout* layout) {
    long bestArea = 0;
    int bestSide = 0;
    for (int columns = 1; columns <= frameCount; ++columns) {
        int rows = (frameCount + columns - 1) / columns;
        int width = columns * (frameWidth + kFrameGap) - kFrameGap;
        int height = rows * (frameHeight + kFrameGap) - kFrameGap;
        if (width > kMaxSheetSide) break;
        if (height > kMaxSheetSide) continue;
        // The smallest surface, and of those the squarest.
        long area = static_cast<long>(PowerOfTwoAtLeast(width)) * PowerOfTwoAtLeast(height);
        int side = std::max(width, height);
        if (bestArea && (area > bestArea || (area == bestArea && side >= bestSide))) continue;
        bestArea = area;
        bestSide = side;
        *layout = {columns, width, height, frameWidth, frameHeight};
    }
    return bestArea > 0;
}

std::string AnimationXml(const AnimDescription& d, const std::string& name, const std::string& sheetFile,
                         const SheetLayout& layout) {
    int regx = d.origin ? d.origin->first : d.width / 2;
    int regy = d.origin ? d.origin->second : d.height / 2;
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<animation>\n";
    xml << "  <sequence name=\"" << XmlEscape(name) << "\" source=\"" << XmlEscape(name) << ".anim\">\n";
    xml << "    <img name=\"" << XmlEscape(sheetFile) << "\" w=\"" << layout.width << "\" h=\"" << layout.height
        << "\"/>\n";
    xml << "    <framelist>\n";
    for (int i = 0; i < d.frameCount; ++i) {
        xml << "      <frame name=\"" << (i + 1) << "\" x=\"" << layout.cellX(i) << "\" y=\"" << layout.cellY(i)
            << "\" w=\"" << d.width << "\" h=\"" << d.height << "\"";
        if (i == 0) xml << " regx=\"" << regx << "\" regy=\"" << regy << "\"";
        xml << "/>\n";
    }
    xml << "    </framelist>\n";
    xml << "    <script>\n" << XmlEscape(ActionScript(d)) << "    </script>\n";
    xml << "  </sequence>\n</animation>\n";
    return xml.str();
}

bool RenderAnimation(const std::string& descriptionPath, const std::string& xmlPath, const std::string& depfilePath,
                     std::string* error) {
    std::string text;
    if (!ReadText(descriptionPath, &text, error)) return false;
    AnimDescription description;
    if (!ParseAnimDescription(text, &description, error)) {
        *error = descriptionPath + ": " + *error;
        return false;
    }
    SheetLayout layout;
    if (!LayoutSheet(description.width, description.height, description.frameCount, &layout)) {
        *error = descriptionPath + ": " + std::to_string(description.frameCount) + " frames of " +
                 std::to_string(description.width) + " x " + std::to_string(description.height) +
                 " do not fit a " + std::to_string(kMaxSheetSide) + " pixel sheet";
        return false;
    }
    SvgDocument document;
    std::string svgPath = (fs::path(descriptionPath).parent_path() / description.svg).string();
    if (!document.Load(svgPath, error) || !document.PrepareElements(description.elements, error)) return false;
    Surface sheet = RenderSheet(description, document, layout, error);
    if (!sheet) {
        *error = descriptionPath + ": " + *error;
        return false;
    }

    fs::path xml(xmlPath);
    std::error_code ignored;
    if (xml.has_parent_path()) fs::create_directories(xml.parent_path(), ignored);
    std::string stem = xml.stem().string();
    std::string sheetFile = stem + ".png";
    if (cairo_surface_write_to_png(sheet.get(), (xml.parent_path() / sheetFile).c_str()) != CAIRO_STATUS_SUCCESS) {
        *error = "cannot write " + (xml.parent_path() / sheetFile).string();
        return false;
    }
    if (!WriteText(xmlPath, AnimationXml(description, stem, sheetFile, layout), error)) return false;
    return depfilePath.empty() || WriteText(depfilePath, DepfileRule(xmlPath, svgPath), error);
}

}  // namespace assetpipe
