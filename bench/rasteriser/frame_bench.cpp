// Times the reference frame drawn by our rasteriser (point and linear sampling), SDL2's software renderer and
// pixman (nearest and bilinear), one core each, in the same run. Each renderer draws the frame sequence several
// times over; the best mean is kept, since other work on the machine only ever adds time.
//
//   bench_rasteriser [frames per pass, default 200] [passes, default 3]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "bench/rasteriser/drawers.h"

namespace {

using bench::FrameDraws;
using bench::FrameDrawer;

double BestMeanMs(FrameDrawer& drawer, const std::vector<FrameDraws>& frames, int passes) {
  drawer.Draw(frames.front());  // warm caches and lazily made state
  double best = std::numeric_limits<double>::infinity();
  for (int pass = 0; pass < passes; ++pass) {
    auto start = std::chrono::steady_clock::now();
    for (const FrameDraws& f : frames) drawer.Draw(f);
    std::chrono::duration<double, std::milli> total = std::chrono::steady_clock::now() - start;
    best = std::min(best, total.count() / static_cast<double>(frames.size()));
  }
  return best;
}

struct Row {
  std::string name;
  double ms;  // negative: the renderer was not available
};

double Time(std::vector<Row>* rows, const char* name, std::unique_ptr<FrameDrawer> drawer,
            const std::vector<FrameDraws>& frames, int passes) {
  double ms = drawer ? BestMeanMs(*drawer, frames, passes) : -1;
  rows->push_back({name, ms});
  return ms;
}

double Faster(double a, double b) {
  if (a < 0) return b;
  if (b < 0) return a;
  return std::min(a, b);
}

}  // namespace

int main(int argc, char** argv) {
  int frameCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  bench::Pictures pictures = bench::MakePictures();
  std::vector<FrameDraws> frames;
  for (int f = 0; f < frameCount; ++f) frames.push_back(bench::DrawsOfFrame(f));

  using bench::Sampling;
  std::vector<Row> rows;
  double sdl = Time(&rows, "SDL2 software renderer, nearest", bench::MakeSdlDrawer(pictures), frames, passes);
  double pixmanNearest = Time(&rows, "pixman, nearest", bench::MakePixmanDrawer(pictures, Sampling::kNearest),
                              frames, passes);
  double pixmanBilinear = Time(&rows, "pixman, bilinear", bench::MakePixmanDrawer(pictures, Sampling::kBilinear),
                               frames, passes);
  double oursPoint = Time(&rows, "ours, point sampling", bench::MakeOurDrawer(pictures, Sampling::kNearest), frames,
                          passes);
  double oursLinear = Time(&rows, "ours, linear sampling", bench::MakeOurDrawer(pictures, Sampling::kBilinear),
                           frames, passes);

  std::printf("reference frame, mean of %d frames, best of %d passes\n\n", frameCount, passes);
  std::printf("| renderer | ms/frame |\n|---|---|\n");
  for (const Row& r : rows) {
    if (r.ms < 0)
      std::printf("| %s | unavailable |\n", r.name.c_str());
    else
      std::printf("| %s | %.2f |\n", r.name.c_str(), r.ms);
  }
  double nearestPeer = Faster(sdl, pixmanNearest);
  std::printf("\nours / faster peer: point %.2f, linear %.2f\n", oursPoint / nearestPeer,
              oursLinear / pixmanBilinear);
  return 0;
}
