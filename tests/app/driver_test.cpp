// driver_test.cpp - morvexa-script as a process on short scripts (screenshots, dumps, exit
// codes, full screen), and the in-process runs that other suites use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "tests/json_reader.h"
#include "tests/testkit.h"

namespace {

ProgramResult RunDriver(const TempDir& dir, const std::string& script) {
    WriteFileBytes(dir.File("run.txt"), std::vector<uint8_t>(script.begin(), script.end()));
    return RunProgram({BinaryPath("app/morvexa-script"), "run.txt"}, dir.Path());
}

std::map<std::string, std::string> ReadDump(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::map<std::string, std::string> fields;
    EXPECT_TRUE(ReadJsonObject(std::string(bytes.begin(), bytes.end()), &fields)) << path;
    return fields;
}

} // namespace

TEST(ScriptedDriver, WritesTheScreenshotsAndDumpsAskedForAndDrawsWhatInProcessRunsDraw) {
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 20 down up\nat 40 screenshot shot.png\n"
                                           "at 40 screenshot shot.bmp\nat 3 dump three.json\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Picture png, bmp, inProcess;
    ASSERT_TRUE(ReadPicture(dir.File("shot.png"), &png));
    ASSERT_TRUE(ReadPicture(dir.File("shot.bmp"), &bmp));
    EXPECT_TRUE(png.width == 800 && png.height == 600);
    EXPECT_EQ(png.rgb, bmp.rgb);
    std::map<std::string, std::string> dump = ReadDump(dir.File("three.json"));
    EXPECT_EQ(dump["frame"] + "," + dump["GameMode"] + "," + dump["PlayEntry"] + "," +
                  dump["CameraX"],
              "3,0,0,0");

    TempDir here(true);
    uint32_t seen = 0;
    const ScriptedRun run = RunScriptedGame("at 20 down up\nat 100 end\n", [&](uint32_t frame) {
        if (frame == 40) inProcess = ReadBackBuffer();
        seen = frame;
        return frame < 40; // the hook ends the run
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.frames == 40 && seen == 40);
    EXPECT_TRUE(inProcess.rgb == png.rgb) << "the same script must give the same picture";
}

TEST(ScriptedDriver, ExitsZeroWhenTheGameQuits) {
    // Down and space held from the first frame leave through "EXIT GAME" at the menu's first
    // key poll.
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 1 down down\nat 1 down space\n"
                                           "at 1 dump first.json\nat 2000 dump late.json\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("first.json")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("late.json"))) << "the game should have quit";
}

TEST(ScriptedDriver, FailsWithCodeTwoOnABadScriptAndOneOnAScreenshotItCannotWrite) {
    TempDir dir;
    ProgramResult r = RunDriver(dir, "at 5 down space\n\nat 0 screenshot a.png\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("line 3:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.png")));
    EXPECT_EQ(RunProgram({BinaryPath("app/morvexa-script"), "none.txt"}, dir.Path()).exitCode, 2);
    EXPECT_EQ(RunScriptedGame("at 1 down shift\n").scriptError.rfind("line 1:", 0), 0u);
    r = RunDriver(dir, "at 2 screenshot no/such/folder/a.png\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("a.png"), std::string::npos) << r.err;
}

TEST(ScriptedDriver, AFullscreenRunShowsTheSameFrameScaled) {
    TempDir dir;
    ASSERT_EQ(RunDriver(dir, "at 3 screenshot window.png\n").exitCode, 0);
    ASSERT_EQ(RunDriver(dir, "fullscreen yes\nat 3 screenshot full.png\n").exitCode, 0);
    Picture window, full;
    ASSERT_TRUE(ReadPicture(dir.File("window.png"), &window));
    ASSERT_TRUE(ReadPicture(dir.File("full.png"), &full));
    ASSERT_GT(full.width, 800);
    EXPECT_EQ(full.width * 3, full.height * 4);
    // Sample the frame on a grid: nearly every sample matches its scaled place.
    const double s = double(full.width) / 800.0;
    int alike = 0;
    for (int y = 5; y < 600; y += 10)
        for (int x = 5; x < 800; x += 10) {
            const uint32_t a = window.At(x, y), b = full.At(int(x * s), int(y * s));
            int worst = 0;
            for (int c = 0; c < 24; c += 8)
                worst = std::max(worst, std::abs(int((a >> c) & 255) - int((b >> c) & 255)));
            alike += worst <= 48;
        }
    EXPECT_GT(alike, 80 * 60 * 85 / 100);
}
