#include <gtest/gtest.h>

#include "engine/ui/window.h"

namespace {

struct PlacementCase {
    const char* what;
    TPlacement placement;
    TRect expected;
};

// A child placed inside an 800 x 600 parent.
TRect PlaceIn800x600(const TPlacement& placement) {
    TWindow parent;
    parent.SetSize(800, 600);
    TWindow* child = new TWindow();
    parent.AddChild(child, false);
    child->ApplyPlacement(placement);
    return child->GetRect();
}

TEST(PlacementTest, EncodedCoordinatesResolveAgainstTheParent) {
    const PlacementCase cases[] = {
        {"plain", {10, 20, 100, 50, -1}, TRect(10, 20, 110, 70)},
        {"centred", {80000, 80000, 100, 50, -1}, TRect(350, 275, 450, 325)},
        {"offset from the centre", {80010, 79990, 100, 50, -1}, TRect(360, 265, 460, 315)},
        {"40000 is a plain position", {40000, 0, 10, 10, -1}, TRect(40000, 0, 40010, 10)},
        {"from the far edge", {160000 - 10, 160000 - 20, 10, 20, -1}, TRect(790, 580, 800, 600)},
        {"negative without align", {-10, -20, 5, 5, -1}, TRect(790, 580, 795, 585)},
        {"negative with align", {-10, 0, 5, 5, 0}, TRect(-10, 0, -5, 5)},
        {"right aligned", {100, 0, 50, 10, kAlignRight}, TRect(50, 0, 100, 10)},
        {"centre aligned", {100, 100, 50, 10, kAlignCentre | kAlignBottom}, TRect(75, 90, 125, 100)},
        {"full relative size", {0, 0, 160000, 160000, -1}, TRect(0, 0, 800, 600)},
        {"relative size less 20", {0, 10, 160000 - 20, 160000 - 20, -1}, TRect(0, 10, 780, 580)},
        {"negative size lies before", {500, 0, -100, 10, -1}, TRect(400, 0, 500, 10)},
        {"span around the centre", {80000 + 50, 80000, 160000, 160000 - 100, -1}, TRect(100, 0, 800, 500)},
        {"span left of the centre", {80000 - 50, 0, 160000, 10, -1}, TRect(0, 0, 700, 10)},
    };
    for (const PlacementCase& c : cases) EXPECT_EQ(PlaceIn800x600(c.placement), c.expected) << c.what;
}

TEST(PlacementTest, WaitsForTheParentsExtentThenFillsOnlyZeroFields) {
    TWindow parent;
    TWindow* child = new TWindow();
    parent.AddChild(child, false);
    const TPlacement centred{80000, 10, 100, 40, -1};

    child->ApplyPlacement(centred);
    EXPECT_EQ(child->GetRect(), TRect()) << "a parent of width 0 leaves the window alone";

    parent.SetSize(800, 600);
    child->ApplyPlacement(centred);
    EXPECT_EQ(child->GetRect(), TRect(350, 10, 450, 50));

    child->SetSize(300, 40);  // the children made it grow
    child->ApplyPlacement(centred);
    EXPECT_EQ(child->GetRect(), TRect(350, 10, 650, 50)) << "position and size already set are kept";
}

TEST(PlacementTest, RelativePositionNeedsAWindowSize) {
    TWindow parent;
    parent.SetSize(800, 600);
    TWindow* child = new TWindow();
    parent.AddChild(child, false);
    child->ApplyPlacement({160000, 0, 0, 10, -1});
    EXPECT_EQ(child->GetRect(), TRect());
}

}  // namespace
