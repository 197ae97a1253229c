// key_script_test.cpp - the scripted driver's key scripts: what they say and how they fail.
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
    const struct {
        uint32_t frame;
        ScriptAction action;
        int key;
        const char* file;
    } expected[] = {{20, SCRIPT_KEY_DOWN, VK_SPACE, ""},
                    {30, SCRIPT_KEY_UP, VK_F5, ""},
                    {40, SCRIPT_SCREENSHOT, 0, "shots/A.PNG"},
                    {40, SCRIPT_DUMP, 0, "state.json"},
                    {999999999, SCRIPT_END, 0, ""}};
    for (int i = 0; i < 5; i++) {
        const ScriptCommand& c = s.commands[i];
        EXPECT_TRUE(c.frame == expected[i].frame && c.action == expected[i].action &&
                    c.file == expected[i].file &&
                    (c.action > SCRIPT_KEY_UP || c.key == expected[i].key))
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
    const struct {
        const char* text;
        const char* line;
    } bad[] = {{"at 5 down space\nat 6 down shift\n", "line 2:"},
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
    for (const auto& b : bad) {
        KeyScript s;
        std::string error;
        EXPECT_FALSE(ParseKeyScript(b.text, &s, &error)) << b.text;
        EXPECT_EQ(error.rfind(b.line, 0), 0u) << b.text << " gave: " << error;
    }
}
