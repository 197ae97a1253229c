// gamepad.h - game controllers, seen by the game as the keyboard keys it reads.
//
// The D-pad or the left stick act as the arrow keys, A as the space bar, Start or Back as
// Escape; the right shoulder button selects the next weapon and the left one the previous
// weapon, each press giving one F1 to F5 key press (never a held key). GetAsyncKeyState sees
// the buttons exactly as keys: held while held, and a press latch for a tap between polls.
// Controllers can be plugged in and out while the game runs. Mappings for controllers SDL
// does not know are read from "gamecontrollerdb.txt" in the working directory (the user's
// data folder, app/data_dir.h) when it is there.
//
// Platform-internal (the game calls only platform.h). GamepadWatchEvent runs from SDL's
// event watch, on the thread that queues the event (the main thread, which pumps SDL's
// events); everything else runs on the main thread.
#pragma once

#include <SDL.h>

// Starts SDL's game-controller support (failure only means no gamepads) and loads the
// mapping file. Controllers already plugged in arrive as device-added events.
void GamepadInit();
void GamepadShutdown();

// Held state and press latches from one queued event: buttons, stick motion, a removed
// controller (whose buttons count as released). Other events are ignored. latched is the
// platform's press latch by virtual-key code.
void GamepadWatchEvent(const SDL_Event& e, bool latched[256]);

// Opens a controller that was plugged in and closes one that was removed, as the event
// leaves the queue (PollWindowEvent).
void GamepadHandleDeviceEvent(const SDL_Event& e);

// True while any controller holds a button or stick direction that acts as key vk.
bool GamepadHolds(int vk);

// The player chose a weapon with the keyboard (vk F1 to F5): the shoulder buttons go on from
// there when the game gives no weapon query (PlatformSetWeaponQuery).
void GamepadNoteWeaponKey(int vk);

// Forgets every controller's state (start-up and shutdown).
void GamepadReset();

// Stick thresholds in SDL's axis units (-32768 to 32767): a direction counts from
// GAMEPAD_STICK_PRESS on and is let go below GAMEPAD_STICK_RELEASE, so a stick resting near
// the threshold does not chatter.
constexpr int GAMEPAD_STICK_PRESS = 16384;
constexpr int GAMEPAD_STICK_RELEASE = 12288;
