// mode_loop_test.cpp - the mode loop: MODE_QUIT closes the display and calls no mode; an
// unknown mode value calls nothing and is read again.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
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

TEST(ModeLoop, QuitClosesTheDisplayWithoutCallingAnyMode) {
    ASSERT_TRUE(OpenTestDisplay());
    ModeRan = false;
    ScriptSetFrameHook(StopOnFrame, nullptr);
    SetMode(MODE_QUIT);
    EXPECT_NO_THROW(RunModeLoop());
    EXPECT_FALSE(ModeRan);
    EXPECT_FALSE(PlatformWindowOpen());
    EXPECT_EQ(GameMode, MODE_QUIT);
    ScriptSetFrameHook(nullptr, nullptr);
    CloseTestDisplay();
}

TEST(ModeLoop, AnUnknownModeCallsNothingAndIsReadAgain) {
    ASSERT_TRUE(OpenTestDisplay());
    ModeRan = false;
    ScriptSetFrameHook(StopOnFrame, nullptr);
    std::atomic<bool> returned{false};
    SetMode(5);
    // Another thread changes the value while the loop spins on it: first to other unknown
    // values, then to MODE_QUIT. The loop must see each new value.
    std::thread changer([&] {
        for (int32_t mode : {-1, 98, 100, 12345}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            SetMode(mode);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SetMode(MODE_QUIT);
        for (int i = 0; i < 2000 && !returned; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!returned) {
            std::fprintf(stderr, "the mode loop never read MODE_QUIT\n");
            std::abort();
        }
    });
    EXPECT_NO_THROW(RunModeLoop());
    returned = true;
    changer.join();
    EXPECT_FALSE(ModeRan);
    EXPECT_FALSE(PlatformWindowOpen());
    ScriptSetFrameHook(nullptr, nullptr);
    CloseTestDisplay();
}
