// test_input.cpp - events for tests, pushed into SDL's queue (see test_input.h).
#include "platform/test_input.h"

#include <SDL.h>

namespace {

constexpr bool SameNumber(int ours, int sdls) {
    return ours == sdls;
}
static_assert(SameNumber(TEST_PAD_A, SDL_CONTROLLER_BUTTON_A) &&
                  SameNumber(TEST_PAD_START, SDL_CONTROLLER_BUTTON_START) &&
                  SameNumber(TEST_PAD_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) &&
                  SameNumber(TEST_PAD_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
              "test buttons must be numbered as SDL numbers them");
static_assert(SameNumber(TEST_AXIS_LEFTY, SDL_CONTROLLER_AXIS_LEFTY) &&
                  SameNumber(TEST_AXIS_TRIGGERRIGHT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT),
              "test axes must be numbered as SDL numbers them");

bool Push(SDL_Event& e) {
    e.common.timestamp = SDL_GetTicks();
    return SDL_PushEvent(&e) == 1;
}

} // namespace

bool PushPadButton(int pad, int button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = SDL_JoystickID(pad);
    e.cbutton.button = Uint8(button);
    e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    return Push(e);
}

bool PushPadAxis(int pad, int axis, int value) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.which = SDL_JoystickID(pad);
    e.caxis.axis = Uint8(axis);
    e.caxis.value = Sint16(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
    return Push(e);
}

bool PushPadAdded(int deviceIndex) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERDEVICEADDED;
    e.cdevice.which = deviceIndex;
    return Push(e);
}

bool PushPadRemoved(int pad) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERDEVICEREMOVED;
    e.cdevice.which = pad;
    return Push(e);
}

bool PushKeyDown(const char* keyName, bool alt, bool repeat) {
    const SDL_Keycode key = SDL_GetKeyFromName(keyName);
    if (key == SDLK_UNKNOWN) return false;
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
    return Push(e);
}

bool PushFocusLost() {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    return Push(e);
}

void DropQueuedEvents() {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

std::string PadMappingFor(const char* guid) {
    char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
    std::string text = mapping ? mapping : "";
    SDL_free(mapping);
    return text;
}

bool WindowIsResizable() {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE) != 0;
}

bool WindowIsDesktopFullscreen() {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                         SDL_WINDOW_FULLSCREEN_DESKTOP;
}

namespace {

int VirtualPadDevice = -1; // SDL's device index while plugged in
SDL_JoystickID VirtualPadId = -1;

SDL_Joystick* OpenedVirtualPad() {
    return VirtualPadId < 0 ? nullptr : SDL_JoystickFromInstanceID(VirtualPadId);
}

} // namespace

bool PlugVirtualPad() {
    UnplugVirtualPad();
    VirtualPadDevice = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (VirtualPadDevice < 0) return false;
    VirtualPadId = SDL_JoystickGetDeviceInstanceID(VirtualPadDevice);
    return VirtualPadId >= 0;
}

bool SetVirtualPadButton(int button, bool down) {
    SDL_Joystick* pad = OpenedVirtualPad();
    return pad && SDL_JoystickSetVirtualButton(pad, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool SetVirtualPadAxis(int axis, int value) {
    SDL_Joystick* pad = OpenedVirtualPad();
    return pad && SDL_JoystickSetVirtualAxis(pad, axis, Sint16(value)) == 0;
}

void UnplugVirtualPad() {
    if (VirtualPadDevice >= 0) SDL_JoystickDetachVirtual(VirtualPadDevice);
    VirtualPadDevice = -1;
    VirtualPadId = -1;
}

std::string SdlHintValue(const char* name) {
    const char* value = SDL_GetHint(name);
    return value ? value : "";
}

bool ScreenSaverAllowed() {
    return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}
