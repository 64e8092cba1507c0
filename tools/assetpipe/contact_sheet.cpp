#include "tools/assetpipe/contact_sheet.h"

#include <libxml/parser.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "tools/assetpipe/svg_document.h"

namespace fs = std::filesystem;

namespace assetpipe {

namespace {

constexpr int kPageWidth = 1600;
constexpr int kPageMaxHeight = 1800;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr int kPictureCellWidth = 200, kPictureBox = 150;
constexpr int kFrameBox = 96;
constexpr int kLargeFrameBox = 200;  // on pages of a few chosen assets

struct FrameRect {
    int x, y, w, h;
};

struct Animation {
    std::string name;  // asset name: path below the folder without ".xml"
    fs::path sheet;
    std::vector<FrameRect> frames;
    int regx = 0, regy = 0;  // the first frame's registration point
};

struct Picture {
    std::string name;
    fs::path file;
};

int IntProp(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, BAD_CAST name);
    int number = value ? std::atoi(reinterpret_cast<const char*>(value)) : 0;
    xmlFree(value);
    return number;
}

std::string TextProp(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, BAD_CAST name);
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

xmlNodePtr Child(xmlNodePtr node, const char* name) {
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && xmlStrcmp(child->name, BAD_CAST name) == 0) return child;
    return nullptr;
}

// The animation an XML file describes; false for any other XML file.
bool ReadAnimation(const fs::path& file, Animation* animation) {
    xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
    if (!doc) return false;
    xmlNodePtr sequence = Child(xmlDocGetRootElement(doc), "sequence");
    xmlNodePtr img = Child(sequence, "img");
    xmlNodePtr list = Child(sequence, "framelist");
    if (img && list) {
        animation->sheet = file.parent_path() / TextProp(img, "name");
        for (xmlNodePtr frame = list->children; frame; frame = frame->next) {
            if (frame->type != XML_ELEMENT_NODE || xmlStrcmp(frame->name, BAD_CAST "frame") != 0) continue;
            if (animation->frames.empty()) {
                animation->regx = IntProp(frame, "regx");
                animation->regy = IntProp(frame, "regy");
            }
            animation->frames.push_back({IntProp(frame, "x"), IntProp(frame, "y"), IntProp(frame, "w"), IntProp(frame, "h")});
        }
    }
    xmlFreeDoc(doc);
    return !animation->frames.empty();
}

std::string AssetName(const fs::path& file, const fs::path& root) {
    fs::path relative = fs::relative(file, root);
    return (relative.parent_path() / relative.stem()).generic_string();
}

// Whether name starts with one of the prefixes; every name does when there are none.
bool Chosen(const std::string& name, const std::vector<std::string>& prefixes) {
    return prefixes.empty() || std::any_of(prefixes.begin(), prefixes.end(),
                                           [&](const std::string& prefix) { return name.rfind(prefix, 0) == 0; });
}

void Collect(const fs::path& root, const std::vector<std::string>& prefixes, std::vector<Picture>* pictures,
             std::vector<Animation>* animations) {
    std::set<fs::path> sheets;
    std::vector<fs::path> pngs;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const fs::path& file = entry.path();
        if (file.extension() == ".png") pngs.push_back(file);
        Animation animation;
        if (file.extension() == ".xml" && ReadAnimation(file, &animation)) {
            animation.name = AssetName(file, root);
            sheets.insert(animation.sheet.lexically_normal());
            if (Chosen(animation.name, prefixes)) animations->push_back(std::move(animation));
        }
    }
    for (const fs::path& png : pngs)
        if (!sheets.count(png.lexically_normal()) && Chosen(AssetName(png, root), prefixes))
            pictures->push_back({AssetName(png, root), png});
    std::sort(pictures->begin(), pictures->end(), [](auto& a, auto& b) { return a.name < b.name; });
    std::sort(animations->begin(), animations->end(), [](auto& a, auto& b) { return a.name < b.name; });
}

// A sequence of pages of fixed width; blocks go down the page, a new page starts when one is full.
class PageWriter {
public:
    PageWriter(std::string prefix, std::vector<std::string>* written) : prefix_(std::move(prefix)), written_(written) {}

    // A drawing context whose origin is the top left of a block of the height; null on failure.
    cairo_t* Block(int height) {
        if (cr_ && y_ + height > kPageMaxHeight && y_ > kMargin && !Flush()) return nullptr;
        if (!cr_) Start();
        cairo_identity_matrix(cr_);
        cairo_translate(cr_, kMargin, y_);
        y_ += height;
        return cr_;
    }

    bool Flush() {
        if (!cr_) return true;
        cairo_destroy(cr_);
        cr_ = nullptr;
        int height = y_ + kMargin;
        Surface cropped(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPageWidth, height));
        cairo_t* cr = cairo_create(cropped.get());
        cairo_set_source_surface(cr, page_.get(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        std::string path = prefix_ + "_" + std::to_string(++count_) + ".png";
        page_.reset();
        if (cairo_surface_write_to_png(cropped.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) return false;
        written_->push_back(path);
        return true;
    }

private:
    void Start() {
        page_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPageWidth, kPageMaxHeight));
        cr_ = cairo_create(page_.get());
        cairo_set_source_rgb(cr_, 0.42, 0.36, 0.33);
        cairo_paint(cr_);
        cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        y_ = kMargin;
    }

    std::string prefix_;
    std::vector<std::string>* written_;
    Surface page_;
    cairo_t* cr_ = nullptr;
    int y_ = 0;
    int count_ = 0;
};

void Label(cairo_t* cr, double x, double y, const std::string& text, double size) {
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, 1, 0.96, 0.84);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

// Draws the rectangle of image scaled to fit box x box (small pictures up to twice their size)
// at (x, y), on a darker tile so that transparency shows.
void Thumbnail(cairo_t* cr, cairo_surface_t* image, FrameRect rect, double x, double y, int box) {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.30, 0.25, 0.24);
    cairo_rectangle(cr, x, y, box, box);
    cairo_fill(cr);
    if (rect.w > 0 && rect.h > 0) {
        double scale = std::min({2.0, static_cast<double>(box) / rect.w, static_cast<double>(box) / rect.h});
        double left = x + (box - rect.w * scale) / 2, top = y + (box - rect.h * scale) / 2;
        cairo_rectangle(cr, left, top, rect.w * scale, rect.h * scale);
        cairo_clip(cr);
        cairo_translate(cr, left, top);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, image, -rect.x, -rect.y);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

Surface LoadPng(const fs::path& file) {
    Surface image(cairo_image_surface_create_from_png(file.c_str()));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return image;
}

bool DrawPictures(const std::vector<Picture>& pictures, PageWriter& pages) {
    constexpr int columns = (kPageWidth - 2 * kMargin) / kPictureCellWidth;
    for (size_t start = 0; start < pictures.size(); start += columns) {
        cairo_t* cr = pages.Block(kPictureBox + kLabelHeight + 8);
        if (!cr) return false;
        for (size_t i = start; i < std::min(pictures.size(), start + columns); ++i) {
            double x = static_cast<double>(i - start) * kPictureCellWidth;
            Surface image = LoadPng(pictures[i].file);
            int w = image ? cairo_image_surface_get_width(image.get()) : 0;
            int h = image ? cairo_image_surface_get_height(image.get()) : 0;
            Thumbnail(cr, image.get(), {0, 0, w, h}, x, 0, kPictureBox);
            Label(cr, x, kPictureBox + 12, pictures[i].name, 9);
            Label(cr, x, 10, std::to_string(w) + "x" + std::to_string(h), 9);
        }
    }
    return pages.Flush();
}

// How big the frames of animations are drawn.
struct FrameGrid {
    int box;
    int Cell() const { return box + 4; }
    int PerRow() const { return (kPageWidth - 2 * kMargin) / Cell(); }
    int BlockWidth(const Animation& animation) const {
        int count = static_cast<int>(animation.frames.size());
        return std::max(std::min(count, PerRow()) * Cell(), 260) + 12;
    }
    int BlockHeight(const Animation& animation) const {
        int count = static_cast<int>(animation.frames.size());
        return kLabelHeight + (count + PerRow() - 1) / PerRow() * Cell() + 6;
    }
};

// One animation's label and frames with the top left at (x, 0).
void DrawAnimation(cairo_t* cr, const Animation& animation, double x, FrameGrid grid) {
    int count = static_cast<int>(animation.frames.size());
    Surface sheet = LoadPng(animation.sheet);
    const FrameRect& first = animation.frames.front();
    Label(cr, x, 12, animation.name + "  (" + std::to_string(count) + " frames, " + std::to_string(first.w) + "x" +
                         std::to_string(first.h) + (sheet ? ")" : ", SHEET MISSING)"), 10);
    for (int i = 0; i < count; ++i) {
        double fx = x + (i % grid.PerRow()) * grid.Cell(), fy = kLabelHeight + (i / grid.PerRow()) * grid.Cell();
        Thumbnail(cr, sheet.get(), animation.frames[static_cast<size_t>(i)], fx, fy, grid.box);
        Label(cr, fx + 2, fy + 10, std::to_string(i + 1), 8);
    }
}

// Animations side by side while they fit the page's width, row after row.
bool DrawAnimations(const std::vector<Animation>& animations, FrameGrid grid, PageWriter& pages) {
    const int rowWidth = kPageWidth - 2 * kMargin;
    for (size_t start = 0; start < animations.size();) {
        size_t end = start;
        int width = 0, height = 0;
        while (end < animations.size() && (end == start || width + grid.BlockWidth(animations[end]) <= rowWidth)) {
            width += grid.BlockWidth(animations[end]);
            height = std::max(height, grid.BlockHeight(animations[end]));
            ++end;
        }
        cairo_t* cr = pages.Block(height);
        if (!cr) return false;
        double x = 0;
        for (size_t i = start; i < end; ++i) {
            DrawAnimation(cr, animations[i], x, grid);
            x += grid.BlockWidth(animations[i]);
        }
        start = end;
    }
    return pages.Flush();
}

}  // namespace

bool WriteContactSheets(const std::string& assetFolder, const std::string& prefix,
                        const std::vector<std::string>& chosen, std::vector<std::string>* pages, std::string* error) {
    std::error_code failure;
    if (!fs::is_directory(assetFolder, failure)) {
        *error = "not a folder: " + assetFolder;
        return false;
    }
    std::vector<Picture> pictures;
    std::vector<Animation> animations;
    Collect(assetFolder, chosen, &pictures, &animations);
    FrameGrid grid{chosen.empty() ? kFrameBox : kLargeFrameBox};
    PageWriter picturePages(prefix + "_pictures", pages);
    PageWriter animationPages(prefix + "_animations", pages);
    if (!DrawPictures(pictures, picturePages) || !DrawAnimations(animations, grid, animationPages)) {
        *error = "cannot write the pages at " + prefix;
        return false;
    }
    return true;
}

bool WriteScene(const std::string& assetFolder, const std::string& background, const std::vector<ScenePlacement>& sprites,
                const std::string& output, std::string* error) {
    fs::path root(assetFolder);
    Surface picture = LoadPng(root / (background + ".png"));
    if (!picture) {
        *error = "cannot read the picture " + background;
        return false;
    }
    // Farther sprites (higher on the picture) first, as the game draws them.
    std::vector<ScenePlacement> ordered(sprites);
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
    cairo_t* cr = cairo_create(picture.get());
    bool ok = true;
    for (const ScenePlacement& sprite : ordered) {
        Animation animation;
        Surface sheet;
        ok = ReadAnimation(root / (sprite.animation + ".xml"), &animation) && (sheet = LoadPng(animation.sheet));
        if (!ok) {
            *error = "cannot read the animation " + sprite.animation;
            break;
        }
        const FrameRect& frame = animation.frames.front();
        double left = sprite.x - animation.regx, top = sprite.y - animation.regy;
        cairo_save(cr);
        cairo_rectangle(cr, left, top, frame.w, frame.h);
        cairo_clip(cr);
        cairo_set_source_surface(cr, sheet.get(), left - frame.x, top - frame.y);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    if (ok && cairo_surface_write_to_png(picture.get(), output.c_str()) != CAIRO_STATUS_SUCCESS) {
        *error = "cannot write " + output;
        ok = false;
    }
    return ok;
}

}  // namespace assetpipe
