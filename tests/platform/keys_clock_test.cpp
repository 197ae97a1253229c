// keys_clock_test.cpp - the key query with its press latch, the scripted backend's virtual
// clock and its answer to "Fullscreen?".
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/scripted.h"

namespace {

class ScriptedPlatform : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << why;
        ScriptReset();
    }
    void TearDown() override { PlatformShutdown(); }
};

bool Counts(int vk) {
    return GetAsyncKeyState(vk) != 0;
}

} // namespace

using Keys = ScriptedPlatform;

TEST_F(Keys, AHeldKeyCountsAtEveryPollATapBetweenPollsOnce) {
    ScriptSetKey(VK_UP, true);
    EXPECT_TRUE(Counts(VK_UP) && Counts(VK_UP));
    ScriptSetKey(VK_UP, true); // holding on is no new press
    ScriptSetKey(VK_UP, false);
    EXPECT_FALSE(Counts(VK_UP));
    ScriptSetKey(VK_SPACE, true);
    ScriptSetKey(VK_SPACE, false);
    ScriptSetKey(VK_LEFT, true);
    ScriptSetKey(VK_LEFT, false);
    EXPECT_FALSE(Counts(VK_RIGHT)) << "the latch belongs to each key alone";
    EXPECT_TRUE(Counts(VK_SPACE));
    EXPECT_FALSE(Counts(VK_SPACE));
    ScriptSetKey(VK_ESCAPE, true);
    ScriptReset(); // releases every key and forgets the presses
    EXPECT_FALSE(Counts(VK_LEFT) || Counts(VK_ESCAPE));
    for (int vk : {0x41, 0x0D, 0xFF, -1, 256, -100000}) { // codes the game does not use
        ScriptSetKey(vk, true);
        EXPECT_FALSE(Counts(vk)) << vk;
    }
}

using VirtualClock = ScriptedPlatform;

TEST_F(VirtualClock, OnlySleepAndTheScriptMoveItAndItWrapsAtThirtyTwoBits) {
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START);
    Sleep(1);
    Sleep(250);
    ScriptAdvanceClock(49);
    EXPECT_EQ(PollWindowEvent(), 0); // no window events, and no time passes
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 300);
    ScriptAdvanceClock(0xFFFFFFFFu - SCRIPT_CLOCK_START - 300);
    Sleep(2);
    EXPECT_EQ(GetTickCount(), 1u);
    ScriptReset();
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START);
}

TEST_F(VirtualClock, FullscreenIsAnsweredAsToldAndNoAfterAReset) {
    EXPECT_FALSE(PlatformAskYesNo("Fullscreen?", "t"));
    ScriptSetFullscreenAnswer(true);
    EXPECT_TRUE(PlatformAskYesNo("Fullscreen?", "t"));
    ScriptReset();
    EXPECT_FALSE(PlatformAskYesNo("Fullscreen?", "t"));
}
