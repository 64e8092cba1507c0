-- The loading screen before a level: it loads every screen's pictures and sounds, then the game calls
-- OnFinishedLoadingAssets(), which closes it.
MakeDialog{
  LoadingWindow{ name = "loading", x = 0, y = 0, w = 800, h = 600 },
}
