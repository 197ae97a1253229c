// settings_test.cpp - the player's settings file: what it reads and refuses, that it is written
// once and never over the player's edits, that its keys take effect (volumes: tests/sound).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/command_line.h"
#include "app/settings.h"
#include "platform/platform.h"
#include "platform/test_input.h"
#include "tests/testkit.h"

constexpr auto Key = PlatformKeyFromName;

TEST(SettingsFile, TheWrittenDefaultsReadBackAsTheDefaultsAndEditsAreRead) {
    std::vector<std::string> problems;
    const Settings d = ParseSettings(DefaultSettingsText(), "f", &problems);
    EXPECT_TRUE(problems.empty()) << problems[0];
    const Settings plain;
    EXPECT_EQ(std::tuple(d.musicVolume, d.effectsVolume, d.fullscreen),
              std::tuple(25, 25, FULLSCREEN_ASK));
    for (int a = 0; a < ACTION_COUNT; a++) EXPECT_EQ(d.keys[a], plain.keys[a]) << a;
    EXPECT_EQ(std::pair(plain.keys[ACTION_FIRE], plain.keys[ACTION_WEAPON5]),
              std::pair(Key("Space"), Key("F5")));

    // Two keys swapped in two lines.
    const Settings e = ParseSettings("music_volume = 7  # quieter\n  display=window\n"
                                     "key_left = right\nkey_right = Left\nkey_fire = left ctrl\n",
                                     "f", &problems);
    EXPECT_TRUE(problems.empty()) << problems[0];
    EXPECT_EQ(std::tuple(e.musicVolume, e.fullscreen, e.keys[ACTION_LEFT], e.keys[ACTION_RIGHT],
                         e.keys[ACTION_FIRE]),
              std::tuple(7, FULLSCREEN_NO, Key("Right"), Key("Left"), Key("Left Ctrl")));
}

TEST(SettingsFile, EachBadLineIsSaidWithItsNumberAndItsSettingKeepsTheDefault) {
    std::vector<std::string> problems;
    const Settings s = ParseSettings("# a comment\n"
                                     "music_volume = 26\n"   // 2 out of range
                                     "effects_volume = -1\n" // 3 out of range
                                     "jump = Up\n"           // 4 unknown setting
                                     "key_up = Hyperspace\n" // 5 no such key
                                     "key_fire = A\n"        // 6 used
                                     "key_weapon1 = a\n"     // 7 A is key_fire's
                                     "key_down = Escape\n"   // 8 key_end_game's default
                                     "display = sometimes\n" // 9 bad value
                                     "music_volume\n"        // 10 no '='
                                     "effects_volume = 12\n" // 11 used
                                     "effects_volume = 3\n", // 12 set twice
                                     "conf", &problems);
    const std::vector<std::string> lines = {"conf:2:",  "conf:3:",  "conf:4:", "conf:5:", "conf:9:",
                                            "conf:10:", "conf:12:", "conf:7:", "conf:8:"};
    ASSERT_EQ(problems.size(), lines.size()) << testing::PrintToString(problems);
    for (size_t i = 0; i < lines.size(); i++)
        EXPECT_EQ(problems[i].rfind(lines[i], 0), 0u) << problems[i];
    EXPECT_NE(problems[7].find("key_fire"), std::string::npos) << problems[7];
    const Settings d;
    EXPECT_EQ(std::tuple(s.musicVolume, s.effectsVolume, s.fullscreen, s.keys[ACTION_UP],
                         s.keys[ACTION_FIRE], s.keys[ACTION_WEAPON1], s.keys[ACTION_DOWN]),
              std::tuple(25, 12, FULLSCREEN_ASK, d.keys[ACTION_UP], Key("A"),
                         d.keys[ACTION_WEAPON1], d.keys[ACTION_DOWN]));
}

TEST(SettingsFile, FirstStartWritesTheDefaultsOnceAndNeverOverThePlayersEdits) {
    TempDir home;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
    const std::string file = home.Path() + "/config/morvexa/morvexa.conf";
    EXPECT_EQ(LoadSettings().effectsVolume, 25) << "no file yet: the defaults";
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading makes nothing";
    WriteDefaultSettings();
    EXPECT_EQ(ReadFileText(file), DefaultSettingsText());
    WriteFileText(file, "effects_volume = 4\nkey_fire = Tab\nkey_left = Nowhere\n");
    testing::internal::CaptureStderr();
    const Settings s = LoadSettings();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::pair(s.effectsVolume, s.keys[ACTION_FIRE]), std::pair(4, Key("Tab")));
    EXPECT_EQ(said, "morvexa: " + file + ":3: no key is named 'Nowhere'\n");
    EXPECT_EQ(ReadFileText(file), "effects_volume = 4\nkey_fire = Tab\nkey_left = Nowhere\n");
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsInForce, ABoundKeyDrivesItsActionAndItsOldKeyNoLonger) {
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
    Settings s;
    s.keys[ACTION_FIRE] = Key("Left Ctrl");
    ApplySettings(s);
    DropQueuedEvents();
    GetAsyncKeyState(VK_SPACE); // clear the latch
    ASSERT_TRUE(PushKeyDown("Space", false, false));
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    ASSERT_TRUE(PushKeyDown("Left Ctrl", false, false));
    EXPECT_NE(GetAsyncKeyState(VK_SPACE), 0);
    ApplySettings(Settings());
    EXPECT_EQ(PlatformBoundKey(VK_SPACE), Key("Space"));
    PlatformShutdown();
}
