// command_line_test.cpp - the game's parameters as the parser reads them and as the whole game
// obeys them; everything unknown refused with code 2.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/command_line.h"
#include "platform/platform.h"
#include "tests/testkit.h"

namespace {

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "morvexa");
    return ParseCommandLine(int(args.size()), args.data());
}

// What AnswerCommandLine prints to standard output and error, and the code it returns.
std::string AnswerOf(const std::vector<const char*>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::string text = std::to_string(AnswerCommandLine(Parse(args), out, err));
    for (std::FILE* file : {out, err}) {
        text += "|";
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(char(c));
        std::fclose(file);
    }
    return text;
}

} // namespace

TEST(CommandLine, InfoExactlyAndTheLastFullscreenAnswerCountAndTheFirstMistakeIsNamed) {
    const struct {
        std::vector<const char*> args;
        CommandAction action;
        int fullscreen;
        bool info;
        const char* bad;
        int music = -1, effects = -1;
    } cases[] = {
        {{}, COMMAND_PLAY, FULLSCREEN_ASK, false, ""},
        {{"info"}, COMMAND_PLAY, FULLSCREEN_ASK, true, ""},
        {{"--windowed", "info"}, COMMAND_PLAY, FULLSCREEN_NO, true, ""},
        {{"--windowed", "--fullscreen"}, COMMAND_PLAY, FULLSCREEN_YES, false, ""},
        {{"--fullscreen", "info", "--windowed"}, COMMAND_PLAY, FULLSCREEN_NO, true, ""},
        {{"Info"}, COMMAND_BAD, FULLSCREEN_ASK, false, "Info"},
        {{"info "}, COMMAND_BAD, FULLSCREEN_ASK, false, "info "},
        {{"--info"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--info"},
        {{"--version", "--help"}, COMMAND_VERSION, FULLSCREEN_ASK, false, ""},
        {{"--fullscreen", "-h"}, COMMAND_HELP, FULLSCREEN_YES, false, ""},
        {{"--help", "--bogus", "--other"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--bogus"},
        {{""}, COMMAND_BAD, FULLSCREEN_ASK, false, ""},
        // Volumes for one run take 0 to 25; a bad or missing value is a mistake.
        {{"--music-volume", "0"}, COMMAND_PLAY, FULLSCREEN_ASK, false, "", 0},
        {{"--effects-volume", "25"}, COMMAND_PLAY, FULLSCREEN_ASK, false, "", -1, 25},
        {{"--music-volume", "26"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--music-volume 26"},
        {{"--music-volume", "-1"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--music-volume -1"},
        {{"--music-volume", "7x"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--music-volume 7x"},
        {{"--music-volume", ""}, COMMAND_BAD, FULLSCREEN_ASK, false, "--music-volume "},
        {{"--effects-volume"}, COMMAND_BAD, FULLSCREEN_ASK, false, "--effects-volume "}};
    for (const auto& c : cases) {
        const CommandLine line = Parse(c.args);
        EXPECT_TRUE(line.action == c.action && line.fullscreen == c.fullscreen &&
                    line.info == c.info && line.bad == c.bad && line.musicVolume == c.music &&
                    line.effectsVolume == c.effects)
            << (c.args.empty() ? "(none)" : c.args.back()) << ": " << line.action << " "
            << line.fullscreen << " " << line.info << " '" << line.bad << "' " << line.musicVolume
            << " " << line.effectsVolume;
    }
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithZeroMistakesPrintTheUsageAndEndWithTwo) {
    EXPECT_EQ(AnswerOf({}), "-1||") << "a game that plays prints nothing";
    EXPECT_EQ(AnswerOf({"--version"}), "0|morvexa " MVX_VERSION_TEXT "\n|");
    const std::string help = AnswerOf({"--help"});
    EXPECT_EQ(help.rfind("0|usage: morvexa", 0), 0u) << help;
    EXPECT_NE(help.find("--windowed"), std::string::npos);
    EXPECT_NE(help.find("~/.local/share/morvexa"), std::string::npos);
    EXPECT_EQ(help.back(), '|') << "nothing on standard error";
    const std::string bad = AnswerOf({"--version", "x"});
    EXPECT_EQ(bad.rfind("2||morvexa: unknown parameter 'x'\nusage: morvexa", 0), 0u) << bad;
}

TEST(CommandLine, TheWholeGameObeysItsParameters) {
    TempDir here(true);
    const ScriptedRun bad = RunScriptedGame("at 3 end\n", {}, {"--bogus"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.frames, 0u) << "refused before anything starts";
    // The command line's answer wins over the script's (without one the script's holds: the
    // driver's full-screen run).
    const std::tuple<const char*, std::vector<std::string>, bool> runs[] = {
        {"fullscreen yes\nat 2 end\n", {"--windowed"}, false},
        {"fullscreen no\nat 2 end\n", {"--fullscreen"}, true}};
    for (const auto& [script, parameters, expected] : runs) {
        bool fullscreen = !expected;
        const ScriptedRun run = RunScriptedGame(
            script, [&](uint32_t) { return fullscreen = PlatformIsFullscreen(), true; },
            parameters);
        EXPECT_EQ(std::pair(run.exitCode, run.frames), std::pair(0, 2u));
        EXPECT_EQ(fullscreen, expected) << script;
    }
}
