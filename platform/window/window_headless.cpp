#include <algorithm>

#include "platform/window/window.h"

namespace platform {

bool HeadlessWindow::Create(const WindowOptions& options) {
    created = true;
    title = options.title;
    width = options.width;
    height = options.height;
    fullScreen = options.fullScreen;
    return true;
}

bool HeadlessWindow::PollEvent(NativeEvent& event) {
    if (queue.empty()) return false;
    event = queue.front();
    queue.pop_front();
    if (event.message >= kMsgMouseMove && event.message <= kMsgExtraDown) {
        mouseX = event.x;
        mouseY = event.y;
    }
    return true;
}

void HeadlessWindow::PostQuit() {
    NativeEvent quit;
    quit.message = kMsgQuit;
    queue.push_back(quit);
}

bool HeadlessWindow::QuitWaiting() {
    return std::any_of(queue.begin(), queue.end(), [](const NativeEvent& e) { return e.message == kMsgQuit; });
}

bool HeadlessWindow::SetFullScreen(bool on) {
    fullScreen = on;
    return true;
}

void HeadlessWindow::SetClientSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
}

bool HeadlessWindow::SetClipboardText(const std::string& utf8) {
    clipboard = utf8;
    return true;
}

void HeadlessWindow::SetCursorImage(const uint32_t* argb, int width, int height, int hotX, int hotY) {
    ++cursorImagesSet;
}

void HeadlessWindow::WarpMouse(int x, int y) {
    mouseX = x;
    mouseY = y;
}

void HeadlessWindow::GetMousePosition(int& x, int& y) {
    x = mouseX;
    y = mouseY;
}

void HeadlessWindow::PresentFrame(const uint32_t* pixels, int frameWidth, int frameHeight, int pitchBytes) {
    ++framesPresented;
}

}  // namespace platform
