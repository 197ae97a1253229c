// music_songs_test.cpp - the quality check of the five shipped songs, rendered by the game's own
// song engine (levels, clipping, DC, loudness spread, stereo, length, restart, size), and the
// generator still making exactly these modules from the song texts.
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

// Level in dB of full scale of every `step`-th sample from `first` to `end`; -200 for silence.
double RmsDb(const RenderedSong& song, size_t first, size_t end, size_t step) {
    double sum = 0;
    for (size_t i = first; i < end; i += step) sum += double(song.samples[i]) * song.samples[i];
    const double count = double((end - first + step - 1) / step);
    return sum > 0 ? 10.0 * std::log10(sum / count / (32768.0 * 32768.0)) : -200.0;
}

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
    static double Seconds(int module) { return double(Render(module).Frames()) / MUSIC_RATE; }
    static RenderedSong renders_[5];
};
RenderedSong ShippedSongs::renders_[5];

} // namespace

TEST_F(ShippedSongs, EverySongIsSmallPlaysItsMinimumAndRestartsAtItsRestartPosition) {
    for (const ShippedSong& s : SONGS) {
        SCOPED_TRACE("module " + std::to_string(s.module));
        const std::vector<uint8_t> bytes = ShippedBytes(s.module);
        EXPECT_LE(bytes.size(), MAX_FILE_BYTES);
        ASSERT_TRUE(Render(s.module).loaded);
        EXPECT_GE(Seconds(s.module), s.minimumSeconds);
        EXPECT_LT(Seconds(s.module), 600) << "the song ends";

        // Looping, the song goes back from its last order to its restart position.
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

TEST_F(ShippedSongs, EverySongIsAudibleUnclippedCentredStereoAndAsLoudAsTheOthers) {
    double loudest = -200, quietest = 0;
    for (const ShippedSong& s : SONGS) {
        SCOPED_TRACE("module " + std::to_string(s.module));
        const RenderedSong& song = Render(s.module);
        for (size_t from = 0; from + MUSIC_RATE <= song.Frames(); from += MUSIC_RATE)
            ASSERT_GT(RmsDb(song, 2 * from, 2 * (from + MUSIC_RATE), 1), -45.0)
                << "second " << from / MUSIC_RATE << " is nearly silent";
        int run = 0, longest = 0;
        double sum[2] = {0, 0}, difference = 0;
        for (size_t i = 0; i < song.samples.size(); i++) {
            const int v = song.samples[i];
            run = (v >= 32767 || v <= -32767) ? run + 1 : 0;
            longest = std::max(longest, run);
            sum[i % 2] += v;
            if (i % 2) difference += std::fabs(double(song.samples[i - 1]) - v);
        }
        EXPECT_LE(longest, CLIP_RUN_LIMIT) << "samples held at the 16-bit limit";
        for (int side = 0; side < 2; side++)
            EXPECT_LT(std::fabs(sum[side] / double(song.Frames())), DC_LIMIT) << "side " << side;
        // Stereo: the sides differ (panned voices) and neither leans.
        EXPECT_GT(difference / double(song.Frames()), 30.0) << "mono";
        const size_t n = song.samples.size();
        const double rms = RmsDb(song, 0, n, 1), left = RmsDb(song, 0, n, 2),
                     right = RmsDb(song, 1, n, 2);
        EXPECT_LT(std::fabs(left - right), 2.0) << "leans to one side";
        loudest = std::max(loudest, rms);
        quietest = std::min(quietest, rms);
        std::printf("module %d: %.1f s, RMS %.1f dBFS (left %.1f, right %.1f)\n", s.module,
                    Seconds(s.module), rms, left, right);
    }
    EXPECT_LE(loudest - quietest, LOUDNESS_SPREAD_DB);
}

TEST_F(ShippedSongs, TheSongTextsCompileToTheShippedModulesWithTheEnginesLength) {
    ASSERT_EQ(GameSongs().size(), 5u);
    for (size_t i = 0; i < GameSongs().size(); i++) {
        const SongEntry& entry = GameSongs()[i];
        SCOPED_TRACE(entry.source);
        EXPECT_EQ(std::string(entry.module), "music" + std::to_string(i + 1) + ".xm");
        std::vector<uint8_t> bytes;
        double seconds = 0;
        std::string error;
        ASSERT_TRUE(BuildSongModule(SourcePath("tools/assetgen/music/") + entry.source, &bytes,
                                    &seconds, &error))
            << error;
        EXPECT_EQ(bytes, ShippedBytes(int(i) + 1))
            << "assets/" << entry.module
            << " is not what the generator makes: run the assets target";
        EXPECT_NEAR(seconds, Seconds(int(i) + 1), 0.05) << "the generator's reading of the length";
    }
}
