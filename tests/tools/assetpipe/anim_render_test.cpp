// Rendering animation frames from an SVG: parts shown and hidden by their tracks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tools/assetpipe/anim_description.h"
#include "tools/assetpipe/anim_sheet.h"
#include "tools/assetpipe/contact_sheet.h"
#include "tools/assetpipe/svg_document.h"

namespace {

namespace fs = std::filesystem;

// A 20 x 20 document: a body always drawn on the left, a part on the right that the SVG hides.
const char kSvg[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='20' viewBox='0 0 20 20'>"
    "<rect id='body' x='0' y='0' width='8' height='20' fill='#000'/>"
    "<g id='eyes' display='none'><rect x='12' y='8' width='6' height='4' fill='#f00'/></g>"
    "<g id='brows' style='fill:#00f;display:none'><rect x='12' y='2' width='6' height='2'/></g>"
    "</svg>";

class AnimRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("alembria-assetpipe-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "face.svg") << kSvg;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The alpha of pixel (x, y) on each frame of the description's tracks.
    std::vector<int> AlphaPerFrame(const std::string& tracks, int x, int y) {
        assetpipe::AnimDescription d;
        std::string error;
        EXPECT_TRUE(assetpipe::ParseAnimDescription("svg face.svg\nsize 20 20\nframes 3\n" + tracks, &d, &error))
            << error;
        assetpipe::SvgDocument document;
        EXPECT_TRUE(document.Load((folder_ / "face.svg").string(), &error)) << error;
        EXPECT_TRUE(document.PrepareElements(d.elements, &error)) << error;
        std::vector<int> alphas;
        for (int frame = 1; frame <= d.frameCount; ++frame) {
            for (const auto& [id, element] : d.elements) document.Pose(id, assetpipe::PoseAt(element, frame));
            assetpipe::Surface image = document.Render(20, 20, &error);
            if (!image) return {};
            const unsigned char* row = cairo_image_surface_get_data(image.get()) +
                                       y * cairo_image_surface_get_stride(image.get());
            alphas.push_back(reinterpret_cast<const uint32_t*>(row)[x] >> 24);
        }
        return alphas;
    }

    fs::path folder_;
};

TEST_F(AnimRenderTest, AShowTrackRevealsAPartTheSvgHides) {
    EXPECT_EQ(AlphaPerFrame("track eyes show 2\n", 14, 10), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(AlphaPerFrame("track brows show 1 3\n", 14, 3), (std::vector<int>{255, 0, 255}))
        << "hidden through its style";
}

TEST_F(AnimRenderTest, APartWithoutAShowTrackKeepsTheSvgsVisibility) {
    EXPECT_EQ(AlphaPerFrame("track eyes translate 1:0,0 3:0,2\n", 14, 10), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(AlphaPerFrame("track body show 1-2\n", 2, 10), (std::vector<int>{255, 255, 0}));
}

TEST_F(AnimRenderTest, AFrameWhoseDrawingReachesItsBorderIsRefusedUnlessItMayBleed) {
    const struct {
        std::string tracks;
        std::string error;  // empty: rendered
    } cases[] = {
        {"track eyes show 1\n", ""},
        {"track eyes show 1-3\ntrack eyes translate 2:0,0 3:3,0\n",
         "frame 3 is cut by its frame at the right (draw it inside the frame, or add 'bleed right' where that is meant)"},
        {"track body scale 1:0.5 2:1 3:0.5\n",
         "frame 2 is cut by its frame at the top bottom left (draw it inside the frame, or add 'bleed top bottom left' "
         "where that is meant)"},
        {"bleed left top bottom\ntrack body scale 1:1\n", ""},
        {"bleed\ntrack body scale 1:1\ntrack eyes show 1-3\ntrack eyes translate 1:3,0\n", ""},
    };
    for (const auto& c : cases) {
        std::string description = (folder_ / "face.anim").string();
        std::ofstream(description) << "svg face.svg\nsize 20 20\nframes 3\ntrack body scale 1:0.5\n" << c.tracks;
        std::string error;
        bool rendered = assetpipe::RenderAnimation(description, (folder_ / "out/face.xml").string(), "", &error);
        EXPECT_EQ(rendered, c.error.empty()) << c.tracks;
        if (!c.error.empty()) {
            EXPECT_EQ(error, description + ": " + c.error) << c.tracks;
        }
    }
}

TEST_F(AnimRenderTest, AScenePlacesSpritesByTheirRegistrationPoints) {
    // A 40 x 40 white picture; the face sprite (its body drawn on the left half of its 20 x 20 frame)
    // placed twice.
    std::ofstream(folder_ / "room.svg") << "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='40'>"
                                           "<rect width='40' height='40' fill='#fff'/></svg>";
    std::ofstream(folder_ / "face.anim") << "svg face.svg\nsize 20 20\nframes 1\nbleed\n";
    std::string error;
    ASSERT_TRUE(assetpipe::RenderSvgToPng((folder_ / "room.svg").string(), 0, 0, (folder_ / "out/room.png").string(), &error))
        << error;
    ASSERT_TRUE(assetpipe::RenderAnimation((folder_ / "face.anim").string(), (folder_ / "out/face.xml").string(), "", &error))
        << error;
    std::string scene = (folder_ / "scene.png").string();
    ASSERT_TRUE(assetpipe::WriteScene((folder_ / "out").string(), "room", {{"face", 20, 22}, {"face", 14, 16}}, scene, &error))
        << error;
    cairo_surface_t* image = cairo_image_surface_create_from_png(scene.c_str());
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                                 y * cairo_image_surface_get_stride(image))[x] & 0xffffff;
    };
    EXPECT_EQ(pixel(11, 12), 0x000000u) << "one body, its frame's top left at (10, 12)";
    EXPECT_EQ(pixel(5, 7), 0x000000u) << "the other, its frame's top left at (4, 6)";
    EXPECT_EQ(pixel(16, 8), 0xffffffu) << "beside the other body, in the empty part of its frame";
    EXPECT_EQ(pixel(30, 30), 0xffffffu) << "the picture";
    cairo_surface_destroy(image);
}

}  // namespace
