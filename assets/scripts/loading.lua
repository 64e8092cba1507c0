-- The loading screen before a level: it loads every screen's pictures and sounds, then the game calls
-- OnFinishedLoadingAssets(), which closes it. The backdrop is the dark inside of the empty flask,
-- so the screen below never shows through the glass.
MakeDialog{
  Bitmap{ name = "backdrop", image = "anim/loader_backdrop", x = 0, y = 0 },
  LoadingWindow{ name = "loading", x = 0, y = 0, w = 800, h = 600 },
}
