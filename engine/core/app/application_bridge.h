// The application's link to the game-state bridge: started once the settings are read, it hands
// the bridge the command line and folders and answers the message pump's host questions.
#pragma once

#include <cstdint>

class TApplicationData;

// "-wnd=<hex>": true when the text names an existing host window (its channel is kept).
bool OpenHostWindow(TApplicationData& data, uint32_t window);
void StartBridge(TApplicationData& data);
void StopBridge();
