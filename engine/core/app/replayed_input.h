// Scripted framework events replayed through the message pump: the native records the pump turns
// into each event, so that a headless run's input takes the same way as a player's.
#pragma once

#include <vector>

#include "engine/core/app/app_event.h"
#include "platform/window/window.h"

// The records for the event, in order; none for events no record gives (idle, nothing, focus).
std::vector<platform::NativeEvent> NativeRecordsFor(const TAppEvent& event);
