// The threaded player on the scripted backend (damaged modules and thread load: reliability/).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "sound/xm_player.h"
#include "tests/sound/xm_test_song.h"
#include "tests/testkit.h"

namespace {

// A loud one-channel song: a square wave note held over four 64-row orders.
std::vector<uint8_t> LoudSong(int rows = 64, std::vector<uint8_t> orders = {0, 1, 1, 1}) {
    XmModule m = Song({"C-4 01 .. ..."}, rows);
    m.name = "Loud\x02 song";
    m.orders = orders;
    m.patterns.push_back(TestModule(1, rows).patterns[0]);
    for (int i = 0; i < 256; i++)
        m.instruments[0].samples[0].data[size_t(i)] = int16_t(i % 64 < 32 ? 120 : -120);
    return WriteXm(m);
}

class XmPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ScriptReset();
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
        song_ = LoudSong();
    }
    void TearDown() override {
        StopModule();
        SetModuleVolume(25);
        AudioOutClose();
        PlatformShutdown();
    }
    int32_t Play(int32_t flags = MODULE_FROM_MEMORY) {
        return PlayModule(song_.data(), int32_t(song_.size()), flags);
    }
    // Lets the virtual clock run and the mixing thread catch up in real time.
    static void Listen(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 20) {
            ScriptAdvanceClock(20);
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    static int PeakNow() {
        std::vector<int16_t> out(2 * 1024);
        AudioOutPull(out.data(), 1024);
        int peak = 0;
        for (int16_t v : out) peak = std::max(peak, std::abs(int(v)));
        return peak;
    }
    std::vector<uint8_t> song_;
};

TEST_F(XmPlayer, PlaysFromMemoryReportsLevelsAndOrderJumpsAndStopsWithANullSource) {
    EXPECT_NE(Play(), 0);
    EXPECT_TRUE(ModulePlaying());
    EXPECT_STREQ(GetModuleTitle(), "Loud song");
    const ModuleLevels first = GetModuleLevels(0);
    EXPECT_GT(first.left, 0);
    EXPECT_NEAR(first.left, first.right * 127 / 128, 2); // centre pan 128 of 255
    EXPECT_GT(PeakNow(), 0);
    Listen(200);
    EXPECT_GT(GetModuleTime(), 300u); // the ring runs ahead of what is heard
    JumpToOrder(3);
    Listen(500);
    EXPECT_EQ(GetModuleRowOrder(0).order, 3);
    EXPECT_EQ(PlayModule(nullptr, 0, 0), 0);
    EXPECT_EQ(std::tuple(ModulePlaying(), GetModuleTime(), PeakNow()), std::tuple(false, 0u, 0));
    EXPECT_EQ(PlayModule(nullptr, 0, 0), 0); // nothing plays: nothing happens
}

TEST_F(XmPlayer, RefusesResourcesAndMissingFilesAndPlaysFilesToTheirEnd) {
    EXPECT_EQ(Play(0), 0); // a Windows resource: no meaning here
    EXPECT_FALSE(ModulePlaying());
    EXPECT_EQ(PlayModule("/nonexistent/file.xm", 0, MODULE_FROM_FILE), 0);
    // A file is read through its own path. Without loop, two orders of 8 rows at speed 6,
    // 125 BPM make 1.92 s of song; then the ring runs out and the song stops by itself.
    const std::string path = ::testing::TempDir() + "/player_song.xm";
    WriteFileBytes(path, LoudSong(8, {0, 1}));
    ASSERT_NE(PlayModule(path.c_str(), 0, MODULE_FROM_FILE | MODULE_NO_LOOP), 0);
    std::remove(path.c_str());
    Listen(1000);
    EXPECT_TRUE(ModulePlaying());
    for (int i = 0; i < 20 && ModulePlaying(); i++) Listen(200);
    EXPECT_EQ(std::pair(ModulePlaying(), PeakNow()), std::pair(false, 0));
}

TEST_F(XmPlayer, PauseLeavesSilenceWithinAThirdOfASecondAndFreezesTheSong) {
    ASSERT_NE(Play(MODULE_FROM_MEMORY | MODULE_PAUSED), 0); // starts paused when asked
    EXPECT_EQ(std::pair(PeakNow(), GetModuleTime()), std::pair(0, 0u));
    ResumeModule();
    Listen(100);
    PauseModule();
    Listen(400);
    EXPECT_EQ(PeakNow(), 0);
    const uint32_t time = GetModuleTime();
    const ModuleRowOrder where = GetModuleRowOrder(0);
    Listen(200);
    EXPECT_EQ(std::pair(GetModuleTime(), GetModuleRowOrder(15).row), std::pair(time, where.row));
    ResumeModule();
    Listen(400);
    EXPECT_GT(PeakNow(), 0);
    EXPECT_GT(GetModuleTime(), time);
}

TEST_F(XmPlayer, VolumeStepsScaleTheOutputAndSurviveAStop) {
    ASSERT_NE(Play(), 0);
    Listen(100);
    const int full = PeakNow();
    ASSERT_GT(full, 100);
    SetModuleVolume(19); // 8231 / 32768: about -12 dB
    StopModule();
    ASSERT_NE(Play(), 0);
    Listen(100);
    EXPECT_NEAR(PeakNow(), full * 8231 / 32768, 2);
    SetModuleVolume(99); // taken as 25
    Listen(450);
    EXPECT_EQ(PeakNow(), full);
}

} // namespace
