// mode_loop_test.cpp - frame pacing on the virtual clock, the mode loop's unknown modes and
// MODE_QUIT, and the shutdown ending the audio capture.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/mode_loop.h"
#include "core/frame.h"
#include "core/globals.h"
#include "platform/audio_in.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "tests/testkit.h"

namespace {

// Runs passes of a mode's loop and returns the tick of each drawn frame.
std::vector<uint32_t> RunPasses(int passes) {
    std::vector<uint32_t> drawn;
    for (int i = 0; i < passes; i++) {
        if (FrameDue()) drawn.push_back(GetTickCount()), FinishFrame();
        EndPass();
    }
    return drawn;
}

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

TEST(FramePacing, NoFrameAtExactly12Point5MsThenOneEvery13WholeTicksAndAStallIsNotCaughtUp) {
    ASSERT_TRUE(OpenTestDisplay());
    FrameRate = 80.0f, FramePeriod = 12.5f;
    LastFrameTick = float(GetTickCount()) + 0.5f; // a frame finished half way into a tick
    ScriptAdvanceClock(12);
    EXPECT_FALSE(FrameDue()); // 11.5 ms
    EndPass();
    EXPECT_FALSE(FrameDue()); // exactly 12.5 ms
    EndPass();
    EXPECT_TRUE(FrameDue()); // 13.5 ms
    const uint32_t start = GetTickCount(), presented = PlatformFrameCount();
    LastFrameTick = float(start);
    const std::vector<uint32_t> drawn = RunPasses(1313);
    ASSERT_EQ(drawn.size(), 100u);
    EXPECT_EQ(PlatformFrameCount(), presented + 100) << "each frame is presented";
    EXPECT_EQ(drawn.front(), start + 13);
    for (size_t i = 1; i < drawn.size(); i++) ASSERT_EQ(drawn[i] - drawn[i - 1], 13u) << i;
    EXPECT_EQ(GetTickCount(), start + 1313); // each pass sleeps exactly 1 ms
    ScriptAdvanceClock(500);                 // the machine hung for half a second
    EXPECT_EQ(RunPasses(26), (std::vector<uint32_t>{start + 1813, start + 1826}));
    CloseTestDisplay();
}

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
    EXPECT_EQ(std::pair(ModeRan, PlatformWindowOpen()), std::pair(false, false));
    ScriptSetFrameHook(nullptr, nullptr);
    CloseTestDisplay();
}

// The scripted backend's stand-in capture device takes samples only while it is open.
TEST(ModeLoop, ShutDownStopsTheAudioCaptureAndTheNextGameStartsItAgain) {
    TempDir dir(true);
    const int16_t sample = 0; // silence: the buffer outlives the game, later runs read it
    for (int game = 1; game <= 2; game++) {
        SCOPED_TRACE(game);
        int32_t taken = -1;
        const ScriptedRun run = RunScriptedGame("at 3 end", [&](uint32_t frame) {
            if (frame == 2) taken = AudioCaptureFeed(&sample, 1);
            return true;
        });
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(taken, 1) << "the menu's input was not open";
        EXPECT_EQ(AudioCaptureFeed(&sample, 1), 0) << "the capture outlived the game";
        EXPECT_FALSE(AudioCaptureQueued());
    }
}
