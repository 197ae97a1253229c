// platform_sdl.cpp - the SDL side of the platform: start-up, window and GL context, keys,
// clock, events and presenting. The scripted backend shares the window code (on SDL's
// offscreen driver) and replaces the clock, the keys and the questions (scripted.cpp).
//
// Sections: 1. state and start-up  2. keys and clock  3. questions  4. window  5. events
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gamepad.h"
#include "platform/platform_internal.h"
#include "platform/replay.h"

// ================================================================ 1. state and start-up
PlatformState Platform;

namespace {

const char* const NO_DISPLAY =
    "no display available: start the game inside an X11 or Wayland session";

// Window extras: the answer to "Fullscreen?" given on the command line, and the icon.
int FullscreenPreset = -1;
std::vector<uint8_t> IconPixels;
int IconSize = 0;

void ApplyWindowIcon() {
    if (!Platform.window || IconSize <= 0) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        IconPixels.data(), IconSize, IconSize, 32, IconSize * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(Platform.window, icon);
    SDL_FreeSurface(icon);
}

// No pointer over a full-screen game; the desktop's pointer over a window.
void ShowPointerFor(bool fullscreen) {
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
}

// Sets the press latch from key-down events as SDL queues them, so that a tap is seen by
// the next query even when PollWindowEvent has not reached the event yet.
int WatchKeyEvents(void*, SDL_Event* e) {
    GamepadWatchEvent(*e, Platform.latched); // gamepad buttons latch as keys do
    if (e->type != SDL_KEYDOWN || e->key.repeat) return 1;
    for (int vk = 0; vk < 256; vk++) {
        const SDL_Scancode sc = ScancodeFromKey(vk);
        if (sc == SDL_SCANCODE_UNKNOWN || sc != e->key.keysym.scancode) continue;
        Platform.latched[vk] = true;
        GamepadNoteWeaponKey(vk);
    }
    return 1;
}

bool DriverIsHeadless(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// Mended: with no driver named, SDL also probes Wayland, and libwayland prints its own
// complaint when it has no XDG_RUNTIME_DIR to look for a socket in. Probe only the drivers
// that can show a window, and Wayland only when a compositor can be found, so that a run
// with no display prints our one line and nothing else.
void NameDisplayDrivers() {
    const bool waylandReachable = std::getenv("WAYLAND_DISPLAY") || std::getenv("WAYLAND_SOCKET") ||
                                  std::getenv("XDG_RUNTIME_DIR");
    std::string names;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); i++) {
        const char* name = SDL_GetVideoDriver(i);
        if (!name || DriverIsHeadless(name) || std::strcmp(name, "evdev") == 0) continue;
        if (std::strcmp(name, "wayland") == 0 && !waylandReachable) continue;
        names += names.empty() ? "" : ",";
        names += name;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, names.c_str());
}

} // namespace

bool PlatformInit(PlatformBackend backend, const char** why) {
    Platform.backend = backend;
    Platform.quitRequested = false;
    Platform.frames = 0;
    const bool driverNamed = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (backend == PLATFORM_SCRIPTED) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The desktop's mixer and screensaver inhibitor show the game's name, not "SDL Application".
    SDL_SetHint(SDL_HINT_APP_NAME, "MORVEXA");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "MORVEXA");
    SDL_SetHint(SDL_HINT_SCREENSAVER_INHIBIT_ACTIVITY_NAME, "Playing MORVEXA");
    if (backend == PLATFORM_SDL && !driverNamed) NameDisplayDrivers();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        static char reason[256];
        if (backend == PLATFORM_SDL && !driverNamed)
            std::snprintf(reason, sizeof reason, "%s", NO_DISPLAY);
        else
            std::snprintf(reason, sizeof reason, "no display available (%s)", SDL_GetError());
        *why = reason;
        return false;
    }
    Platform.sdlVideo = true;
    // SDL falls back to its offscreen driver when there is no X11 or Wayland display; a
    // real game then would play its music in an invisible window. Refuse unless asked for.
    if (backend == PLATFORM_SDL && !driverNamed && DriverIsHeadless(SDL_GetCurrentVideoDriver())) {
        *why = NO_DISPLAY;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        Platform.sdlVideo = false;
        return false;
    }
    SDL_AddEventWatch(WatchKeyEvents, nullptr);
    if (backend == PLATFORM_SDL) GamepadInit();
    return true;
}

void PlatformShutdown() {
    PlatformCloseWindow();
    if (Platform.sdlVideo) {
        GamepadShutdown();
        SDL_DelEventWatch(WatchKeyEvents, nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        Platform.sdlVideo = false;
    }
}

PlatformBackend PlatformCurrentBackend() {
    return Platform.backend;
}

// ================================================================ 2. keys and clock
namespace {

SDL_Scancode DefaultScancode(int vk) {
    switch (vk) {
    case VK_ESCAPE: return SDL_SCANCODE_ESCAPE;
    case VK_SPACE: return SDL_SCANCODE_SPACE;
    case VK_LEFT: return SDL_SCANCODE_LEFT;
    case VK_UP: return SDL_SCANCODE_UP;
    case VK_RIGHT: return SDL_SCANCODE_RIGHT;
    case VK_DOWN: return SDL_SCANCODE_DOWN;
    case VK_F1: return SDL_SCANCODE_F1;
    case VK_F2: return SDL_SCANCODE_F2;
    case VK_F3: return SDL_SCANCODE_F3;
    case VK_F4: return SDL_SCANCODE_F4;
    case VK_F5: return SDL_SCANCODE_F5;
    default: return SDL_SCANCODE_UNKNOWN;
    }
}

SDL_Scancode KeyBindings[256];
bool KeyBindingsSet = false;

} // namespace

void PlatformResetKeyBindings() {
    for (int vk = 0; vk < 256; vk++) KeyBindings[vk] = DefaultScancode(vk);
    KeyBindingsSet = true;
}

SDL_Scancode ScancodeFromKey(int vk) {
    if (vk < 0 || vk > 255) return SDL_SCANCODE_UNKNOWN;
    if (!KeyBindingsSet) PlatformResetKeyBindings();
    return KeyBindings[vk];
}

int PlatformKeyFromName(const char* name) {
    return name && *name ? int(SDL_GetScancodeFromName(name)) : 0;
}

const char* PlatformKeyName(int key) {
    if (key <= SDL_SCANCODE_UNKNOWN || key >= SDL_NUM_SCANCODES) return "";
    return SDL_GetScancodeName(SDL_Scancode(key));
}

int PlatformBoundKey(int vk) {
    return DefaultScancode(vk) == SDL_SCANCODE_UNKNOWN ? 0 : int(ScancodeFromKey(vk));
}

bool PlatformBindKey(int vk, int key) {
    if (PlatformBoundKey(vk) == 0 || *PlatformKeyName(key) == '\0') return false;
    KeyBindings[vk] = SDL_Scancode(key);
    return true;
}

int16_t GetAsyncKeyState(int vk) {
    // Mended: the scripted backend answered for any code a test had set; both backends now
    // know only the game's keys.
    const SDL_Scancode sc = ScancodeFromKey(vk);
    if (sc == SDL_SCANCODE_UNKNOWN) return 0;
    bool held = false;
    if (Platform.backend == PLATFORM_SCRIPTED) {
        held = Platform.scriptHeld[vk];
    } else {
        SDL_PumpEvents();
        held = SDL_GetKeyboardState(nullptr)[sc] != 0 || GamepadHolds(vk);
    }
    const bool pressed = Platform.latched[vk];
    Platform.latched[vk] = false;
    // A recording notes the answer; a replay answers from the recording instead.
    return ReplayFilterKey(vk, int16_t((held ? 0x8000 : 0) | (pressed ? 1 : 0)));
}

uint32_t GetTickCount() {
    if (Platform.backend == PLATFORM_SCRIPTED) return Platform.virtualClock.load();
    return SDL_GetTicks();
}

void Sleep(uint32_t ms) {
    if (Platform.backend == PLATFORM_SCRIPTED)
        Platform.virtualClock += ms;
    else
        SDL_Delay(ms);
}

// ================================================================ 3. questions
bool PlatformAskYesNo(const char* text, const char* caption) {
    if (Platform.backend == PLATFORM_SCRIPTED) return Platform.fullscreenAnswer;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_INFORMATION, nullptr, caption, text, 2, buttons, nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&box, &answer) != 0) return false; // no box: any answer but Yes
    return answer == 1;
}

void PlatformShowMessage(const char* text, const char* caption) {
    if (Platform.backend == PLATFORM_SCRIPTED) {
        std::printf("%s: %s\n", caption, text);
        return;
    }
    if (SDL_ShowSimpleMessageBox(0, caption, text, nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

// ================================================================ 4. window
bool PlatformOpenWindow(int width, int height, const char* title, bool fullscreen) {
    PlatformCloseWindow();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    // Resizable and maximisable; the frame keeps its shape (black bars), sharp on HiDPI
    // screens because it is drawn into the drawable, not the window's point size.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    // Desktop full screen with a letterboxed frame: a real mode switch is unreliable on
    // today's Linux desktops.
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    Platform.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                       height, flags);
    if (!Platform.window) return false;
    Platform.context = SDL_GL_CreateContext(Platform.window);
    if (!Platform.context) {
        SDL_DestroyWindow(Platform.window);
        Platform.window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(Platform.window, Platform.context);
    SDL_GL_SetSwapInterval(0); // the modes pace frames by the clock; swaps never wait
    SDL_SetWindowMinimumSize(Platform.window, width / 4, height / 4);
    Platform.fullscreen = fullscreen;
    SDL_RaiseWindow(Platform.window);
    ApplyWindowIcon();
    ShowPointerFor(fullscreen);
    SDL_DisableScreenSaver(); // no screensaver while the game runs
    return true;
}

void PlatformCloseWindow() {
    if (Platform.context) {
        SDL_GL_MakeCurrent(Platform.window, nullptr);
        SDL_GL_DeleteContext(Platform.context);
        Platform.context = nullptr;
    }
    if (Platform.window) {
        SDL_DestroyWindow(Platform.window);
        Platform.window = nullptr;
    }
}

bool PlatformWindowOpen() {
    return Platform.window != nullptr;
}

bool PlatformIsFullscreen() {
    return Platform.window && Platform.fullscreen;
}

void PlatformToggleFullscreen() {
    if (!Platform.window) return;
    const bool fullscreen = !Platform.fullscreen;
    const Uint32 mode = fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    if (SDL_SetWindowFullscreen(Platform.window, mode) != 0) return; // refused: stay as we are
    Platform.fullscreen = fullscreen;
    ShowPointerFor(fullscreen);
}

void PlatformPresetFullscreen(int answer) {
    FullscreenPreset = answer < 0 ? -1 : answer > 0 ? 1 : 0;
}
int PlatformFullscreenPreset() {
    return FullscreenPreset;
}

void PlatformSetWindowIcon(const uint8_t* rgba, int size) {
    IconSize = rgba && size > 0 ? size : 0;
    IconPixels.assign(rgba, rgba + size_t(IconSize) * IconSize * 4);
    ApplyWindowIcon();
}

void PlatformGetDrawableSize(int* width, int* height) {
    *width = 800;
    *height = 600;
    if (Platform.window) SDL_GL_GetDrawableSize(Platform.window, width, height);
}

PlatformFrameRect FrameRectForDrawable(int drawableWidth, int drawableHeight) {
    const int dw = drawableWidth, dh = drawableHeight;
    if (dw <= 0 || dh <= 0) return {0, 0, 800, 600, 1.0f};
    // The largest 4:3 rectangle that fits, centred; the rest are black bars.
    const float scale = std::min(float(dw) / 800.0f, float(dh) / 600.0f);
    const int w = std::clamp(int(800.0f * scale + 0.5f), 1, dw);
    const int h = std::clamp(int(600.0f * scale + 0.5f), 1, dh);
    return {(dw - w) / 2, (dh - h) / 2, w, h, scale};
}

PlatformFrameRect PlatformGetFrameRect() {
    int dw = 0, dh = 0;
    PlatformGetDrawableSize(&dw, &dh);
    return FrameRectForDrawable(dw, dh);
}

void PlatformSwapBuffers() {
    if (!Platform.window) return;
    Platform.frames += 1;
    if (Platform.hook) Platform.hook(Platform.frames, Platform.hookContext);
    SDL_GL_SwapWindow(Platform.window);
    ReplayFramePresented(Platform.frames); // the last frame of a replay ends the program
}

uint32_t PlatformFrameCount() {
    return Platform.frames;
}

// ================================================================ 5. events
int PollWindowEvent() {
    if (Platform.quitRequested) throw ProgramExit{0};
    if (Platform.backend == PLATFORM_SCRIPTED || !Platform.sdlVideo) return 0;
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return 0;
    // A Linux window always has a close button: closing it ends the game cleanly.
    if (e.type == SDL_QUIT ||
        (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
        Platform.quitRequested = true;
        throw ProgramExit{0};
    }
    if (e.type == SDL_KEYDOWN && !e.key.repeat && (e.key.keysym.mod & KMOD_ALT) &&
        (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER))
        PlatformToggleFullscreen();
    GamepadHandleDeviceEvent(e); // controllers plugged in or out
    return int(e.type);
}
