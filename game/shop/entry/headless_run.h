// The whole game without a display, for tests and CI:
//
//   alembria --headless [--assets DIR] [--events FILE] [--scenario FILE] [--frames N] [--seed N]
//                       [--shot OUT.png] [--log]
//
// runs the real game's main function on the headless backends: the test clock, advanced 16 ms per
// idle pass of the main loop; the headless window, drawn into memory at 800 x 600; the headless
// sound device; no play log. DIR is a game folder whose "assets" folder is the asset folder (default:
// the game's own). The events file holds "MS TYPE PARAM X Y [EXTRA]" a line (see timed_events.h); each
// event enters the message pump when the test clock reaches MS. The scenario file holds a player's
// steps (scenario.h: clicks, keys, script text and waits on the probe), played on the idle passes; the
// run ends when the last step is done. Script `print` writes to stdout, and the script function
// "GetGameProbe()" answers the game's state as "key=value" fields. --seed sets the setting
// "randomseed". Player profiles go to the usual XDG folders.
//
// Exit status: 0 the game quit or the scenario was played to its end, 1 "scripts/mainloop.lua" could
// not be loaded or run (the error on stderr), 2 bad usage or an unreadable file, 3 N frames (default
// 100,000) passed first, 4 a scenario step failed (the step and the probe line on stderr). --shot
// writes the last frame as PNG; --log copies the log to stderr.
#pragma once

// True when the arguments ask for a headless run.
bool IsHeadlessRun(int argc, char** argv);
// Runs the game headless; answers the exit status.
int RunHeadlessGame(int argc, char** argv);
