// Scan conversion of one outline: commands to edges, edges to sub-scanline coverage, coverage to runs.
#include "engine/graphics/vecdraw_internal.h"

#include <algorithm>
#include <cmath>

namespace {

enum Command : uint8_t { kNewPath = 1, kFill0, kFill1, kMove, kLine, kCurve, kColour, kEnd };
constexpr size_t kCommandSize[9] = {0, 1, 2, 2, 5, 5, 9, 4, 1};
constexpr int kCells = 3200;
constexpr int kCellOrigin = 1600;  // cell p stands for pixel p - 1600 from the shape's x
constexpr int kFirstFillPath = 2;

float Coordinate(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)) * (1.0f / 128.0f); }

}  // namespace

void TQvMiniVecDraw::Scan::Reset(float scaleY) {
    edges.clear();
    size_t inUse = static_cast<size_t>(std::max(1.0f, std::trunc(scaleY + 1))) * 1024;
    if (buckets.size() < inUse) buckets.assign(inUse, -1);
    rowOffset = static_cast<int>(inUse / 2);
    bucketsInUse = static_cast<int>(inUse);
    lowest = 99999;
    highest = -99999;
}

TQvMiniVecDraw::Scan::Point TQvMiniVecDraw::Scan::Transform(Point p) const {
    if (slant) p.x -= p.y / 3;
    p.x *= scaleX;
    p.y *= scaleY;
    if (sine != 0) p = {p.x * cosine - p.y * sine, p.x * sine + p.y * cosine};
    return p;
}

void TQvMiniVecDraw::Scan::AddEdge(Point a, Point b, int path, uint8_t colourByte, bool strokeLayer) {
    a = Transform(a);
    b = Transform(b);
    bool swapped = b.y < a.y;
    if (swapped) std::swap(a, b);
    if (strokeLayer) colourByte = swapped ? 1 : 0;
    int startRow = static_cast<int>(std::floor(a.y)), endRow = static_cast<int>(std::floor(b.y));
    if (startRow == endRow) return;
    // Rows outside the bucket table cannot be scanned: clip the edge to it.
    int top = -rowOffset, bottom = bucketsInUse - rowOffset - 1;
    if (endRow < top || startRow > bottom) return;
    startRow = std::max(startRow, top);
    highest = std::max(highest, std::min(endRow, bottom));
    lowest = std::min(lowest, startRow);
    Edge edge{a.x, a.y, b.x, b.y, (b.x - a.x) / (b.y - a.y), 0, colourByte, static_cast<uint8_t>(path),
              buckets[startRow + rowOffset]};
    buckets[startRow + rowOffset] = static_cast<int>(edges.size());
    edges.push_back(edge);
}

void TQvMiniVecDraw::Scan::AddPiece(Point from, Point to, int path, uint8_t fillStyle) {
    for (int layer = 0; layer < 2 && halfWidth[layer] != 0; ++layer) AddStroke(from, to, layer);
    AddEdge(from, to, path, fillStyle, false);
}

void TQvMiniVecDraw::Scan::AddStroke(Point from, Point to, int layer) {
    float dx = to.x - from.x, dy = to.y - from.y, length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return;
    float ox = 4 * halfWidth[layer] / scaleX * dx / length, oy = 4 * halfWidth[layer] / scaleY * dy / length;
    Point hexagon[6] = {{from.x + oy, from.y - ox}, {from.x - ox, from.y - oy}, {from.x - oy, from.y + ox},
                        {to.x - oy, to.y + ox},     {to.x + ox, to.y + oy},     {to.x + oy, to.y - ox}};
    for (int i = 0; i < 6; ++i) AddEdge(hexagon[i], hexagon[(i + 1) % 6], layer, 0, true);
}

// Interprets the commands up to the end command, the end of the data or a byte that is no command.
void TQvMiniVecDraw::Scan::Interpret(const uint8_t* outline, size_t limit, TQvMiniVecDraw& owner) {
    int path = kFirstFillPath, colours = 0, base = 0;
    uint8_t fill[2] = {0, 0};
    Point pen{0, 0};
    owner.SetColor(0, 0, 0, 0, 0);
    for (size_t at = 0; at < limit;) {
        uint8_t command = outline[at];
        if (command < kNewPath || command > kEnd || at + kCommandSize[command] > limit || command == kEnd) break;
        const uint8_t* operands = outline + at + 1;
        switch (command) {
        case kNewPath:
            ++path;
            base = colours;
            fill[0] = fill[1] = 0;
            break;
        case kFill0:
        case kFill1:
            fill[command - kFill0] = operands[0] ? static_cast<uint8_t>(operands[0] + base) : 0;
            break;
        case kMove:
            pen = {Coordinate(operands), Coordinate(operands + 2)};
            break;
        case kLine: {
            Point to{Coordinate(operands), Coordinate(operands + 2)};
            AddPiece(pen, to, path, fill[0] ? fill[0] : fill[1]);
            pen = to;
            break;
        }
        case kCurve: {
            Point c{Coordinate(operands), Coordinate(operands + 2)}, end{Coordinate(operands + 4), Coordinate(operands + 6)};
            Point start = pen;
            for (float t : {1.0f / 3.0f, 2.0f / 3.0f, 1.0f}) {
                Point p{start.x + 2 * t * (c.x - start.x) + t * t * (start.x - 2 * c.x + end.x),
                        start.y + 2 * t * (c.y - start.y) + t * t * (start.y - 2 * c.y + end.y)};
                if (t == 1.0f) p = end;
                AddPiece(pen, p, path, fill[0] ? fill[0] : fill[1]);
                pen = p;
            }
            break;
        }
        case kColour:
            ++colours;
            owner.SetColor(colours, operands[0] / 255.0f, operands[1] / 255.0f, operands[2] / 255.0f, 1.0f);
            break;
        }
        at += kCommandSize[command];
    }
}

void TQvMiniVecDraw::Scan::Accumulate(int x0, int x1, int slot) {
    int start = std::max((x0 + 4 * kCellOrigin) >> 2, 0);
    int end = std::min((x1 + 4 * kCellOrigin + 1) >> 2, kCells - 1);
    if (end < 0 || start >= kCells) return;
    int8_t* row = coverage[slot];
    row[start] += 4 - (x0 & 3);
    row[start + 1] += x0 & 3;
    row[end] += ((x1 + 1) & 3) - 4;
    row[end + 1] -= (x1 + 1) & 3;
    touchedLow = std::min(touchedLow, start);
    touchedHigh = std::max(touchedHigh, end + 1);
    dirty[slot] = true;
}

void TQvMiniVecDraw::Scan::Resolve(int pixelRow, TQvMiniVecDraw& owner) {
    for (int slot = 0; slot < 4; ++slot) {
        if (!dirty[slot]) continue;
        dirty[slot] = false;
        int8_t* row = coverage[slot];
        uint8_t level = 255;
        int runStart = touchedLow;
        for (int p = touchedLow; p <= touchedHigh; ++p) {
            uint8_t next = static_cast<uint8_t>(level + row[p]);
            row[p] = 0;
            if (next == level) continue;
            if (level != 255) owner.EmitRun(runStart - kCellOrigin, p - kCellOrigin, pixelRow, level, slot);
            level = next;
            runStart = p;
        }
    }
    touchedLow = kCells - 1;
    touchedHigh = 0;
}

int TQvMiniVecDraw::Scan::TopColour() const {
    for (int path = 255; path >= 0; --path)
        if (pathValue[path]) return pathValue[path];
    return 0;
}

void TQvMiniVecDraw::Scan::Convert(int phaseX, int y, TQvMiniVecDraw& owner, const uint8_t* colourSlot) {
    std::vector<int> active;
    int shapeRow = y >> 2;
    for (int s = lowest; s <= highest; ++s) {
        int absolute = s + y;
        int pixelRow = absolute >> 2;

        active.erase(std::remove_if(active.begin(), active.end(), [&](int e) { return edges[e].y1 < s; }),
                     active.end());
        for (int e : active) edges[e].x += edges[e].slope;
        for (size_t i = 1; i < active.size(); ++i)  // nearly sorted: one insertion pass keeps it stable
            for (size_t j = i; j > 0 && edges[active[j]].x < edges[active[j - 1]].x; --j)
                std::swap(active[j], active[j - 1]);
        for (int e = buckets[s + rowOffset]; e >= 0; e = edges[e].next) {
            edges[e].x = (s - edges[e].y0) * edges[e].slope + edges[e].x0 + phaseX;
            auto place = std::upper_bound(active.begin(), active.end(), edges[e].x,
                                          [&](float x, int other) { return x < edges[other].x; });
            active.insert(place, e);
        }
        buckets[s + rowOffset] = -1;

        WalkRow(active, s, colourSlot);
        if ((absolute & 3) == 3 || s == highest) Resolve(pixelRow - shapeRow, owner);
    }
    std::fill(std::begin(pathValue), std::end(pathValue), 0);
    std::fill(std::begin(winding), std::end(winding), 0);
}

void TQvMiniVecDraw::Scan::WalkRow(const std::vector<int>& active, int s, const uint8_t* colourSlot) {
    int runStart = 0, runEnd = 0, colour = -1, slot = 0;
    bool open = false;
    for (int e : active) {
        Edge& edge = edges[e];
        if (!(edge.y0 < s)) continue;
        int x = static_cast<int>(std::lround(edge.x));
        int top = TopColour();
        if (top == 0) {
            if (open && runEnd >= runStart) Accumulate(runStart, runEnd, slot);
            runStart = x;
            open = false;
        } else if (top != colour) {
            if (open && runEnd >= runStart) Accumulate(runStart, runEnd, slot);
            colour = top;
            slot = colourSlot[top];
            runStart = runEnd;
            open = true;
        } else {
            open = true;
        }
        runEnd = x;
        if (edge.path < kFirstFillPath) {
            winding[edge.path] += edge.colour ? 1 : -1;
            pathValue[edge.path] = winding[edge.path] ? static_cast<uint8_t>(255 - edge.path) : 0;
        } else {
            pathValue[edge.path] = pathValue[edge.path] == edge.colour ? 0 : edge.colour;
        }
    }
    if (open && runEnd >= runStart) Accumulate(runStart, runEnd, slot);
}
