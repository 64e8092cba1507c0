// Private parts of TQvMiniVecDraw shared by its source files.
#pragma once

#include "engine/graphics/vecdraw.h"

#include <map>
#include <tuple>

struct TQvMiniVecDraw::Scan {
    struct Point {
        float x, y;
    };
    struct Edge {
        float x0, y0, x1, y1;
        float slope;  // dx per sub-scanline
        float x;      // at the current sub-scanline
        uint8_t colour;
        uint8_t path;
        int next;  // next edge of the same bucket
    };

    void Reset(float scaleY);
    void Interpret(const uint8_t* outline, size_t limit, TQvMiniVecDraw& owner);
    void Convert(int phaseX, int y, TQvMiniVecDraw& owner, const uint8_t* colourSlot);

    Point Transform(Point p) const;
    void AddPiece(Point from, Point to, int path, uint8_t fillStyle);
    void AddStroke(Point from, Point to, int layer);
    void AddEdge(Point a, Point b, int path, uint8_t colourByte, bool strokeLayer);
    void WalkRow(const std::vector<int>& active, int s, const uint8_t* colourSlot);
    void Accumulate(int x0, int x1, int slot);
    void Resolve(int row, TQvMiniVecDraw& owner);
    int TopColour() const;

    // Transform, copied from the owner per shape.
    float scaleX = 1, scaleY = 1, cosine = 1, sine = 0, halfWidth[2] = {0, 0};
    bool slant = false;

    std::vector<Edge> edges;
    std::vector<int> buckets;  // first edge starting at each sub-scanline, -1 for none
    int bucketsInUse = 0, rowOffset = 0, lowest = 0, highest = 0;

    uint8_t pathValue[256] = {};
    int winding[2] = {};

    int8_t coverage[4][3202] = {};
    int touchedLow = 3199, touchedHigh = 0;
    bool dirty[4] = {};
};

struct TQvMiniVecDraw::Key {
    const uint8_t* outline;
    int phaseX, phaseY;
    float scaleX, scaleY, halfWidth0, halfWidth1;
    bool slant;
    float cosine, sine;

    auto Tie() const {
        return std::tie(outline, phaseX, phaseY, scaleX, scaleY, halfWidth0, halfWidth1, slant, cosine, sine);
    }
    bool operator<(const Key& other) const { return Tie() < other.Tie(); }
};

struct TQvMiniVecDraw::Cache {
    struct Span {
        int16_t x0, x1, row;
        uint8_t level;  // 255 ends a shape's list
        uint8_t slot;
    };

    std::map<Key, size_t> shapes;  // first span of each cached shape
    std::vector<Span> spans;
};
