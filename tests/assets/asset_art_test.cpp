// The built art tells its pieces apart at a glance: no two potions share a liquid hue, every
// customer differs from every other in outline and in colour, and so does every kind of the bottle
// game's pieces.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kCustomers[] = {"witch", "mage", "vampire", "shadow", "druid", "medusa", "2head"};
constexpr double kPotionHueMargin = 15.0;    // degrees between any two potions' liquids
constexpr double kCustomerHueMargin = 15.0;  // degrees between any two customers' mean colours
constexpr double kCustomerShapeMargin = 0.15;  // share of the outlines' union that only one covers
// The bottle game's pieces: the first frame of each kind's action on its sheet of 36 x 36 frames
// (four colours, the bomb, the black bottle), and how far any two stand apart at that size.
const int kPieceFrames[] = {1, 5, 9, 13, 17, 21};
constexpr double kPieceShapeMargin = 0.12;
constexpr double kPieceHueMargin = 40.0;  // between the four colours

struct Pixel {
    double hue = 0, saturation = 0, value = 0, alpha = 0;
};

// The first frame of a built animation, pixel by pixel.
struct Frame {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;
    const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Pixel FromArgb(uint32_t argb) {
    Pixel p;
    p.alpha = (argb >> 24) / 255.0;
    if (p.alpha == 0) return p;
    double r = ((argb >> 16) & 255) / 255.0 / p.alpha, g = ((argb >> 8) & 255) / 255.0 / p.alpha,
           b = (argb & 255) / 255.0 / p.alpha;
    double high = std::max({r, g, b}), low = std::min({r, g, b}), range = high - low;
    p.value = high;
    p.saturation = high > 0 ? range / high : 0;
    if (range > 0) {
        double h = high == r ? (g - b) / range : high == g ? 2 + (b - r) / range : 4 + (r - g) / range;
        p.hue = std::fmod(h * 60 + 360, 360);
    }
    return p;
}

// Frame number of a built animation (1 is the first).
Frame NthFrame(const std::string& name, int number) {
    Frame frame;
    std::ifstream xml(std::string(ALEMBRIA_ASSET_DIR) + "/" + name + ".xml");
    std::stringstream text;
    text << xml.rdbuf();
    std::smatch place;
    std::string content = text.str();
    std::string pattern = "<frame name=\"" + std::to_string(number) + R"re(" x="(\d+)" y="(\d+)" w="(\d+)" h="(\d+)")re";
    if (!std::regex_search(content, place, std::regex(pattern))) {
        ADD_FAILURE() << name << ": no frame " << number;
        return frame;
    }
    cairo_surface_t* sheet = cairo_image_surface_create_from_png((std::string(ALEMBRIA_ASSET_DIR) + "/" + name + ".png").c_str());
    if (cairo_surface_status(sheet) == CAIRO_STATUS_SUCCESS) {
        int left = std::stoi(place[1]), top = std::stoi(place[2]);
        frame.width = std::stoi(place[3]);
        frame.height = std::stoi(place[4]);
        const unsigned char* data = cairo_image_surface_get_data(sheet);
        int stride = cairo_image_surface_get_stride(sheet);
        for (int y = top; y < top + frame.height; ++y)
            for (int x = left; x < left + frame.width; ++x)
                frame.pixels.push_back(FromArgb(reinterpret_cast<const uint32_t*>(data + y * stride)[x]));
    } else {
        ADD_FAILURE() << name << ": no sheet";
    }
    cairo_surface_destroy(sheet);
    return frame;
}

Frame FirstFrame(const std::string& name) { return NthFrame(name, 1); }

// The mean hue (a circular mean weighted by saturation) of the coloured pixels in the rows from top
// to bottom (shares of the height).
double MeanHue(const Frame& frame, double top = 0, double bottom = 1) {
    double x = 0, y = 0;
    for (int row = int(top * frame.height); row < int(bottom * frame.height); ++row) {
        for (int column = 0; column < frame.width; ++column) {
            const Pixel& p = frame.at(column, row);
            if (p.alpha < 0.9 || p.saturation < 0.35 || p.value < 0.3) continue;
            x += p.saturation * std::cos(p.hue * M_PI / 180);
            y += p.saturation * std::sin(p.hue * M_PI / 180);
        }
    }
    return std::fmod(std::atan2(y, x) * 180 / M_PI + 360, 360);
}

double HueDistance(double a, double b) {
    double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// The share of the two outlines' union that only one of them covers.
double ShapeDifference(const Frame& a, const Frame& b) {
    int both = 0, either = 0;
    for (size_t i = 0; i < std::min(a.pixels.size(), b.pixels.size()); ++i) {
        bool inA = a.pixels[i].alpha > 0.5, inB = b.pixels[i].alpha > 0.5;
        both += inA && inB;
        either += inA || inB;
    }
    return either ? 1.0 - double(both) / either : 0.0;
}

TEST(AssetArtTest, NoTwoPotionsShareALiquidHue) {
    std::vector<double> hues;
    for (int n = 1; n <= 10; ++n)
        hues.push_back(MeanHue(FirstFrame("anim/potions/potion" + std::to_string(n)), 0.6, 0.9));
    for (size_t i = 0; i < hues.size(); ++i)
        for (size_t j = i + 1; j < hues.size(); ++j)
            EXPECT_GE(HueDistance(hues[i], hues[j]), kPotionHueMargin)
                << "potions " << i + 1 << " (" << hues[i] << "°) and " << j + 1 << " (" << hues[j] << "°)";
}

TEST(AssetArtTest, EveryCustomerStandsApartInOutlineAndColour) {
    std::vector<Frame> frames;
    for (const char* customer : kCustomers)
        frames.push_back(FirstFrame(std::string("anim/") + customer + "/" + customer + "_stand"));
    for (size_t i = 0; i < frames.size(); ++i) {
        for (size_t j = i + 1; j < frames.size(); ++j) {
            SCOPED_TRACE(std::string(kCustomers[i]) + " and " + kCustomers[j]);
            EXPECT_GE(ShapeDifference(frames[i], frames[j]), kCustomerShapeMargin);
            EXPECT_GE(HueDistance(MeanHue(frames[i]), MeanHue(frames[j])), kCustomerHueMargin);
        }
    }
}

TEST(AssetArtTest, EveryKindOfPieceStandsApartInOutlineAndTheColoursInHue) {
    std::vector<Frame> frames;
    for (int number : kPieceFrames) frames.push_back(NthFrame("anim/collapse/collapsepieces", number));
    for (size_t i = 0; i < frames.size(); ++i) {
        for (size_t j = i + 1; j < frames.size(); ++j) {
            SCOPED_TRACE("frames " + std::to_string(kPieceFrames[i]) + " and " + std::to_string(kPieceFrames[j]));
            EXPECT_GE(ShapeDifference(frames[i], frames[j]), kPieceShapeMargin);
            if (j < 4) EXPECT_GE(HueDistance(MeanHue(frames[i]), MeanHue(frames[j])), kPieceHueMargin);
        }
    }
}

}  // namespace
