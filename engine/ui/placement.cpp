#include "engine/ui/placement.h"

namespace {

bool IsCentreRange(int32_t pos) {
    return pos >= kPlainLimit && pos <= kCentreRangeEnd;
}

// A size above 80000 is the parent's size less the distance of (160000 - size).
void ResolveRelativeSize(int32_t& pos, int32_t& size, int32_t parentSize, bool alignGiven) {
    if (pos > kPlainLimit) {
        ResolveSpan(pos, size, parentSize);
        return;
    }
    pos = ResolvePosition(pos, size, parentSize, alignGiven);
    size = size - kFarEdge + parentSize - pos;
}

}  // namespace

int32_t ResolvePosition(int32_t pos, int32_t size, int32_t parentSize, bool alignGiven) {
    if (pos > kCentreRangeEnd) return pos - kFarEdge + parentSize;
    if (pos > kPlainLimit) return parentSize / 2 - size / 2 + (pos - kCentre);
    if (pos < 0 && !alignGiven) return pos + parentSize;
    return pos;
}

void ResolveSpan(int32_t& pos, int32_t& size, int32_t parentSize) {
    int32_t offset = pos > kCentreRangeEnd ? pos - kFarEdge + parentSize : pos - kCentre;
    if (offset >= 0) {
        size = size + parentSize - (2 * offset + kFarEdge);
        pos = 2 * offset;
    } else {
        size = size + parentSize + 2 * offset - kFarEdge;
        pos = 0;
    }
}

void ResolveAxis(int32_t& pos, int32_t& size, int32_t parentSize, bool centre, bool far, bool alignGiven,
                 bool hasParent) {
    if (!IsCentreRange(pos) && (centre || far)) {
        if (size == 0) return;
        pos -= centre ? size / 2 : size;
    }
    if (!hasParent) return;
    if (size > kCentre) {
        ResolveRelativeSize(pos, size, parentSize, alignGiven);
    } else if (size >= 0) {
        pos = ResolvePosition(pos, size, parentSize, alignGiven);
    } else {
        size = -size;
        if (size > kCentre) {
            // A relative size measured backwards reads as the forward one.
            ResolveRelativeSize(pos, size, parentSize, alignGiven);
        } else {
            pos = ResolvePosition(pos, size, parentSize, alignGiven);
            pos -= size;
        }
    }
}
