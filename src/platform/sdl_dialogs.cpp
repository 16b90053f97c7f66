#include <cstdio>

#include "platform/internal/sdl_parts.h"

namespace platform::internal {

int ShowSdlMessageBox(SDL_Window* parent, const char* text, const char* caption, UINT flags) {
    const bool okCancel = (flags & 0xF) == MB_OKCANCEL;
    SDL_MessageBoxButtonData buttons[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"},
    };
    if (!okCancel) buttons[0].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    SDL_MessageBoxData data{};
    data.flags = (flags & MB_ICONEXCLAMATION) ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    data.window = parent;
    data.title = caption;
    data.message = text;
    data.numbuttons = okCancel ? 2 : 1;
    data.buttons = buttons;

    // The pointer must be free and visible to press a button.
    const SDL_bool relative = SDL_GetRelativeMouseMode();
    const int cursor = SDL_ShowCursor(SDL_QUERY);
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    int pressed = -1;
    const int result = SDL_ShowMessageBox(&data, &pressed);
    SDL_ShowCursor(cursor);
    SDL_SetRelativeMouseMode(relative);
    if (result != 0) {
        std::fprintf(stderr, "%s: %s\n(no message box could be shown: %s)\n", caption, text, SDL_GetError());
        return okCancel ? IDCANCEL : IDOK;
    }
    if (pressed == IDOK || pressed == IDCANCEL) return pressed;
    return okCancel ? IDCANCEL : IDOK;  // the box was closed
}

}  // namespace platform::internal
