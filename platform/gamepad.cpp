// gamepad.cpp - game controllers as the game's keys: held state per controller, press
// latches, the weapon cycle of the shoulder buttons, hot-plugging, the mapping file.
//
// Sections: 1. tables and state  2. events to keys  3. devices  4. queries
#include "platform/gamepad.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/platform.h"

// ================================================================ 1. tables and state
namespace {

const char* const MAPPING_FILE = "gamecontrollerdb.txt";
constexpr int MAX_PADS = 8; // more controllers at once are ignored
constexpr int WEAPONS = 5;  // F1 to F5

struct ButtonKey {
    SDL_GameControllerButton button;
    int vk;
};
const ButtonKey BUTTON_KEYS[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_DOWN},
    {SDL_CONTROLLER_BUTTON_A, VK_SPACE},        {SDL_CONTROLLER_BUTTON_START, VK_ESCAPE},
    {SDL_CONTROLLER_BUTTON_BACK, VK_ESCAPE},
};

// The left stick's four directions and the arrow keys they act as.
enum { STICK_LEFT, STICK_RIGHT, STICK_UP, STICK_DOWN, STICK_DIRECTIONS };
const int STICK_KEYS[STICK_DIRECTIONS] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};

struct PadState {
    bool used;
    SDL_JoystickID id;
    bool button[SDL_CONTROLLER_BUTTON_MAX];
    bool stick[STICK_DIRECTIONS];
};
PadState Pads[MAX_PADS];

bool ControllersStarted = false;
int (*WeaponQuery)() = nullptr;
int OwnWeapon = 1; // without a query: the weapon a new game starts with

PadState* FindPad(SDL_JoystickID id, bool make) {
    for (PadState& pad : Pads)
        if (pad.used && pad.id == id) return &pad;
    if (!make) return nullptr;
    for (PadState& pad : Pads)
        if (!pad.used) {
            pad = PadState{};
            pad.used = true;
            pad.id = id;
            return &pad;
        }
    return nullptr;
}

// ================================================================ 2. events to keys
int CurrentWeapon() {
    const int weapon = WeaponQuery ? WeaponQuery() : OwnWeapon;
    return weapon >= 0 && weapon < WEAPONS ? weapon : 0;
}

// One press of the weapon key after (step 1) or before (step -1) the selected weapon.
void StepWeapon(int step, bool latched[256]) {
    OwnWeapon = (CurrentWeapon() + step + WEAPONS) % WEAPONS;
    latched[VK_F1 + OwnWeapon] = true;
}

void PressButton(PadState* pad, int button, bool latched[256]) {
    if (pad->button[button]) return; // already down: no second press
    pad->button[button] = true;
    if (button == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) StepWeapon(1, latched);
    if (button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER) StepWeapon(-1, latched);
    for (const ButtonKey& k : BUTTON_KEYS)
        if (k.button == button) latched[k.vk] = true;
}

// One axis of the left stick: its negative and positive directions, with hysteresis.
void MoveStick(PadState* pad, int negative, int value, bool latched[256]) {
    const int magnitudes[2] = {-value, value};
    for (int side = 0; side < 2; side++) {
        const int direction = negative + side;
        const bool was = pad->stick[direction];
        const bool now = magnitudes[side] >= (was ? GAMEPAD_STICK_RELEASE : GAMEPAD_STICK_PRESS);
        if (now && !was) latched[STICK_KEYS[direction]] = true;
        pad->stick[direction] = now;
    }
}

} // namespace

void GamepadWatchEvent(const SDL_Event& e, bool latched[256]) {
    switch (e.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        const int button = e.cbutton.button;
        if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return;
        const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
        PadState* pad = FindPad(e.cbutton.which, down);
        if (!pad) return;
        if (down)
            PressButton(pad, button, latched);
        else
            pad->button[button] = false;
        return;
    }
    case SDL_CONTROLLERAXISMOTION: {
        PadState* pad = FindPad(e.caxis.which, true);
        if (!pad) return;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            MoveStick(pad, STICK_LEFT, e.caxis.value, latched);
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            MoveStick(pad, STICK_UP, e.caxis.value, latched);
        return;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
        if (PadState* pad = FindPad(e.cdevice.which, false)) pad->used = false;
        return;
    case SDL_WINDOWEVENT:
        // Like the keyboard, a window without focus holds nothing: SDL does not pass on the
        // releases that happen while another window has the focus.
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            for (PadState& pad : Pads)
                if (pad.used) pad = PadState{true, pad.id, {}, {}};
        return;
    default: return;
    }
}

void GamepadNoteWeaponKey(int vk) {
    if (vk >= VK_F1 && vk < VK_F1 + WEAPONS) OwnWeapon = vk - VK_F1;
}

void PlatformSetWeaponQuery(int (*currentWeapon)()) {
    WeaponQuery = currentWeapon;
}

void GamepadReset() {
    for (PadState& pad : Pads) pad = PadState{};
    OwnWeapon = 1;
}

// ================================================================ 3. devices
void GamepadInit() {
    GamepadReset();
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return; // no gamepads, keys only
    ControllersStarted = true;
    struct stat st;
    if (stat(MAPPING_FILE, &st) == 0 && S_ISREG(st.st_mode) &&
        SDL_GameControllerAddMappingsFromFile(MAPPING_FILE) < 0)
        std::fprintf(stderr, "morvexa: %s: %s\n", MAPPING_FILE, SDL_GetError());
}

void GamepadShutdown() {
    GamepadReset();
    if (!ControllersStarted) return;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); // closes every open controller
    ControllersStarted = false;
}

void GamepadHandleDeviceEvent(const SDL_Event& e) {
    if (!ControllersStarted) return;
    if (e.type == SDL_CONTROLLERDEVICEADDED) {
        SDL_GameControllerOpen(e.cdevice.which); // device index; events follow by instance id
    } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
        if (SDL_GameController* c = SDL_GameControllerFromInstanceID(e.cdevice.which))
            SDL_GameControllerClose(c);
    }
}

// ================================================================ 4. queries
bool GamepadHolds(int vk) {
    for (const PadState& pad : Pads) {
        if (!pad.used) continue;
        for (const ButtonKey& k : BUTTON_KEYS)
            if (k.vk == vk && pad.button[k.button]) return true;
        for (int d = 0; d < STICK_DIRECTIONS; d++)
            if (STICK_KEYS[d] == vk && pad.stick[d]) return true;
    }
    return false;
}
