// The description of an animation: which picture sheet holds the frames, where each frame lies in it,
// its registration point, transform, opacity and anchors, and the Lua script that plays the frames. Read
// from XML (".xml") or from the chunked binary form (".anm"); both fill the same records.
#pragma once

#include "engine/core/base/tstring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct AnimAnchor {
    TString name;
    int x = 0, y = 0;
};

struct AnimFrame {
    static constexpr float kNoTransform = -1e7f;

    TString name;
    int x = 0, y = 0, w = 0, h = 0;
    int regx = 0, regy = 0;
    std::vector<AnimAnchor> anchors;
    float xform[6] = {kNoTransform, 0, 0, 0, 0, 0};  // a, b, c, d, tx, ty
    float alpha = 1.0f;

    bool HasTransform() const { return xform[0] != kNoTransform; }
};

struct AnimSequence {
    TString name, source;
    TString file;    // the description's file name
    TString image, mask;
    TString folder;  // of the description, with its last '/' or '\'
    TString script;
    int maxWidth = 0, maxHeight = 0;
    int currentFrame = -1;
    int regx = 0, regy = 0, w = 0, h = 0;
    std::vector<AnimFrame> frames;

    int FrameCount() const { return static_cast<int>(frames.size()); }
    // Finds the description by name (then with ".xml", then ".anm") and reads it; false on failure.
    bool Load(const TString& fileName);
    bool LoadXml(const TString& fileName);
    bool LoadAnm(const TString& fileName);
    // Reads the binary form from memory (for the loader and for tests); false when it is damaged.
    bool ParseAnm(const uint8_t* bytes, size_t size);
};

// The script made for a description without one: delay(60) and every frame in turn.
TString DefaultAnimScript(int frameCount);
