// gamepad_test.cpp - gamepads seen as the game's keys: controller events pushed into SDL's
// queue reach GetAsyncKeyState exactly as key presses do (held, and a press latch for a tap
// between two polls); the shoulder buttons give one weapon key per press; controllers come
// and go; the mapping file of the data folder is read. SDL backend on the offscreen driver.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/test_input.h"
#include "tests/testkit.h"

namespace {

constexpr int PAD = 7, OTHER_PAD = 8;
// A stick direction counts from half way on, and is let go again below three eighths.
constexpr int STICK_PRESS = 16384, STICK_RELEASE = 12288;

void PushButton(int pad, int button, bool down) {
    ASSERT_TRUE(PushPadButton(pad, button, down));
}
void PushAxis(int pad, int axis, int value) {
    ASSERT_TRUE(PushPadAxis(pad, axis, value));
}

bool Counts(int vk) {
    return GetAsyncKeyState(vk) != 0;
}

// Every key the game reads, as one poll of each would see it (and so consuming the latches).
std::vector<int> KeysThatCount() {
    std::vector<int> keys;
    for (int vk : {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_F1, VK_F2, VK_F3,
                   VK_F4, VK_F5})
        if (Counts(vk)) keys.push_back(vk);
    return keys;
}

int Weapon = 1;
int SelectedWeapon() {
    return Weapon;
}

class Gamepad : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        PlatformSetWeaponQuery(nullptr);
        KeysThatCount(); // no latch left from before
    }
    void TearDown() override {
        PlatformSetWeaponQuery(nullptr);
        DropQueuedEvents();
        PlatformShutdown();
    }
};

using Keys = std::vector<int>;

} // namespace

TEST_F(Gamepad, ButtonsActAsTheirKeysWhileHeld) {
    PushButton(PAD, TEST_PAD_A, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_SPACE});
    EXPECT_EQ(KeysThatCount(), Keys{VK_SPACE}) << "held across polls";
    PushButton(PAD, TEST_PAD_A, false);
    EXPECT_EQ(KeysThatCount(), Keys{});

    const struct {
        int button;
        int vk;
    } pairs[] = {{TEST_PAD_DPAD_LEFT, VK_LEFT}, {TEST_PAD_DPAD_RIGHT, VK_RIGHT},
                 {TEST_PAD_DPAD_UP, VK_UP},     {TEST_PAD_DPAD_DOWN, VK_DOWN},
                 {TEST_PAD_START, VK_ESCAPE},   {TEST_PAD_BACK, VK_ESCAPE}};
    for (const auto& p : pairs) {
        PushButton(PAD, p.button, true);
        EXPECT_EQ(KeysThatCount(), Keys{p.vk}) << p.button;
        PushButton(PAD, p.button, false);
        EXPECT_EQ(KeysThatCount(), Keys{}) << p.button;
    }
    // Buttons the game has no key for do nothing.
    for (auto b : {TEST_PAD_B, TEST_PAD_X, TEST_PAD_Y, TEST_PAD_GUIDE, TEST_PAD_LEFTSTICK})
        PushButton(PAD, b, true);
    EXPECT_EQ(KeysThatCount(), Keys{});
}

TEST_F(Gamepad, ATapBetweenTwoPollsCountsOnceLikeAKey) {
    PushButton(PAD, TEST_PAD_A, true);
    PushButton(PAD, TEST_PAD_A, false);
    EXPECT_TRUE(Counts(VK_SPACE));
    EXPECT_FALSE(Counts(VK_SPACE));
    // A second down event for a button already down is no second press.
    PushButton(PAD, TEST_PAD_START, true);
    EXPECT_TRUE(Counts(VK_ESCAPE));
    PushButton(PAD, TEST_PAD_START, true);
    PushButton(PAD, TEST_PAD_START, false);
    EXPECT_FALSE(Counts(VK_ESCAPE));
}

TEST_F(Gamepad, TheLeftStickActsAsTheArrowsPastHalfWayAndLetsGoLater) {
    PushAxis(PAD, TEST_AXIS_LEFTX, STICK_PRESS - 1);
    EXPECT_EQ(KeysThatCount(), Keys{}) << "not yet half way";
    PushAxis(PAD, TEST_AXIS_LEFTX, STICK_PRESS);
    EXPECT_EQ(KeysThatCount(), Keys{VK_RIGHT});
    PushAxis(PAD, TEST_AXIS_LEFTX, STICK_RELEASE);
    EXPECT_EQ(KeysThatCount(), Keys{VK_RIGHT}) << "a stick easing back still holds";
    PushAxis(PAD, TEST_AXIS_LEFTX, STICK_RELEASE - 1);
    EXPECT_EQ(KeysThatCount(), Keys{});
    PushAxis(PAD, TEST_AXIS_LEFTX, -32768);
    PushAxis(PAD, TEST_AXIS_LEFTY, -20000);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_LEFT, VK_UP}));
    PushAxis(PAD, TEST_AXIS_LEFTY, 32767); // straight through to the other side
    EXPECT_EQ(KeysThatCount(), (Keys{VK_LEFT, VK_DOWN}));
    PushAxis(PAD, TEST_AXIS_LEFTX, 0);
    PushAxis(PAD, TEST_AXIS_LEFTY, 0);
    // A flick between two polls is a press, like a tapped arrow key.
    PushAxis(PAD, TEST_AXIS_LEFTY, 30000);
    PushAxis(PAD, TEST_AXIS_LEFTY, 0);
    EXPECT_EQ(KeysThatCount(), Keys{VK_DOWN});
    EXPECT_EQ(KeysThatCount(), Keys{});
    // The right stick and the triggers are not arrows.
    PushAxis(PAD, TEST_AXIS_RIGHTX, 32767);
    PushAxis(PAD, TEST_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(KeysThatCount(), Keys{});
}

TEST_F(Gamepad, ShoulderButtonsStepThroughTheWeaponsOneKeyPressEach) {
    PlatformSetWeaponQuery(SelectedWeapon);
    Weapon = 3;
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F5});
    EXPECT_EQ(KeysThatCount(), Keys{}) << "a held shoulder button is no held weapon key";
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, false);
    Weapon = 4;
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F1}) << "after the last weapon comes the first";
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, false);
    Weapon = 0;
    PushButton(PAD, TEST_PAD_LEFTSHOULDER, true);
    PushButton(PAD, TEST_PAD_LEFTSHOULDER, false);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F5}) << "before the first comes the last";
    Weapon = 99; // nonsense from the game counts as the first weapon
    PushButton(PAD, TEST_PAD_LEFTSHOULDER, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F5});
}

TEST_F(Gamepad, WithoutTheGamesWeaponTheShouldersCountFromTheLastWeaponKey) {
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, true);
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, false);
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, true);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_F3, VK_F4})) << "two presses from the first game's weapon";
    // The player picks F2 on the keyboard: the next press goes on from there.
    ASSERT_TRUE(PushKeyDown("F2", false, false));
    KeysThatCount();
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, false);
    PushButton(PAD, TEST_PAD_RIGHTSHOULDER, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F3});
}

TEST_F(Gamepad, ControllersHoldTheirOwnButtonsAndARemovedOneLetsGo) {
    PushButton(PAD, TEST_PAD_A, true);
    PushButton(OTHER_PAD, TEST_PAD_A, true);
    PushButton(OTHER_PAD, TEST_PAD_DPAD_UP, true);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_SPACE, VK_UP}));
    PushButton(PAD, TEST_PAD_A, false);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_SPACE, VK_UP})) << "the other pad still holds A";
    ASSERT_TRUE(PushPadRemoved(OTHER_PAD));
    EXPECT_EQ(KeysThatCount(), Keys{}) << "pulled out while held: nothing stays held";
    // Its release never comes; a new controller with the same number starts clean.
    PushButton(OTHER_PAD, TEST_PAD_A, false);
    EXPECT_EQ(KeysThatCount(), Keys{});
    // Device events reach PollWindowEvent too; a device that cannot be opened is ignored.
    ASSERT_TRUE(PushPadAdded(1000));
    for (int i = 0; i < 100 && PollWindowEvent() != 0; i++) {
    }
    PushButton(PAD, TEST_PAD_DPAD_LEFT, true);
    EXPECT_EQ(KeysThatCount(), Keys{VK_LEFT});
}

TEST_F(Gamepad, LosingTheFocusLetsGoOfEveryButton) {
    PushButton(PAD, TEST_PAD_DPAD_RIGHT, true);
    PushAxis(OTHER_PAD, TEST_AXIS_LEFTY, 32767);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_RIGHT, VK_DOWN}));
    ASSERT_TRUE(PushFocusLost());
    EXPECT_EQ(KeysThatCount(), Keys{});
    PushButton(PAD, TEST_PAD_DPAD_RIGHT, true); // pressed again after coming back
    EXPECT_EQ(KeysThatCount(), Keys{VK_RIGHT});
}

TEST(GamepadMappings, TheMappingFileInTheDataFolderIsRead) {
    const char* guidText = "030000005e0400008e02000010010000";
    const char* line = "030000005e0400008e02000010010000,MORVEXA Test Pad,a:b0,b:b1,back:b6,"
                       "dpdown:h0.4,dpleft:h0.8,dpright:h0.2,dpup:h0.1,leftshoulder:b4,"
                       "leftx:a0,lefty:a1,rightshoulder:b5,start:b7,x:b2,y:b3,platform:Linux,\n";
    auto mappingName = [&] { return PadMappingFor(guidText); };
    const char* why = nullptr;
    {
        TempDir folder(true);
        WriteFileBytes("gamecontrollerdb.txt",
                       std::vector<uint8_t>(line, line + std::strlen(line)));
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        EXPECT_NE(mappingName().find("MORVEXA Test Pad"), std::string::npos) << mappingName();
        PlatformShutdown();
    }
    {
        TempDir folder(true); // no file: SDL's own mapping for this pad, not ours
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        EXPECT_EQ(mappingName().find("MORVEXA Test Pad"), std::string::npos) << mappingName();
        PlatformShutdown();
    }
}

TEST_F(Gamepad, APadPluggedInWhileTheGameRunsIsOpenedAndPlayedUntilItIsPulledOut) {
    if (!PlugVirtualPad()) GTEST_SKIP() << "SDL makes no virtual controller here";
    for (int i = 0; i < 100 && PollWindowEvent() != 0; i++) {
    } // the game takes the new pad
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_A, true)) << "the platform did not open the pad";
    EXPECT_EQ(KeysThatCount(), Keys{VK_SPACE});
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_A, false));
    ASSERT_TRUE(SetVirtualPadAxis(TEST_AXIS_LEFTX, -30000));
    EXPECT_EQ(KeysThatCount(), Keys{VK_LEFT});
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_START, true));
    EXPECT_EQ(KeysThatCount(), (Keys{VK_ESCAPE, VK_LEFT}));
    UnplugVirtualPad(); // pulled out with Start and the stick still held
    EXPECT_EQ(KeysThatCount(), Keys{});
    for (int i = 0; i < 100 && PollWindowEvent() != 0; i++) {
    }
    EXPECT_EQ(KeysThatCount(), Keys{});
}
