// The renderers compared by the benchmark, each drawing the reference frame into its own 800 x 600 target.
#pragma once

#include <memory>

#include "bench/rasteriser/reference_frame.h"

namespace bench {

class FrameDrawer {
 public:
  virtual ~FrameDrawer() = default;
  virtual void Draw(const FrameDraws& draws) = 0;
};

enum class Sampling { kNearest, kBilinear };

// Our device in the game's 2-D state.
std::unique_ptr<FrameDrawer> MakeOurDrawer(const Pictures& pictures, Sampling sampling);
// Null when the library cannot make a renderer.
std::unique_ptr<FrameDrawer> MakeSdlDrawer(const Pictures& pictures);
std::unique_ptr<FrameDrawer> MakePixmanDrawer(const Pictures& pictures, Sampling sampling);

}  // namespace bench
