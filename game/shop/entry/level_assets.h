// Until the loading screen loads a level's assets before the level's screens are made, the shop's
// background, the first window of a shop level, loads them when none are loaded.
#pragma once

class TWindow;

// The background window, after loading the shop level's assets when they are not loaded yet.
TWindow* CreateBackgroundWithLevelAssets();
