// TWindowSpider: a visitor over a window's children (TWindow::WalkChildren), and the visitors the
// window tree uses itself.
#pragma once

#include <cstdint>

class TWindow;

class TWindowSpider {
public:
    virtual ~TWindowSpider() = default;
    // False ends the walk.
    virtual bool Visit(TWindow* window) = 0;
};

// Takes each child out of its owner and hands it to the window manager's deferred deletion.
class ChildrenDelete : public TWindowSpider {
public:
    explicit ChildrenDelete(TWindow* owner) : owner_(owner) {}
    bool Visit(TWindow* window) override;

private:
    TWindow* owner_;
};

// The smallest size, at least the owner's, that holds every child visited.
class GetLargest : public TWindowSpider {
public:
    explicit GetLargest(const TWindow& owner);
    bool Visit(TWindow* window) override;

    int32_t width;
    int32_t height;
};

// Keeps only the flag bits of the mask, on each window visited (and its subtree when recursive).
class TWindowClearFlags : public TWindowSpider {
public:
    TWindowClearFlags(uint32_t mask, bool recursive) : mask_(mask), recursive_(recursive) {}
    bool Visit(TWindow* window) override;

private:
    uint32_t mask_;
    bool recursive_;
};

// Tells every window of a subtree, deepest first, that the modal window above it was popped.
class TModalPoppedSpider : public TWindowSpider {
public:
    bool Visit(TWindow* window) override;
};
