// gamepad_test.cpp - gamepads as the game's keys (held and tapped), shoulder buttons as weapon
// keys, controllers coming and going, the data folder's mapping file. SDL, offscreen.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/test_input.h"
#include "tests/testkit.h"

namespace {

constexpr int PAD = 7, OTHER_PAD = 8;
using Keys = std::vector<int>;

// Every key the game reads that counts at one poll of each (consuming the latches).
Keys KeysThatCount() {
    Keys keys;
    for (int vk : {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_F1, VK_F2, VK_F3,
                   VK_F4, VK_F5})
        if (GetAsyncKeyState(vk)) keys.push_back(vk);
    return keys;
}
void Button(int button, bool down, int pad = PAD) {
    ASSERT_TRUE(PushPadButton(pad, button, down));
}
void Axis(int axis, int value, int pad = PAD) {
    ASSERT_TRUE(PushPadAxis(pad, axis, value));
}

int Weapon = 1; // the game's selected weapon, 0 to 4

class Gamepad : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        KeysThatCount(); // no latch left from before
    }
    void TearDown() override {
        PlatformSetWeaponQuery(nullptr);
        DropQueuedEvents();
        PlatformShutdown();
    }
};

} // namespace

TEST_F(Gamepad, ButtonsActAsTheirKeysWhileHeldAndATapBetweenPollsCountsOnce) {
    const int pairs[][2] = {{TEST_PAD_A, VK_SPACE},          {TEST_PAD_DPAD_LEFT, VK_LEFT},
                            {TEST_PAD_DPAD_RIGHT, VK_RIGHT}, {TEST_PAD_DPAD_UP, VK_UP},
                            {TEST_PAD_DPAD_DOWN, VK_DOWN},   {TEST_PAD_START, VK_ESCAPE},
                            {TEST_PAD_BACK, VK_ESCAPE}};
    for (const auto& p : pairs) {
        Button(p[0], true);
        EXPECT_EQ(KeysThatCount(), Keys{p[1]}) << p[0];
        EXPECT_EQ(KeysThatCount(), Keys{p[1]}) << "held across polls";
        Button(p[0], true); // a second down event for a button already down is no new press
        Button(p[0], false);
        EXPECT_EQ(KeysThatCount(), Keys{}) << p[0];
        for (bool down : {true, false}) Button(p[0], down);
        EXPECT_EQ(KeysThatCount(), Keys{p[1]}) << "a tap";
        EXPECT_EQ(KeysThatCount(), Keys{});
    }
    for (auto b : {TEST_PAD_B, TEST_PAD_X, TEST_PAD_Y, TEST_PAD_GUIDE, TEST_PAD_LEFTSTICK})
        Button(b, true);
    EXPECT_EQ(KeysThatCount(), Keys{}) << "buttons the game has no key for";
}

TEST_F(Gamepad, TheLeftStickActsAsTheArrowsPastHalfWayAndLetsGoLater) {
    const std::tuple<int, int, Keys> steps[] = {
        {TEST_AXIS_LEFTX, 16383, {}},
        {TEST_AXIS_LEFTX, 16384, {VK_RIGHT}},
        {TEST_AXIS_LEFTX, 12288, {VK_RIGHT}}, // easing back still holds
        {TEST_AXIS_LEFTX, 12287, {}},
        {TEST_AXIS_LEFTX, -32768, {VK_LEFT}},
        {TEST_AXIS_LEFTY, -20000, {VK_LEFT, VK_UP}},
        {TEST_AXIS_LEFTY, 32767, {VK_LEFT, VK_DOWN}}, // straight to the other side
        {TEST_AXIS_LEFTX, 0, {VK_DOWN}},
        {TEST_AXIS_RIGHTX, 32767, {VK_DOWN}}, // the right stick and the triggers
        {TEST_AXIS_TRIGGERRIGHT, 32767, {VK_DOWN}},
        {TEST_AXIS_LEFTY, 0, {}}};
    for (const auto& [axis, value, keys] : steps) {
        Axis(axis, value);
        EXPECT_EQ(KeysThatCount(), keys) << axis << " at " << value;
    }
    Axis(TEST_AXIS_LEFTY, 30000); // a flick between two polls is a press
    Axis(TEST_AXIS_LEFTY, 0);
    EXPECT_EQ(KeysThatCount(), Keys{VK_DOWN});
    EXPECT_EQ(KeysThatCount(), Keys{});
}

TEST_F(Gamepad, ShoulderButtonsStepThroughTheWeaponsOneKeyPressEach) {
    // Without the game's answer they count from the last weapon key, first the game's F2.
    for (bool down : {true, false, true}) Button(TEST_PAD_RIGHTSHOULDER, down);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_F3, VK_F4}));
    ASSERT_TRUE(PushKeyDown("F2", false, false)); // the player picks F2 on the keyboard
    KeysThatCount();
    for (bool down : {false, true}) Button(TEST_PAD_RIGHTSHOULDER, down);
    EXPECT_EQ(KeysThatCount(), Keys{VK_F3});
    Button(TEST_PAD_RIGHTSHOULDER, false);

    PlatformSetWeaponQuery([] { return Weapon; });
    const std::tuple<int, int, Keys> presses[] = {
        {3, TEST_PAD_RIGHTSHOULDER, {VK_F5}},
        {4, TEST_PAD_RIGHTSHOULDER, {VK_F1}},  // after the last comes the first
        {0, TEST_PAD_LEFTSHOULDER, {VK_F5}},   // before the first the last
        {99, TEST_PAD_LEFTSHOULDER, {VK_F5}}}; // nonsense counts as the first
    for (const auto& [weapon, button, keys] : presses) {
        Weapon = weapon;
        Button(button, true);
        EXPECT_EQ(KeysThatCount(), keys) << weapon;
        EXPECT_EQ(KeysThatCount(), Keys{}) << "a held shoulder button is no held weapon key";
        Button(button, false);
    }
}

TEST_F(Gamepad, ControllersHoldTheirOwnButtonsAndARemovedOneOrALostFocusLetsGo) {
    Button(TEST_PAD_A, true);
    Button(TEST_PAD_A, true, OTHER_PAD);
    Button(TEST_PAD_DPAD_UP, true, OTHER_PAD);
    KeysThatCount(); // the presses are counted; from here on only holding counts
    Button(TEST_PAD_A, false);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_SPACE, VK_UP})) << "the other pad still holds A";
    ASSERT_TRUE(PushPadRemoved(OTHER_PAD));
    EXPECT_EQ(KeysThatCount(), Keys{}) << "pulled out while held: nothing stays held";
    Button(TEST_PAD_A, false, OTHER_PAD); // its release never comes; a new one starts clean
    ASSERT_TRUE(PushPadAdded(1000));      // a device that cannot be opened is ignored
    HandleQueuedEvents();
    Button(TEST_PAD_DPAD_RIGHT, true);
    Axis(TEST_AXIS_LEFTY, 32767, OTHER_PAD);
    EXPECT_EQ(KeysThatCount(), (Keys{VK_RIGHT, VK_DOWN}));
    ASSERT_TRUE(PushFocusLost());
    EXPECT_EQ(KeysThatCount(), Keys{});
    Button(TEST_PAD_DPAD_RIGHT, true); // pressed again after coming back
    EXPECT_EQ(KeysThatCount(), Keys{VK_RIGHT});
}

TEST_F(Gamepad, APadPluggedInWhileTheGameRunsIsOpenedAndPlayedUntilItIsPulledOut) {
    ASSERT_TRUE(PlugVirtualPad()) << "SDL makes no virtual controller here";
    HandleQueuedEvents(); // the game takes the new pad
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_A, true)) << "the platform did not open the pad";
    EXPECT_EQ(KeysThatCount(), Keys{VK_SPACE});
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_A, false));
    ASSERT_TRUE(SetVirtualPadAxis(TEST_AXIS_LEFTX, -30000));
    ASSERT_TRUE(SetVirtualPadButton(TEST_PAD_START, true));
    EXPECT_EQ(KeysThatCount(), (Keys{VK_ESCAPE, VK_LEFT}));
    UnplugVirtualPad(); // pulled out with Start and the stick still held
    EXPECT_EQ(KeysThatCount(), Keys{});
    HandleQueuedEvents();
    EXPECT_EQ(KeysThatCount(), Keys{});
}

TEST(GamepadMappings, TheMappingFileInTheDataFolderIsRead) {
    const char* guid = "030000005e0400008e02000010010000";
    const std::string line = std::string(guid) +
                             ",MORVEXA Test Pad,a:b0,b:b1,back:b6,dpdown:h0.4,"
                             "dpleft:h0.8,dpright:h0.2,dpup:h0.1,leftshoulder:b4,leftx:a0,lefty:a1,"
                             "rightshoulder:b5,start:b7,x:b2,y:b3,platform:Linux,\n";
    const char* why = nullptr;
    for (bool withFile : {true, false}) { // without it SDL's own mapping for this pad, not ours
        TempDir folder(true);
        if (withFile) WriteFileText("gamecontrollerdb.txt", line);
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        EXPECT_EQ(PadMappingFor(guid).find("MORVEXA Test Pad") != std::string::npos, withFile);
        PlatformShutdown();
    }
}
