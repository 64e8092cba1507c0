// Scripted input of headless runs: an events file holds one framework event a line,
// "MS TYPE PARAM X Y [EXTRA]", due when the run's test clock reaches MS. Blank lines are skipped.
// Headless runs advance their test clock by kHeadlessFrameMs per idle pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/app/app_event.h"

constexpr uint32_t kHeadlessFrameMs = 16;

struct TimedEvent {
    uint32_t ms = 0;
    TAppEvent event;
};

// False with error set ("<path>:<line>: expected ..." or why the file cannot be read).
bool ReadTimedEvents(const std::string& path, std::vector<TimedEvent>& events, std::string& error);
