// scripted.cpp - the scripted backend's controls: virtual clock, keys, answers, frame hook.
#include <GL/gl.h>

#include <algorithm>

#include "platform/platform_internal.h"
#include "platform/replay.h"

void ScriptReset() {
    Platform.virtualClock = SCRIPT_CLOCK_START;
    for (int vk = 0; vk < 256; vk++) Platform.scriptHeld[vk] = Platform.latched[vk] = false;
    Platform.frames = 0;
    Platform.fullscreenAnswer = false;
    Platform.quitRequested = false;
    Platform.hook = nullptr;
    Platform.hookContext = nullptr;
    ReplayStop();
}

void ScriptSetFullscreenAnswer(bool yes) {
    Platform.fullscreenAnswer = yes;
}

void ScriptSetKey(int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    if (down && !Platform.scriptHeld[vk]) Platform.latched[vk] = true;
    Platform.scriptHeld[vk] = down;
}

void ScriptAdvanceClock(uint32_t ms) {
    Platform.virtualClock += ms;
}

void ScriptSetFrameHook(ScriptFrameHook hook, void* context) {
    Platform.hook = hook;
    Platform.hookContext = context;
}

namespace {

bool ReadBackRect(int x, int y, int width, int height, std::vector<uint8_t>* rgb, int* outWidth,
                  int* outHeight) {
    if (!Platform.window || width <= 0 || height <= 0) return false;
    std::vector<uint8_t> raw(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    // GL rows run bottom up; pictures top down.
    rgb->resize(raw.size());
    const size_t row = size_t(width) * 3;
    for (int r = 0; r < height; r++)
        std::copy_n(raw.data() + size_t(height - 1 - r) * row, row, rgb->data() + size_t(r) * row);
    *outWidth = width;
    *outHeight = height;
    return true;
}

} // namespace

bool ScriptReadFrame(std::vector<uint8_t>* rgb, int* width, int* height) {
    const PlatformFrameRect r = PlatformGetFrameRect();
    return ReadBackRect(r.x, r.y, r.width, r.height, rgb, width, height);
}

bool ScriptReadDrawable(std::vector<uint8_t>* rgb, int* width, int* height) {
    int dw = 0, dh = 0;
    PlatformGetDrawableSize(&dw, &dh);
    return ReadBackRect(0, 0, dw, dh, rgb, width, height);
}
