// The play log of test builds: counters recorded while the game runs are posted at exit as an
// HTTP form, with the tester's key (the last word of the command line), to the play-log endpoint;
// then the game-over page is opened in the browser with the key appended. Every record also goes
// to the framework log. Without command-line words the play log stays off and only logs.
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

// How long PlayLogSend waits for the server before it gives the request up as failed.
constexpr uint32_t kPlayLogWaitLimitMs = 15000;

void PlayLogSetup(const TString& commandLine, const TString& endpoint, const TString& pageAddress);
void PlayLogRecord(const TString& name, int value);
// Posts the recorded counters and waits for the answer: true when the server answered (whatever it
// said), false when the play log is off or the request failed or took longer than waitLimitMs.
bool PlayLogSend(uint32_t waitLimitMs = kPlayLogWaitLimitMs);
// Opens the game-over page and turns the play log off.
void PlayLogFinish();

// The program that opens the page ("xdg-open" unless changed); it receives the address as its one
// argument and is never run through a shell.
void PlayLogSetPageOpener(const TString& program);
