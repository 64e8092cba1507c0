// Until the loading screen loads a level's assets before the level's screens are made, the shop's
// background, the first window of a shop level, loads them when none are loaded, and the bazaar
// (and its tutorial) loads its own.
#pragma once

class TWindow;

// The background window, after loading the shop level's assets.
TWindow* CreateBackgroundWithLevelAssets();
// The bazaar window, after loading the bazaar's pictures and sounds when they are not loaded yet.
TWindow* CreateBazaarWithAssets();
// The same for the bazaar's tutorial.
TWindow* CreateTutorialBazaarWithAssets();
