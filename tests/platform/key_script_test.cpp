// key_script_test.cpp - the scripted driver's key scripts: what they say and how they fail.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/scripted.h"

TEST(KeyScript, EveryCommandIsReadInFileOrder) {
    const std::string text = "# a test run\n"
                             "\n"
                             "fullscreen yes   # the answer\n"
                             "at 20 down space\r\n"
                             "  at 30 up space\n"
                             "at 40 screenshot shots/A.PNG\n"
                             "at 40 dump state.json\n"
                             "at 41 screenshot b.bmp\n"
                             "at 999999999 down f5\n"
                             "at 50 end";
    KeyScript s;
    std::string error;
    ASSERT_TRUE(ParseKeyScript(text, &s, &error)) << error;
    EXPECT_TRUE(s.fullscreen);
    ASSERT_EQ(s.commands.size(), 7u);
    EXPECT_EQ(s.commands[0].frame, 20u);
    EXPECT_EQ(s.commands[0].action, SCRIPT_KEY_DOWN);
    EXPECT_EQ(s.commands[0].key, VK_SPACE);
    EXPECT_EQ(s.commands[1].action, SCRIPT_KEY_UP);
    EXPECT_EQ(s.commands[2].action, SCRIPT_SCREENSHOT);
    EXPECT_EQ(s.commands[2].file, "shots/A.PNG");
    EXPECT_EQ(s.commands[3].action, SCRIPT_DUMP);
    EXPECT_EQ(s.commands[3].file, "state.json");
    EXPECT_EQ(s.commands[4].file, "b.bmp");
    EXPECT_EQ(s.commands[5].frame, 999999999u);
    EXPECT_EQ(s.commands[5].key, VK_F5);
    EXPECT_EQ(s.commands[6].action, SCRIPT_END);
    EXPECT_EQ(s.commands[6].frame, 50u);

    ASSERT_TRUE(ParseKeyScript("fullscreen no\nfullscreen yes\nfullscreen no\n", &s, &error));
    EXPECT_FALSE(s.fullscreen);
    EXPECT_TRUE(s.commands.empty());
}

TEST(KeyScript, EveryKeyOfTheGameHasItsName) {
    const struct {
        const char* name;
        int vk;
    } keys[] = {{"escape", 0x1B}, {"space", 0x20}, {"left", 0x25}, {"up", 0x26},
                {"right", 0x27},  {"down", 0x28},  {"f1", 0x70},   {"f2", 0x71},
                {"f3", 0x72},     {"f4", 0x73},    {"f5", 0x74}};
    for (const auto& k : keys) EXPECT_EQ(KeyCodeFromName(k.name), k.vk) << k.name;
    for (const char* bad : {"SPACE", "f6", "a", "", "enter"})
        EXPECT_EQ(KeyCodeFromName(bad), -1) << bad;
}

TEST(KeyScript, ErrorsNameTheirLine) {
    const struct {
        const char* text;
        const char* line;
    } bad[] = {
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
        {"at 5 screenshot\n", "line 1:"},
        {"at 5 dump a.json b.json\n", "line 1:"},
        {"fullscreen maybe\n", "line 1:"},
        {"fullscreen\n", "line 1:"},
        {"press space\n", "line 1:"},
    };
    for (const auto& b : bad) {
        KeyScript s;
        s.fullscreen = true;
        std::string error;
        EXPECT_FALSE(ParseKeyScript(b.text, &s, &error)) << b.text;
        EXPECT_EQ(error.rfind(b.line, 0), 0u) << b.text << " gave: " << error;
    }
}

TEST(KeyScript, ACommentOrBlankScriptIsEmpty) {
    KeyScript s;
    std::string error;
    ASSERT_TRUE(ParseKeyScript("", &s, &error));
    ASSERT_TRUE(ParseKeyScript("   \n# at 5 jump\n\t\n", &s, &error));
    EXPECT_TRUE(s.commands.empty());
    EXPECT_FALSE(s.fullscreen);
}
