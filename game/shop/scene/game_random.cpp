#include "game/shop/scene/game_random.h"

#include "engine/core/app/application.h"
#include "engine/core/base/mersenne_twister.h"

namespace {

struct RandomState {
    iRandomSource* installed = nullptr;
    MersenneTwister withoutApplication;  // tools that build a scene without an application
};

RandomState& GetRandomState() {
    static RandomState state;
    return state;
}

}  // namespace

uint32_t GameRandom() {
    RandomState& state = GetRandomState();
    if (state.installed) return state.installed->Next();
    if (TApplication* application = TApplication::Instance()) return application->Random();
    return state.withoutApplication.Next();
}

void SetGameRandomSource(iRandomSource* source) {
    GetRandomState().installed = source;
}
