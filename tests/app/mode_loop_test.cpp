// mode_loop_test.cpp - the mode loop: an unknown mode value calls nothing and is read again;
// MODE_QUIT closes the display and calls no mode.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/globals.h"
#include "app/mode_loop.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "tests/testkit.h"

namespace {

// Any drawn frame means a mode procedure ran: note it and leave the loop.
bool ModeRan = false;
void StopOnFrame(uint32_t, void*) {
    ModeRan = true;
    throw ProgramExit{7};
}

void SetMode(int32_t mode) {
    std::atomic_ref<int32_t>(GameMode).store(mode, std::memory_order_relaxed);
}

} // namespace

TEST(ModeLoop, AnUnknownModeCallsNothingAndIsReadAgainUntilQuitClosesTheDisplay) {
    ASSERT_TRUE(OpenTestDisplay());
    ScriptSetFrameHook(StopOnFrame, nullptr);
    SetMode(5);
    // Another thread changes the value while the loop spins on it: other unknown values, then
    // MODE_QUIT. A loop that never sees MODE_QUIT is ended after 20 s.
    std::atomic<bool> returned{false};
    std::thread changer([&] {
        for (int32_t mode : {-1, 98, 100, int(MODE_QUIT)}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            SetMode(mode);
        }
        for (int i = 0; i < 2000 && !returned; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!returned) std::abort();
    });
    EXPECT_NO_THROW(RunModeLoop());
    returned = true;
    changer.join();
    EXPECT_FALSE(ModeRan);
    EXPECT_FALSE(PlatformWindowOpen());
    ScriptSetFrameHook(nullptr, nullptr);
    CloseTestDisplay();
}
