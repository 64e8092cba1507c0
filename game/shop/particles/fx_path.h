// clsFxPath: the way an effect travels, a list of cubic Bezier segments of four 3-D control points.
#pragma once

#include <array>
#include <vector>

class clsFxPath {
public:
    using Segment = std::array<float, 12>;  // P0..P3 as x, y, z each

    explicit clsFxPath(int capacity) : segments_(capacity > 0 ? capacity : 0) {}

    void Clear() { count_ = cursor_ = 0; }
    // False when the path is full.
    bool AddSegment(const float points[12]);
    // False for an index beyond the segments added.
    bool GetSegment(int index, float points[12]) const;
    bool SetSegment(int index, const float points[12]);
    // The cursor to the first segment; false when the path is empty.
    bool First();
    // The cursor to the next segment; false when empty or at the last one.
    bool Next();
    int GetCursor() const { return cursor_; }
    int GetCount() const { return count_; }
    // The segment under the cursor; only after First or Next has answered true.
    const float* Current() const { return segments_[cursor_].data(); }

private:
    std::vector<Segment> segments_;
    int count_ = 0;
    int cursor_ = 0;
};

// Fills one control point.
inline void Vec3Set(float* out, float x, float y, float z) {
    out[0] = x, out[1] = y, out[2] = z;
}
