// driver_test.cpp - the programs as processes: morvexa-script on short scripts (screenshot,
// dump, exit codes, full screen), the in-process runs that other suites use, and the game
// started with no display.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "app/globals.h"
#include "platform/scripted.h"
#include "tests/app/json_reader.h"
#include "tests/testkit.h"

namespace {

constexpr uint32_t GAME_CLEAR = 0x293F6F; // (41, 63, 111)

bool ReadDump(const std::string& path, std::map<std::string, std::string>* fields) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return ReadJsonObject(std::string(bytes.begin(), bytes.end()), fields);
}

std::string Driver() {
    return BinaryPath("app/morvexa-script");
}

ProgramResult RunDriver(const TempDir& dir, const std::string& script) {
    WriteFileBytes(dir.File("run.txt"), std::vector<uint8_t>(script.begin(), script.end()));
    return RunProgram({Driver(), "run.txt"}, dir.Path());
}

double ShareOf(const Picture& p, uint32_t colour) {
    size_t n = 0;
    for (int y = 0; y < p.height; y++)
        for (int x = 0; x < p.width; x++) n += p.At(x, y) == colour;
    return p.width ? double(n) / (double(p.width) * p.height) : 0.0;
}

} // namespace

TEST(ScriptedDriver, WritesTheScreenshotAndTheDumpAskedFor) {
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 3 screenshot shot.png\n"
                                           "at 3 screenshot shot.bmp\n"
                                           "at 3 dump three.json\n"
                                           "at 5 dump five.json\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Picture png, bmp;
    ASSERT_TRUE(ReadPicture(dir.File("shot.png"), &png));
    ASSERT_TRUE(ReadPicture(dir.File("shot.bmp"), &bmp));
    EXPECT_EQ(png.width, 800);
    EXPECT_EQ(png.height, 600);
    EXPECT_EQ(png.rgb, bmp.rgb);
    EXPECT_GT(ShareOf(png, GAME_CLEAR), 0.05) << "the start-up clear colour shows behind the menu";

    std::map<std::string, std::string> three, five;
    ASSERT_TRUE(ReadDump(dir.File("three.json"), &three));
    ASSERT_TRUE(ReadDump(dir.File("five.json"), &five));
    EXPECT_EQ(three["frame"], "3");
    EXPECT_EQ(five["frame"], "5");
    EXPECT_EQ(three["GameMode"], "0");
    EXPECT_EQ(three["PlayEntry"], "0");
    EXPECT_EQ(std::stod(three["CameraX"]), 0.0);
    EXPECT_EQ(std::stod(three["CameraY"]), 0.0);
}

TEST(ScriptedDriver, InProcessRunsDrawTheSameFramesAsTheDriver) {
    TempDir dir;
    ASSERT_EQ(RunDriver(dir, "at 20 down up\nat 40 screenshot shot.png\n").exitCode, 0);
    Picture fromDriver;
    ASSERT_TRUE(ReadPicture(dir.File("shot.png"), &fromDriver));

    TempDir here(true);
    Picture inProcess;
    const ScriptedRun run = RunScriptedGame("at 20 down up\nat 40 end\n", [&](uint32_t frame) {
        if (frame == 40) inProcess = ReadBackBuffer();
        return true;
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.frames, 40u);
    EXPECT_TRUE(inProcess.rgb == fromDriver.rgb) << "the same script must give the same picture";
}

TEST(ScriptedDriver, InProcessRunEndsWhenTheFrameHookSaysSo) {
    TempDir here(true);
    uint32_t seen = 0;
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        seen = frame;
        return frame < 7;
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.frames, 7u);
    EXPECT_EQ(seen, 7u);
    const ScriptedRun bad = RunScriptedGame("at 1 down shift\n");
    EXPECT_EQ(bad.scriptError.rfind("line 1:", 0), 0u) << bad.scriptError;
    EXPECT_EQ(bad.frames, 0u);
}

TEST(ScriptedDriver, ExitsZeroWhenTheGameQuits) {
    // Escape, down and space held from the first frame leave through "EXIT GAME" at the
    // menu's first key poll (down moves the cursor to it, then space chooses it).
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 1 down escape\nat 1 down down\nat 1 down space\n"
                                           "at 1 dump first.json\nat 2000 dump late.json\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::map<std::string, std::string> first;
    EXPECT_TRUE(ReadDump(dir.File("first.json"), &first));
    EXPECT_FALSE(std::filesystem::exists(dir.File("late.json"))) << "the game should have quit";
}

TEST(ScriptedDriver, RefusesABadScriptNamingItsLine) {
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 5 down space\n\nat 0 screenshot a.png\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("line 3:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.png")));
    const ProgramResult missing = RunProgram({Driver(), "no-such-script.txt"}, dir.Path());
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(RunProgram({Driver()}, dir.Path()).exitCode, 2);
}

TEST(ScriptedDriver, ReportsAScreenshotItCannotWrite) {
    TempDir dir;
    const ProgramResult r = RunDriver(dir, "at 2 screenshot no/such/folder/a.png\n");
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
    ASSERT_GE(full.width, 800);
    EXPECT_EQ(full.width * 3, full.height * 4) << full.width << " x " << full.height;
    const double s = double(full.width) / 800.0;
    int alike = 0, points = 0;
    for (int y = 5; y < 600; y += 10) {
        for (int x = 5; x < 800; x += 10) {
            const uint32_t a = window.At(x, y);
            const uint32_t b = full.At(int(std::lround((x + 0.5) * s - 0.5)),
                                       int(std::lround((y + 0.5) * s - 0.5)));
            bool near = true;
            for (int shift = 0; shift < 24; shift += 8)
                near = near && std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) <= 48;
            alike += near;
            points++;
        }
    }
    EXPECT_GT(alike, points * 85 / 100) << alike << " of " << points;
}

TEST(GameWithoutADisplay, PrintsOneLineAndFails) {
    TempDir dir;
    TempDir runtime; // a runtime folder without a Wayland socket
    for (bool withRuntimeDir : {false, true}) {
        std::vector<std::pair<std::string, std::string>> set;
        if (withRuntimeDir) set.push_back({"XDG_RUNTIME_DIR", runtime.Path()});
        const ProgramResult r = RunProgram(
            {BinaryPath("app/morvexa")}, dir.Path(),
            {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}, set, 60);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.exitCode, -1) << "the game must end by itself";
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line only:\n" << r.err;
        EXPECT_NE(r.err.find("display"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
