// The radio group of a button: the run of windows, in the order they were added, from the nearest
// window marked as a group start at or before the button up to the next group start.
#pragma once

#include "engine/ui/window_spider.h"

class TButton;
class TWindow;

class TRadioButtonSpider : public TWindowSpider {
public:
    explicit TRadioButtonSpider(TButton* button) : button_(button) {}

    // Switches off every other button of the group below root.
    void SwitchOffGroup(TWindow* root);
    bool Visit(TWindow* window) override;

private:
    void FindGroupStart(TWindow* window);
    void SwitchOff(TWindow* window);

    TButton* button_;
    int phase_ = 0;  // 0 finds the group start, 1 switches the group off
    bool found_ = false;
    bool done_ = false;
    TWindow* groupStart_ = nullptr;
};
