// Mixing cost: one second of output from several playing buffers, at the output's rate and with
// rate and channel conversion. The SDL callback must stay far below real time.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/audio/audio_mixer.h"

namespace {

void MixOneSecond(benchmark::State& state, uint32_t rate, uint32_t channels) {
    auto mixer = std::make_shared<platform::Mixer>();
    platform::MixerDevice device(mixer);
    std::vector<std::unique_ptr<platform::AudioBuffer>> buffers(static_cast<size_t>(state.range(0)));
    for (auto& buffer : buffers) {
        device.CreateBuffer({rate, channels, 16}, rate * channels * 2 * 2, &buffer);
        buffer->SetVolume(-600);
        buffer->Play(true);
    }
    std::vector<int16_t> out(platform::kAudioOutputRate * platform::kAudioOutputChannels);
    for (auto _ : state) {
        mixer->Mix(out.data(), platform::kAudioOutputRate);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_MixStereo44k(benchmark::State& state) { MixOneSecond(state, 44100, 2); }
void BM_MixMono22k(benchmark::State& state) { MixOneSecond(state, 22050, 1); }

BENCHMARK(BM_MixStereo44k)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixMono22k)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
