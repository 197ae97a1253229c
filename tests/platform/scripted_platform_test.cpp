// scripted_platform_test.cpp - the scripted backend: key scripts and their errors, the key
// query with its press latch, and the virtual clock.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/scripted.h"

TEST(KeyScript, EveryCommandIsReadInFileOrderWithTheLastFullscreenAnswer) {
    KeyScript s;
    std::string error;
    ASSERT_TRUE(ParseKeyScript("# a test run\n\nfullscreen no\nfullscreen yes   # the answer\n"
                               "at 20 down space\r\n  at 30 up f5\nat 40 screenshot shots/A.PNG\n"
                               "at 40 dump state.json\nat 999999999 end",
                               &s, &error))
        << error;
    EXPECT_TRUE(s.fullscreen);
    ASSERT_EQ(s.commands.size(), 5u);
    const std::tuple<uint32_t, ScriptAction, int, const char*> expected[] = {
        {20, SCRIPT_KEY_DOWN, VK_SPACE, ""},
        {30, SCRIPT_KEY_UP, VK_F5, ""},
        {40, SCRIPT_SCREENSHOT, 0, "shots/A.PNG"},
        {40, SCRIPT_DUMP, 0, "state.json"},
        {999999999, SCRIPT_END, 0, ""}};
    for (int i = 0; i < 5; i++) {
        const ScriptCommand& c = s.commands[i];
        const auto& [frame, action, key, file] = expected[i];
        EXPECT_TRUE(c.frame == frame && c.action == action && c.file == file &&
                    (c.action > SCRIPT_KEY_UP || c.key == key))
            << "command " << i;
    }
}

TEST(KeyScript, EveryKeyOfTheGameHasItsName) {
    const char* names[] = {"escape", "space", "left", "up", "right", "down",
                           "f1",     "f2",    "f3",   "f4", "f5"};
    const int codes[] = {0x1B, 0x20, 0x25, 0x26, 0x27, 0x28, 0x70, 0x71, 0x72, 0x73, 0x74};
    for (int i = 0; i < 11; i++) EXPECT_EQ(KeyCodeFromName(names[i]), codes[i]) << names[i];
    for (const char* bad : {"SPACE", "f6", "a", ""}) EXPECT_EQ(KeyCodeFromName(bad), -1) << bad;
}

TEST(KeyScript, ErrorsNameTheirLine) {
    const std::pair<const char*, const char*> bad[] = {
        {"at 5 down space\nat 6 down shift\n", "line 2:"},
        {"at x down space\n", "line 1:"},
        {"at -3 down space\n", "line 1:"},
        {"at 12345678901 end\n", "line 1:"},
        {"# start\nat 0 screenshot a.png\n", "line 2:"},
        {"at 5\n", "line 1:"},
        {"at 5 down\n", "line 1:"},
        {"at 5 down space now\n", "line 1:"},
        {"at 5 end now\n", "line 1:"},
        {"at 5 jump\n", "line 1:"},
        {"\n\n\nat 5 screenshot a.jpg\n", "line 4:"},
        {"at 5 dump a.json b.json\n", "line 1:"},
        {"fullscreen maybe\n", "line 1:"},
        {"press space\n", "line 1:"}};
    for (const auto& [text, line] : bad) {
        KeyScript s;
        std::string error;
        EXPECT_FALSE(ParseKeyScript(text, &s, &error)) << text;
        EXPECT_EQ(error.rfind(line, 0), 0u) << text << " gave: " << error;
    }
}

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
    for (int vk : {VK_SPACE, VK_LEFT}) ScriptSetKey(vk, true), ScriptSetKey(vk, false);
    EXPECT_FALSE(Counts(VK_RIGHT)) << "the latch belongs to each key alone";
    EXPECT_TRUE(Counts(VK_SPACE) && !Counts(VK_SPACE));
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
