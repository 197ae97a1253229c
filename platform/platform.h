// platform.h - the small interface between the game and the machine.
//
// Only platform/ includes SDL. The game reads keys, the millisecond clock, sleeps, pumps
// window events and presents frames through these calls; the two backends behind them are
//   PLATFORM_SDL      the real game: real window, keyboard, clock and audio;
//   PLATFORM_SCRIPTED tests, benchmarks and the morvexa-script driver: a virtual clock that
//                     Sleep advances, keys from a script, GL through SDL's offscreen driver.
// All calls are made from the main thread unless a comment says otherwise.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- virtual-key codes
enum : int {
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
};

// ---------------------------------------------------------------- keyboard and clock
// Non-zero while the key is held, or when it was pressed since the previous query of that
// key (so a tap between two polls is not lost). Any other code returns 0. A recording notes
// every answer; while a replay plays, the answers come from it (platform/replay.h).
int16_t GetAsyncKeyState(int vk);

// Milliseconds since the platform started, unsigned 32-bit. Safe from any thread.
uint32_t GetTickCount();

// Yields the calling (main) thread for about ms milliseconds; the scripted backend advances
// its virtual clock by exactly ms instead.
void Sleep(uint32_t ms);

// Handles at most one pending window event without waiting; returns its event number
// (0 when there was none). A close request from the desktop ends the program cleanly: the
// next call throws ProgramExit{0}, which the entry point catches to shut down.
int PollWindowEvent();

// Thrown through the mode procedures to end the program (window closed, script finished).
struct ProgramExit {
    int code;
};

// ---------------------------------------------------------------- backend and window
enum PlatformBackend { PLATFORM_SDL, PLATFORM_SCRIPTED };

// Starts SDL's video for the chosen backend. The scripted backend selects the offscreen
// video driver and the dummy audio driver unless the environment names others. Returns
// false with a one-line reason in *why when no display can be used.
bool PlatformInit(PlatformBackend backend, const char** why);
void PlatformShutdown();
PlatformBackend PlatformCurrentBackend();

// Modal questions. The scripted backend answers "Fullscreen?" from its script and prints
// plain messages to standard output instead of showing a box.
bool PlatformAskYesNo(const char* text, const char* caption);
void PlatformShowMessage(const char* text, const char* caption);

// Opens the game window with an OpenGL 1.x-compatible context (double-buffered, 16-bit depth)
// and makes it current. fullscreen: desktop full screen with the width x height frame scaled
// to fit, aspect kept (black bars); otherwise a window of width x height centred on the
// screen. Returns false when no window or context could be made.
// The window can be resized and maximised; Alt+Enter (handled by PollWindowEvent) switches
// between window and desktop full screen.
bool PlatformOpenWindow(int width, int height, const char* title, bool fullscreen);
void PlatformCloseWindow();
bool PlatformWindowOpen();
bool PlatformIsFullscreen();
void PlatformToggleFullscreen();

// The answer to "Fullscreen?" given in advance (command line): -1 ask the player, 0 No, 1 Yes.
void PlatformPresetFullscreen(int answer);
int PlatformFullscreenPreset();

// The window icon: size x size RGBA bytes, top row first; copied, and used for every window
// opened from now on (and the open one).
void PlatformSetWindowIcon(const uint8_t* rgba, int size);

// ---------------------------------------------------------------- key bindings
// Which keyboard key acts as each of the game's keys. Keys are numbered by the platform
// (0 is none) and named as SDL names them ("Left", "Space", "F1", "A", "Keypad 8"); names
// are read without regard to case. Binding changes the keyboard only: a gamepad keeps its
// buttons, and the game reads a bound key as it reads any key (held, or pressed since the
// last query). Main thread, before or between frames.
int PlatformKeyFromName(const char* name); // 0 when no key has that name
const char* PlatformKeyName(int key);      // "" for 0 or an unknown number
int PlatformBoundKey(int vk);              // the key acting as vk; 0 when vk is no game key
bool PlatformBindKey(int vk, int key);     // false (and nothing changes) for a bad vk or key
void PlatformResetKeyBindings();           // the arrows, space, F1 to F5 and Escape

// Gamepads act as the game's keys (GetAsyncKeyState). The shoulder buttons select the weapon
// after or before the selected one; the game says which that is (0 to 4) through this query.
// Without it the platform counts from the last weapon key pressed.
void PlatformSetWeaponQuery(int (*currentWeapon)());

// Where the game's width x height frame lies in the window's drawable, in drawable pixels
// (origin bottom left, as glViewport wants it), and the scale from frame to drawable pixels.
struct PlatformFrameRect {
    int x, y, width, height;
    float scale;
};
PlatformFrameRect PlatformGetFrameRect();
// The same for a drawable of the given size (the letterbox maths alone).
PlatformFrameRect FrameRectForDrawable(int drawableWidth, int drawableHeight);
void PlatformGetDrawableSize(int* width, int* height);

// Presents the back buffer and counts one drawn frame. Before presenting, the scripted
// backend runs its frame hook (screenshots, state dumps, the next frame's key events).
void PlatformSwapBuffers();

// Drawn frames presented since start-up; the first drawn frame is 1.
uint32_t PlatformFrameCount();
