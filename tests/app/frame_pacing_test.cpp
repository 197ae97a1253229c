// frame_pacing_test.cpp - the pacing every mode's loop follows, on the virtual clock: a frame
// only when strictly more than 12.5 ms have passed, one event and 1 ms of sleep every pass,
// no catching up.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "tests/testkit.h"

namespace {

class FramePacing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(OpenTestDisplay());
        FrameRate = 80.0f;
        FramePeriod = 1000.0f / FrameRate;
        LastFrameTick = float(GetTickCount());
    }
    void TearDown() override { CloseTestDisplay(); }

    // Runs passes of a mode's loop and returns the tick of each drawn frame.
    std::vector<uint32_t> RunPasses(int passes) {
        std::vector<uint32_t> drawn;
        for (int i = 0; i < passes; i++) {
            if (FrameDue()) drawn.push_back(GetTickCount()), FinishFrame();
            EndPass();
        }
        return drawn;
    }
};

} // namespace

TEST_F(FramePacing, NoFrameAtExactlyTwelveAndAHalfMillisecondsOneAtTheNextPass) {
    LastFrameTick += 0.5f; // a frame finished half way into a tick
    ScriptAdvanceClock(12);
    EXPECT_FALSE(FrameDue()); // 11.5 ms
    EndPass();
    EXPECT_FALSE(FrameDue()); // exactly 12.5 ms
    EndPass();
    EXPECT_TRUE(FrameDue()); // 13.5 ms
}

TEST_F(FramePacing, WholeTicksGiveAFrameEveryThirteenPassesAndAStallIsNotCaughtUp) {
    const uint32_t presented = PlatformFrameCount();
    const std::vector<uint32_t> drawn = RunPasses(1313);
    ASSERT_EQ(drawn.size(), 100u);
    EXPECT_EQ(PlatformFrameCount(), presented + 100) << "each frame is presented";
    EXPECT_EQ(drawn.front(), SCRIPT_CLOCK_START + 13);
    for (size_t i = 1; i < drawn.size(); i++) ASSERT_EQ(drawn[i] - drawn[i - 1], 13u) << i;
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 1313); // each pass sleeps exactly 1 ms
    ScriptAdvanceClock(500);                              // the machine hung for half a second
    EXPECT_EQ(RunPasses(26),
              (std::vector<uint32_t>{SCRIPT_CLOCK_START + 1813, SCRIPT_CLOCK_START + 1826}));
}
