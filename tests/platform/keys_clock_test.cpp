// keys_clock_test.cpp - the key query with its press latch, and the scripted backend's
// virtual clock.
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

} // namespace

using Keys = ScriptedPlatform;

TEST_F(Keys, AHeldKeyCountsAtEveryPoll) {
    ScriptSetKey(VK_UP, true);
    for (int poll = 0; poll < 5; poll++) EXPECT_NE(GetAsyncKeyState(VK_UP), 0) << poll;
    ScriptSetKey(VK_UP, false);
    EXPECT_EQ(GetAsyncKeyState(VK_UP), 0);
}

TEST_F(Keys, ATapBetweenTwoPollsCountsOnce) {
    ScriptSetKey(VK_SPACE, true);
    ScriptSetKey(VK_SPACE, false);
    EXPECT_NE(GetAsyncKeyState(VK_SPACE), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    // The latch belongs to each key alone.
    ScriptSetKey(VK_LEFT, true);
    ScriptSetKey(VK_LEFT, false);
    EXPECT_EQ(GetAsyncKeyState(VK_RIGHT), 0);
    EXPECT_NE(GetAsyncKeyState(VK_LEFT), 0);
}

TEST_F(Keys, AKeyNeitherHeldNorPressedDoesNotCount) {
    for (int vk : {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_F1, VK_F5})
        EXPECT_EQ(GetAsyncKeyState(vk), 0) << vk;
    // Holding a key again after a poll is a new press; holding on is not.
    ScriptSetKey(VK_F2, true);
    EXPECT_NE(GetAsyncKeyState(VK_F2), 0);
    ScriptSetKey(VK_F2, true);
    ScriptSetKey(VK_F2, false);
    EXPECT_EQ(GetAsyncKeyState(VK_F2), 0);
}

TEST_F(Keys, CodesTheGameDoesNotUseAreNeverDown) {
    for (int vk : {0x41, 0x0D, 0x10, 0xFF}) {
        ScriptSetKey(vk, true);
        EXPECT_EQ(GetAsyncKeyState(vk), 0) << vk;
    }
    for (int vk : {-1, 256, 1000, -100000}) {
        ScriptSetKey(vk, true);
        EXPECT_EQ(GetAsyncKeyState(vk), 0) << vk;
    }
}

TEST_F(Keys, ResetReleasesEveryKeyAndForgetsPresses) {
    ScriptSetKey(VK_DOWN, true);
    ScriptSetKey(VK_ESCAPE, true);
    ScriptSetKey(VK_ESCAPE, false);
    ScriptReset();
    EXPECT_EQ(GetAsyncKeyState(VK_DOWN), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
}

using VirtualClock = ScriptedPlatform;

TEST_F(VirtualClock, OnlySleepAndTheScriptMoveIt) {
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START);
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START);
    Sleep(1);
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 1);
    Sleep(250);
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 251);
    ScriptAdvanceClock(49);
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 300);
    EXPECT_EQ(PollWindowEvent(), 0); // no window events, and no time passes
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START + 300);
    ScriptReset();
    EXPECT_EQ(GetTickCount(), SCRIPT_CLOCK_START);
}

TEST_F(VirtualClock, WrapsAroundLikeAThirtyTwoBitTickCount) {
    ScriptAdvanceClock(0xFFFFFFFFu - SCRIPT_CLOCK_START);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFFFu);
    Sleep(2);
    EXPECT_EQ(GetTickCount(), 1u);
}

TEST(FullscreenAnswer, TheScriptedBackendAnswersAsTold) {
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << why;
    ScriptReset();
    EXPECT_FALSE(PlatformAskYesNo("Fullscreen?", "t"));
    ScriptSetFullscreenAnswer(true);
    EXPECT_TRUE(PlatformAskYesNo("Fullscreen?", "t"));
    ScriptReset();
    EXPECT_FALSE(PlatformAskYesNo("Fullscreen?", "t"));
    PlatformShutdown();
}
