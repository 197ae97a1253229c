// music_songs_test.cpp - the quality check of the five shipped songs. Each module in assets/ is
// rendered by the game's own song engine, as the player's mixing thread renders it, and must
// be audible throughout, never clip, carry no DC offset, be about as loud as the others, fill
// both sides, play its minimum before it loops and stay small; and the generator must still
// make exactly these bytes from the song texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "tests/music/music_render.h"
#include "tests/testkit.h"
#include "tools/assetgen/music.h"

namespace {

struct ShippedSong {
    int module;
    double minimumSeconds; // how long the mode's song plays before it first loops
    int restartOrder;
};

// Modules 1..5: main menu, play, high scores, shop, level end.
const ShippedSong SONGS[] = {{1, 90, 0}, {2, 120, 1}, {3, 60, 0}, {4, 45, 0}, {5, 45, 0}};

constexpr size_t MAX_FILE_BYTES = 64 * 1024; // tracker music of the era: tens of kilobytes
constexpr int CLIP_RUN_LIMIT = 4;            // samples in a row at the 16-bit limits
constexpr double DC_LIMIT = 0.005 * 32768;   // mean of a side, in sample units
constexpr double LOUDNESS_SPREAD_DB = 3.0;

std::vector<uint8_t> ShippedBytes(int module) {
    return ReadFileBytes(SourcePath("assets/music" + std::to_string(module) + ".xm"));
}

// Renders each shipped song once, to the end of its order list, for all the tests below.
class ShippedSongs : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const ShippedSong& s : SONGS)
            renders_[s.module - 1] = RenderModule(ShippedBytes(s.module), MUSIC_STOP_AT_END, 600);
    }
    static const RenderedSong& Render(int module) { return renders_[module - 1]; }
    static RenderedSong renders_[5];
};
RenderedSong ShippedSongs::renders_[5];

} // namespace

TEST_F(ShippedSongs, EverySongLoadsAndPlaysItsMinimumBeforeItLoops) {
    for (const ShippedSong& s : SONGS) {
        SCOPED_TRACE("module " + std::to_string(s.module));
        const std::vector<uint8_t> bytes = ShippedBytes(s.module);
        ASSERT_FALSE(bytes.empty());
        EXPECT_LE(bytes.size(), MAX_FILE_BYTES);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
        EXPECT_EQ(bytes[58] | bytes[59] << 8, 0x0104) << "XM version 1.04";
        ASSERT_TRUE(Render(s.module).loaded);
        EXPECT_GE(double(Render(s.module).Frames()) / MUSIC_RATE, s.minimumSeconds);
        EXPECT_LT(double(Render(s.module).Frames()) / MUSIC_RATE, 600) << "the song ends";
    }
}

TEST_F(ShippedSongs, AfterTheLastOrderEachSongContinuesAtItsRestartPosition) {
    for (const ShippedSong& s : SONGS) {
        SCOPED_TRACE("module " + std::to_string(s.module));
        const std::vector<uint8_t> bytes = ShippedBytes(s.module);
        ModuleData* module = LoadModule(bytes.data(), bytes.size());
        ASSERT_NE(module, nullptr);
        auto music = std::make_unique<MusicContext>();
        StartMusic(music.get(), module, MUSIC_LOOP);
        int previous = music->order, wrappedTo = -1;
        for (int tick = 0; tick < 200000 && wrappedTo < 0; tick++) {
            StepMusicTick(music.get());
            if (music->order < previous) wrappedTo = music->order;
            previous = music->order;
        }
        EXPECT_EQ(wrappedTo, s.restartOrder);
        FreeModule(module);
    }
}

TEST_F(ShippedSongs, EverySongIsAudibleThroughoutWithoutClippingOrDcOffset) {
    for (const ShippedSong& s : SONGS) {
        SCOPED_TRACE("module " + std::to_string(s.module));
        const RenderedSong& song = Render(s.module);
        // No second of the song is (nearly) silent.
        for (size_t from = 0; from + MUSIC_RATE <= song.Frames(); from += MUSIC_RATE)
            ASSERT_GT(RmsDb(song, -1, from, from + MUSIC_RATE), -45.0)
                << "second " << from / MUSIC_RATE;
        int run = 0, longest = 0;
        double sum[2] = {0, 0};
        for (size_t i = 0; i < song.samples.size(); i++) {
            const int v = song.samples[i];
            run = (v >= 32767 || v <= -32767) ? run + 1 : 0;
            longest = std::max(longest, run);
            sum[i % 2] += v;
        }
        EXPECT_LE(longest, CLIP_RUN_LIMIT) << "samples held at the 16-bit limit";
        for (int side = 0; side < 2; side++)
            EXPECT_LT(std::fabs(sum[side] / double(song.Frames())), DC_LIMIT) << "side " << side;
    }
}

TEST_F(ShippedSongs, TheFiveSongsAreEquallyLoudAndFillBothSides) {
    double loudest = -200, quietest = 0;
    for (const ShippedSong& s : SONGS) {
        const RenderedSong& song = Render(s.module);
        const double rms = RmsDb(song, -1, 0, song.Frames());
        loudest = std::max(loudest, rms);
        quietest = std::min(quietest, rms);
        const double left = RmsDb(song, 0, 0, song.Frames()),
                     right = RmsDb(song, 1, 0, song.Frames());
        EXPECT_LT(std::fabs(left - right), 2.0) << "module " << s.module << " leans to one side";
        // Stereo: the sides differ (panned voices), they are not one mono signal twice.
        double difference = 0;
        for (size_t f = 0; f < song.Frames(); f++)
            difference += std::fabs(double(song.samples[2 * f]) - song.samples[2 * f + 1]);
        EXPECT_GT(difference / double(song.Frames()), 30.0) << "module " << s.module << " is mono";
        std::printf("module %d: %.1f s, RMS %.1f dBFS (left %.1f, right %.1f)\n", s.module,
                    double(song.Frames()) / MUSIC_RATE, rms, left, right);
    }
    EXPECT_LE(loudest - quietest, LOUDNESS_SPREAD_DB);
}

TEST(MusicGenerator, TheSongTextsCompileToTheShippedModulesOnEveryRun) {
    const std::string dir = SourcePath("tools/assetgen/music");
    ASSERT_EQ(GameSongs().size(), 5u);
    for (size_t i = 0; i < GameSongs().size(); i++) {
        const SongEntry& entry = GameSongs()[i];
        SCOPED_TRACE(entry.source);
        EXPECT_EQ(std::string(entry.module), "music" + std::to_string(i + 1) + ".xm");
        std::vector<uint8_t> first, second;
        double seconds = 0;
        std::string error;
        ASSERT_TRUE(BuildSongModule(dir + "/" + entry.source, &first, &seconds, &error)) << error;
        ASSERT_TRUE(BuildSongModule(dir + "/" + entry.source, &second, &seconds, &error)) << error;
        EXPECT_EQ(first, second) << "two builds differ";
        EXPECT_EQ(first, ShippedBytes(int(i) + 1))
            << "assets/" << entry.module
            << " is not what the generator makes: run the assets target";
        // The generator's own reading of the length agrees with the engine's.
        const RenderedSong song = RenderModule(first, MUSIC_STOP_AT_END, 600);
        EXPECT_NEAR(seconds, double(song.Frames()) / MUSIC_RATE, 0.05);
    }
}
