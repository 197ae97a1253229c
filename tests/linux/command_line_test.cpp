// command_line_test.cpp - the game's parameters: "info" exactly, the "Fullscreen?" answer
// given in advance, --help and --version, and everything else refused with code 2; read by
// the parser and by the whole game on the scripted backend (the install check runs the
// installed program with --version).
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/command_line.h"
#include "platform/platform.h"
#include "tests/testkit.h"

namespace {

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "morvexa");
    return ParseCommandLine(int(args.size()), args.data());
}

// What AnswerCommandLine prints to its two streams, and the code it returns.
struct Answer {
    int code;
    std::string out, err;
};
Answer AnswerOf(const CommandLine& command) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Answer a{AnswerCommandLine(command, out, err), "", ""};
    for (auto [file, text] : {std::pair{out, &a.out}, std::pair{err, &a.err}}) {
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;) text->push_back(char(c));
        std::fclose(file);
    }
    return a;
}

} // namespace

TEST(CommandLine, WithoutParametersTheGameAsksAndPlays) {
    const CommandLine c = Parse({});
    EXPECT_EQ(c.action, COMMAND_PLAY);
    EXPECT_EQ(c.fullscreen, FULLSCREEN_ASK);
    EXPECT_FALSE(c.info);
    const Answer a = AnswerOf(c);
    EXPECT_EQ(a.code, -1);
    EXPECT_EQ(a.out + a.err, "") << "a game that plays prints nothing";
}

TEST(CommandLine, InfoCountsOnlyWhenSpelledExactly) {
    EXPECT_TRUE(Parse({"info"}).info);
    EXPECT_EQ(Parse({"info"}).action, COMMAND_PLAY);
    EXPECT_TRUE(Parse({"--windowed", "info"}).info);
    for (const char* wrong : {"Info", "INFO", "info ", "-info", "--info"}) {
        const CommandLine c = Parse({wrong});
        EXPECT_FALSE(c.info) << wrong;
        EXPECT_EQ(c.action, COMMAND_BAD) << wrong;
        EXPECT_EQ(c.bad, wrong);
    }
}

TEST(CommandLine, FullscreenAndWindowedAnswerTheQuestionTheLastOneCounting) {
    EXPECT_EQ(Parse({"--fullscreen"}).fullscreen, FULLSCREEN_YES);
    EXPECT_EQ(Parse({"--windowed"}).fullscreen, FULLSCREEN_NO);
    EXPECT_EQ(Parse({"--windowed", "--fullscreen"}).fullscreen, FULLSCREEN_YES);
    EXPECT_EQ(Parse({"--fullscreen", "info", "--windowed"}).fullscreen, FULLSCREEN_NO);
    EXPECT_EQ(Parse({"--fullscreen"}).action, COMMAND_PLAY);
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithCodeZero) {
    for (const char* help : {"--help", "-h"}) {
        const Answer a = AnswerOf(Parse({"--fullscreen", help}));
        EXPECT_EQ(a.code, 0) << help;
        EXPECT_EQ(a.out.rfind("usage: morvexa", 0), 0u) << a.out;
        EXPECT_NE(a.out.find("--windowed"), std::string::npos);
        EXPECT_NE(a.out.find("~/.local/share/morvexa"), std::string::npos);
        EXPECT_EQ(a.err, "");
    }
    const Answer v = AnswerOf(Parse({"--version"}));
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out, "morvexa " MVX_VERSION_TEXT "\n");
    // The first of the two asked for is answered.
    EXPECT_EQ(Parse({"--version", "--help"}).action, COMMAND_VERSION);
}

TEST(CommandLine, AnythingElsePrintsTheUsageAndEndsWithCodeTwo) {
    for (std::vector<const char*> args :
         std::vector<std::vector<const char*>>{{"--full-screen"},
                                               {""},
                                               {"--help", "--bogus"},
                                               {"--version", "x"},
                                               {"info", "info2"}}) {
        const CommandLine c = Parse(args);
        ASSERT_EQ(c.action, COMMAND_BAD) << args.back();
        const Answer a = AnswerOf(c);
        EXPECT_EQ(a.code, 2);
        EXPECT_EQ(a.out, "") << "nothing on standard output for a mistake";
        EXPECT_NE(a.err.find("unknown parameter '" + c.bad + "'"), std::string::npos) << a.err;
        EXPECT_NE(a.err.find("usage: morvexa"), std::string::npos);
    }
    EXPECT_EQ(Parse({"--bogus", "--other"}).bad, "--bogus") << "the first mistake is named";
}

TEST(CommandLine, TheWholeGameObeysItsParameters) {
    TempDir here(true);
    // A refused parameter ends the game before anything starts: no frame is drawn.
    const ScriptedRun bad = RunScriptedGame("at 3 end\n", {}, {"--bogus"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.frames, 0u);

    // The script answers "Fullscreen?" with Yes, the command line has answered No already.
    bool fullscreen = true;
    const ScriptedRun windowed = RunScriptedGame("fullscreen yes\nat 2 end\n",
                                                 [&](uint32_t) {
                                                     fullscreen = PlatformIsFullscreen();
                                                     return true;
                                                 },
                                                 {"--windowed"});
    EXPECT_EQ(windowed.exitCode, 0);
    EXPECT_EQ(windowed.frames, 2u);
    EXPECT_FALSE(fullscreen);

    const ScriptedRun full = RunScriptedGame("fullscreen no\nat 2 end\n",
                                             [&](uint32_t) {
                                                 fullscreen = PlatformIsFullscreen();
                                                 return true;
                                             },
                                             {"--fullscreen"});
    EXPECT_EQ(full.exitCode, 0);
    EXPECT_TRUE(fullscreen);

    // With no answer given the script's answer holds, as the player's would.
    RunScriptedGame("fullscreen yes\nat 1 end\n", [&](uint32_t) {
        fullscreen = PlatformIsFullscreen();
        return true;
    });
    EXPECT_TRUE(fullscreen);
}
