#include "display/window_frame.h"

#include "platform/messages.h"

namespace display {

void AdjustForFrame(platform::HWND window, platform::RECT* rect) {
    platform::RECT outer, client;
    if (!window || !platform::GetWindowRect(window, &outer) || !platform::GetClientRect(window, &client)) {
        return;
    }
    platform::POINT origin;
    platform::ClientToScreen(window, &origin);
    rect->left -= origin.x - outer.left;
    rect->top -= origin.y - outer.top;
    rect->right += outer.right - (origin.x + (client.right - client.left));
    rect->bottom += outer.bottom - (origin.y + (client.bottom - client.top));
}

}  // namespace display
