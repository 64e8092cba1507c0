// Times the reference frame drawn by our rasteriser (point and linear sampling), SDL2's software renderer and
// pixman (nearest and bilinear), one core each, in the same run. Each renderer draws the frame sequence several
// times over and each frame keeps its best time, since other work on the machine only ever adds time.
//
//   bench_rasteriser [frames per pass, default 200] [passes, default 5] [only renderers whose name holds this]
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

using bench::FrameDrawer;
using bench::FrameDraws;

// Each frame's time is the best of its passes, so a frame interrupted in one pass counts with its clean time from
// another; the result is the mean of those over the sequence.
double BestMeanMs(FrameDrawer& drawer, const std::vector<FrameDraws>& frames, int passes) {
  drawer.Draw(frames.front());  // warm caches and lazily made state
  std::vector<double> best(frames.size(), std::numeric_limits<double>::infinity());
  for (int pass = 0; pass < passes; ++pass) {
    for (size_t f = 0; f < frames.size(); ++f) {
      auto start = std::chrono::steady_clock::now();
      drawer.Draw(frames[f]);
      std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
      best[f] = std::min(best[f], ms.count());
    }
  }
  double sum = 0;
  for (double ms : best) sum += ms;
  return sum / static_cast<double>(frames.size());
}

struct Row {
  std::string name;
  double ms;  // negative: the renderer was not available
};

struct Run {
  std::vector<FrameDraws> frames;
  int passes;
  std::string only;
};

// Makes the drawer only when the run asks for it.
template <typename Make>
double Time(std::vector<Row>* rows, const char* name, const Run& run, Make make) {
  if (std::string(name).find(run.only) == std::string::npos) return -1;
  std::unique_ptr<FrameDrawer> drawer = make();
  double ms = drawer ? BestMeanMs(*drawer, run.frames, run.passes) : -1;
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
  Run run{{}, argc > 2 ? std::max(1, std::atoi(argv[2])) : 5, argc > 3 ? argv[3] : ""};
  bench::Pictures pictures = bench::MakePictures();
  for (int f = 0; f < frameCount; ++f) run.frames.push_back(bench::DrawsOfFrame(f));

  using bench::Sampling;
  std::vector<Row> rows;
  double sdl = Time(&rows, "SDL2 software renderer, nearest", run, [&] { return bench::MakeSdlDrawer(pictures); });
  double pixmanNearest =
      Time(&rows, "pixman, nearest", run, [&] { return bench::MakePixmanDrawer(pictures, Sampling::kNearest); });
  double pixmanBilinear =
      Time(&rows, "pixman, bilinear", run, [&] { return bench::MakePixmanDrawer(pictures, Sampling::kBilinear); });
  double oursPoint =
      Time(&rows, "ours, point sampling", run, [&] { return bench::MakeOurDrawer(pictures, Sampling::kNearest); });
  double oursLinear =
      Time(&rows, "ours, linear sampling", run, [&] { return bench::MakeOurDrawer(pictures, Sampling::kBilinear); });

  std::printf("reference frame, mean over %d frames of each frame's best of %d passes\n\n", frameCount, run.passes);
  std::printf("| renderer | ms/frame |\n|---|---|\n");
  for (const Row& r : rows) {
    if (r.ms < 0)
      std::printf("| %s | unavailable |\n", r.name.c_str());
    else
      std::printf("| %s | %.2f |\n", r.name.c_str(), r.ms);
  }
  double nearestPeer = Faster(sdl, pixmanNearest);
  if (nearestPeer > 0 && oursPoint > 0) std::printf("\nours / faster peer, point: %.2f\n", oursPoint / nearestPeer);
  if (pixmanBilinear > 0 && oursLinear > 0)
    std::printf("ours / faster peer, linear: %.2f\n", oursLinear / pixmanBilinear);
  return 0;
}
