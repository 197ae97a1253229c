// driver_test.cpp - morvexa-script as a process (screenshots, dumps, exit codes, full screen),
// in-process runs drawing the same, and the state dump's JSON text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <tuple>

#include "core/json_writer.h"
#include "frontend/equalizer.h"
#include "tests/testkit.h"

namespace {

ProgramResult RunDriver(const TempDir& dir, const std::string& script) {
    WriteFileText(dir.File("run.txt"), script);
    return RunProgram({BinaryPath("app/morvexa-script"), "run.txt"}, dir.Path());
}

} // namespace

// The full-screen run's frame is the window's, scaled: nearly every sample of a grid matches.
TEST(ScriptedDriver, WritesScreenshotsAndDumpsDrawsAsInProcessRunsDrawAndScalesAFullScreenRun) {
    TempDir dir;
    for (const char* script : {"at 20 down up\nat 40 screenshot shot.png\n"
                               "at 40 screenshot shot.bmp\nat 3 dump three.json\n",
                               "fullscreen yes\nat 20 down up\nat 40 screenshot full.png\n"})
        ASSERT_EQ(RunDriver(dir, script).exitCode, 0) << script;
    Picture png, bmp, full, inProcess;
    ASSERT_TRUE(ReadPicture(dir.File("shot.png"), &png) &&
                ReadPicture(dir.File("shot.bmp"), &bmp) &&
                ReadPicture(dir.File("full.png"), &full));
    EXPECT_EQ(std::pair(png.width, png.height), std::pair(800, 600));
    EXPECT_EQ(png.rgb, bmp.rgb);
    const nlohmann::json dump = nlohmann::json::parse(ReadFileText(dir.File("three.json")));
    EXPECT_EQ(std::tuple(dump["frame"], dump["GameMode"], dump["PlayEntry"], dump["CameraX"]),
              std::tuple(3, 0, 0, 0));
    ASSERT_GT(full.width, 800);
    EXPECT_EQ(full.width * 3, full.height * 4);
    const double scale = double(full.width) / 800.0;
    int alike = 0;
    for (int y = 5; y < 600; y += 10)
        for (int x = 5; x < 800; x += 10) {
            const uint32_t a = png.At(x, y), b = full.At(int(x * scale), int(y * scale));
            int worst = 0;
            for (int c = 0; c < 24; c += 8)
                worst = std::max(worst, std::abs(int((a >> c) & 255) - int((b >> c) & 255)));
            alike += worst <= 48;
        }
    EXPECT_GT(alike, 80 * 60 * 85 / 100);

    TempDir here(true);
    EqualizerSpin = 0.0f; // as in the driver's new process, whatever games ran here before
    uint32_t seen = 0;
    const ScriptedRun run = RunScriptedGame("at 20 down up\nat 100 end\n", [&](uint32_t frame) {
        if (frame == 40) inProcess = ReadBackBuffer();
        seen = frame;
        return frame < 40; // the hook ends the run
    });
    EXPECT_EQ(std::tuple(run.exitCode, run.frames, seen), std::tuple(0, 40u, 40u));
    EXPECT_TRUE(inProcess.rgb == png.rgb) << "the same script must give the same picture";
}

TEST(ScriptedDriver, ExitsZeroWhenTheGameQuitsTwoOnABadScriptOneOnAScreenshotItCannotWrite) {
    TempDir dir;
    // Down and space held from the first frame leave through "EXIT GAME" at the first poll.
    EXPECT_EQ(RunDriver(dir, "at 1 down down\nat 1 down space\nat 2000 dump late.json\n").exitCode,
              0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("late.json"))) << "the game should have quit";
    ProgramResult r = RunDriver(dir, "at 5 down space\n\nat 0 screenshot a.png\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("line 3:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.png")));
    EXPECT_EQ(RunProgram({BinaryPath("app/morvexa-script"), "none.txt"}, dir.Path()).exitCode, 2);
    r = RunDriver(dir, "at 2 screenshot no/such/folder/a.png\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("a.png"), std::string::npos) << r.err;
}

TEST(StateDumpJson, NestedRecordsOddTextNonFiniteValuesAndFloatsThatReadBackExactly) {
    JsonWriter j;
    j.BeginObject();
    j.Field("big", INT64_MIN);
    j.FieldS("name", "q\" b\\ \t\x07\xC4");
    j.Key("Shots");
    j.BeginArray();
    for (int i = 0; i < 2; i++) {
        j.BeginObject();
        j.Field("type", i);
        j.Key("empty");
        j.BeginArray();
        j.EndArray();
        j.EndObject();
    }
    for (double v : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL}) j.Float(v);
    j.EndArray();
    j.EndObject();
    EXPECT_EQ(j.Text(),
              "{\"big\":-9223372036854775808,\"name\":\"q\\\" b\\\\ \\u0009\\u0007\\u00c4\","
              "\"Shots\":[{\"type\":0,\"empty\":[]},{\"type\":1,\"empty\":[]},"
              "\"NaN\",\"Infinity\",\"-Infinity\"]}");
    for (float v : {0.1f, -0.0f, 1.0f / 3.0f, 3.4028235e38f, 1.17549435e-38f, 16777217.0f}) {
        JsonWriter f;
        f.Float(v);
        EXPECT_EQ(float(std::strtod(f.Text().c_str(), nullptr)), v) << f.Text();
    }
}
