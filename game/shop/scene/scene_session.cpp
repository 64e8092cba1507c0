#include "game/shop/scene/scene_session.h"

SceneSession& GetSceneSession() {
    static SceneSession session;
    return session;
}
