// The game's entry: the settings the framework reads from its first step on, and the game's main
// function, which the framework calls once its window, display, sound and script state exist.
#pragma once

#include "engine/core/base/tstring.h"

class TApplication;

void GameSetup();
// The framework's display, window system and sound, and the asset kinds they load.
void InstallServices();
int GameMain(TApplication* application, const TString& commandLine);
