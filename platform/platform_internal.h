// platform_internal.h - state shared by the platform's own files (never included elsewhere).
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>

#include "platform/platform.h"
#include "platform/scripted.h"

struct PlatformState {
    PlatformBackend backend = PLATFORM_SDL;
    bool sdlVideo = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool fullscreen = false;
    bool quitRequested = false;
    uint32_t frames = 0;

    // Keys by virtual-key code: held (scripted backend) and pressed-since-last-query latch.
    bool scriptHeld[256] = {};
    bool latched[256] = {};

    // Scripted backend.
    std::atomic<uint32_t> virtualClock{SCRIPT_CLOCK_START};
    bool fullscreenAnswer = false;
    ScriptFrameHook hook = nullptr;
    void* hookContext = nullptr;
};
extern PlatformState Platform;

// SDL scancode of a virtual-key code the game reads, or SDL_SCANCODE_UNKNOWN.
SDL_Scancode ScancodeFromKey(int vk);
