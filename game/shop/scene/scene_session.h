// What a scene keeps in the game session: the current scene and the asset lookups the scene's
// objects use. The game's start-up hands the session's assets over; without them textures are
// missing and sounds silent.
#pragma once

class clsGameInterface;
class iGameAssets;

struct SceneSession {
    // The newest scene still alive; null when there is none.
    clsGameInterface* currentScene = nullptr;
    iGameAssets* assets = nullptr;
};

SceneSession& GetSceneSession();
