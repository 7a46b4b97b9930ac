#pragma once

#include <vector>

#include "app/form1.h"

namespace dialvane::testing {

// The instrument window, recording the size each resize reaction saw and the pivot it left.
class ResizeProbe : public Form1 {
public:
    using Form1::Form1;

    struct Seen {
        float width, height, pivotX, pivotY;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;

    void Form_Resize() override {
        Form1::Form_Resize();
        seen.push_back({width(), height(), SecZ.x1(), SecZ.y1()});
    }
};

}  // namespace dialvane::testing
