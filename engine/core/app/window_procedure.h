// What the main window does with its own records (the window procedure): it records state that
// the next pump steps report as events. Shared by the message pump and the window services.
#pragma once

#include "platform/window/window.h"

class TApplication;

void DispatchWindowRecord(TApplication& application, const platform::NativeEvent& record);
// The window became active or inactive; forced changes apply even in full screen.
void SetWindowActive(TApplication& application, bool active, bool forced);
void OnActivateApp(TApplication& application, bool active);
// Brings the full-screen window back to the front (idle step).
void BringWindowToFront(TApplication& application);
