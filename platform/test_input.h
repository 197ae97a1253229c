// test_input.h - input made in a test and pushed into SDL's event queue as a keyboard, a
// gamepad or the window manager would send it, so that it takes the game's real road: the
// platform's event watch (press latches, gamepad state) and PollWindowEvent. Tests need no
// SDL header of their own. For the SDL backend (on SDL's offscreen driver); main thread.
#pragma once

#include <string>

// Gamepad buttons and axes, numbered as SDL's game-controller API numbers them.
enum TestPadButton {
    TEST_PAD_A,
    TEST_PAD_B,
    TEST_PAD_X,
    TEST_PAD_Y,
    TEST_PAD_BACK,
    TEST_PAD_GUIDE,
    TEST_PAD_START,
    TEST_PAD_LEFTSTICK,
    TEST_PAD_RIGHTSTICK,
    TEST_PAD_LEFTSHOULDER,
    TEST_PAD_RIGHTSHOULDER,
    TEST_PAD_DPAD_UP,
    TEST_PAD_DPAD_DOWN,
    TEST_PAD_DPAD_LEFT,
    TEST_PAD_DPAD_RIGHT,
};
enum TestPadAxis {
    TEST_AXIS_LEFTX,
    TEST_AXIS_LEFTY,
    TEST_AXIS_RIGHTX,
    TEST_AXIS_RIGHTY,
    TEST_AXIS_TRIGGERLEFT,
    TEST_AXIS_TRIGGERRIGHT,
};

// Each pushes one event; false when SDL's queue refused it. pad is the controller's
// instance number (any number: a pad the platform has not seen is taken as plugged in).
bool PushPadButton(int pad, int button, bool down);
bool PushPadAxis(int pad, int axis, int value);
bool PushPadAdded(int deviceIndex);
bool PushPadRemoved(int pad);
// A key going down, by SDL's key name ("Return", "Keypad Enter", "F2"), with an Alt key held
// or not, as the first press or as a repeat of a held key.
bool PushKeyDown(const char* keyName, bool alt, bool repeat);
bool PushFocusLost();
void DropQueuedEvents();

// SDL's controller mapping for a joystick GUID in hex ("" when it has none).
std::string PadMappingFor(const char* guid);
// The open window's own flags, as the window manager sees them.
bool WindowIsResizable();
bool WindowIsDesktopFullscreen();

// A virtual controller that SDL takes as plugged in: its device-added event is queued, and
// once the platform has opened it (PollWindowEvent), its buttons and axes move as a real
// pad's would. False when SDL cannot make one. One at a time.
bool PlugVirtualPad();
bool SetVirtualPadButton(int button, bool down);
bool SetVirtualPadAxis(int axis, int value);
void UnplugVirtualPad();

// What the desktop is told: an SDL hint's value ("" when unset; e.g. "SDL_APP_NAME"), and
// whether the screensaver may start.
std::string SdlHintValue(const char* name);
bool ScreenSaverAllowed();
