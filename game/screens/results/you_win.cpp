#include "game/screens/results/result_screens.h"

namespace {

struct WinEffect {
    const char* file;
    int pathCapacity;
    int segmentMs;
    std::span<const OutlineCurve> path;
};

constexpr OutlineCurve kSparkleLoop[] = {
    {{575, 160}, {520, 190}, {625, 190}, {578, 225}},
    {{576, 223}, {521, 190}, {626, 188}, {574, 160}},
};
constexpr OutlineCurve kSparkleSwirl[] = {
    {{550, 118}, {565, 109}, {610, 154}, {560, 175}},
    {{560, 176}, {530, 173}, {510, 141}, {550, 117}},
    {{550, 117}, {580, 133}, {565, 164}, {550, 160}},
};
const WinEffect kWinEffects[] = {
    {"assets/fx/youwin/youwin01.par", 3, 400, kSparkleLoop},
    {"assets/fx/youwin/youwin02.par", 4, 600, kSparkleSwirl},
};

}  // namespace

TWindow* TYouWin::Create() {
    return new TYouWin();
}

TClassId TYouWin::ClassId() {
    return reinterpret_cast<TClassId>(&TYouWin::Create);
}

TYouWin::TYouWin() : clsResultScreen(kMusicFile, kButton) {}

void TYouWin::BuildEffects() {
    for (const WinEffect& setting : kWinEffects) {
        clsParticleFx& effect = AddEffect(setting.file, setting.pathCapacity);
        LayPath(effect, setting.path);
        effect.Mirror();
        effect.SetLoop(true);
        effect.SetSegmentDuration(setting.segmentMs);
        effect.Play();
    }
}
