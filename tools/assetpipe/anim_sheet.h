// Rendering an animation description to the files the engine loads: one picture sheet holding
// every frame and the animation XML that cuts it into frames and carries the action script.
#pragma once

#include <string>

#include "tools/assetpipe/anim_description.h"

namespace assetpipe {

// Where frame i (0-based) sits in the sheet.
struct SheetLayout {
    int columns = 1;
    int width = 0, height = 0;  // the sheet's size
    int cellX(int frame) const;
    int cellY(int frame) const;
    int frameWidth = 0, frameHeight = 0;
};

// Kept between frames so texture filtering never mixes neighbours.
constexpr int kFrameGap = 2;
// The largest surface the engine accepts for a normal texture.
constexpr int kMaxSheetSide = 1024;

// The grid with the smallest power-of-two surface that holds frameCount frames; false when even
// the best grid exceeds the largest sheet.
bool LayoutSheet(int frameWidth, int frameHeight, int frameCount, SheetLayout* layout);

// The animation XML: the sheet's file name, one frame element per frame with the registration
// point, and the action script.
std::string AnimationXml(const AnimDescription& description, const std::string& name, const std::string& sheetFile,
                         const SheetLayout& layout);

// Renders the description at descriptionPath into xmlPath and, beside it, the sheet
// "<stem>.png" (stem: the XML's file name without ".xml"). With a depfile path, also writes there
// the make rule naming the SVG the XML depends on, so a build reruns it when the SVG changes.
bool RenderAnimation(const std::string& descriptionPath, const std::string& xmlPath, const std::string& depfilePath,
                     std::string* error);

}  // namespace assetpipe
