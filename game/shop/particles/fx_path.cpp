#include "game/shop/particles/fx_path.h"

#include <algorithm>

bool clsFxPath::AddSegment(const float points[12]) {
    if (count_ >= static_cast<int>(segments_.size())) return false;
    std::copy_n(points, 12, segments_[count_++].begin());
    return true;
}

bool clsFxPath::GetSegment(int index, float points[12]) const {
    if (index < 0 || index >= count_) return false;
    std::copy_n(segments_[index].begin(), 12, points);
    return true;
}

bool clsFxPath::SetSegment(int index, const float points[12]) {
    if (index < 0 || index >= count_) return false;
    std::copy_n(points, 12, segments_[index].begin());
    return true;
}

bool clsFxPath::First() {
    cursor_ = 0;
    return count_ > 0;
}

bool clsFxPath::Next() {
    if (count_ == 0 || cursor_ >= count_ - 1) return false;
    ++cursor_;
    return true;
}
