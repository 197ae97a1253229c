// scripted.cpp - the scripted backend's controls: virtual clock, keys, answers, frame hook.
#include <GL/gl.h>

#include <algorithm>

#include "platform/platform_internal.h"

void ScriptReset() {
    Platform.virtualClock = SCRIPT_CLOCK_START;
    for (int vk = 0; vk < 256; vk++) Platform.scriptHeld[vk] = Platform.latched[vk] = false;
    Platform.frames = 0;
    Platform.fullscreenAnswer = false;
    Platform.quitRequested = false;
    Platform.hook = nullptr;
    Platform.hookContext = nullptr;
}

void ScriptSetFullscreenAnswer(bool yes) { Platform.fullscreenAnswer = yes; }

void ScriptSetKey(int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    if (down && !Platform.scriptHeld[vk]) Platform.latched[vk] = true;
    Platform.scriptHeld[vk] = down;
}

void ScriptAdvanceClock(uint32_t ms) { Platform.virtualClock += ms; }

void ScriptSetFrameHook(ScriptFrameHook hook, void* context) {
    Platform.hook = hook;
    Platform.hookContext = context;
}

bool ScriptReadFrame(std::vector<uint8_t>* rgb, int* width, int* height) {
    if (!Platform.window) return false;
    const PlatformFrameRect r = PlatformGetFrameRect();
    std::vector<uint8_t> raw(size_t(r.width) * r.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(r.x, r.y, r.width, r.height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    // GL rows run bottom up; pictures top down.
    rgb->resize(raw.size());
    const size_t row = size_t(r.width) * 3;
    for (int y = 0; y < r.height; y++)
        std::copy_n(raw.data() + size_t(r.height - 1 - y) * row, row, rgb->data() + size_t(y) * row);
    *width = r.width;
    *height = r.height;
    return true;
}
