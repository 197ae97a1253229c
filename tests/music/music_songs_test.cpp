// music_songs_test.cpp - the five shipped songs rendered by the game's engine (format, length,
// levels, clipping, DC, stereo, stuck notes, the looped opening), and made by the generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/music/music_render.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/music.h"

namespace {

// Modules 1..5 (menu, play, high scores, shop, level end): length before the loop, restart.
constexpr double MINIMUM_SECONDS[] = {90, 120, 60, 45, 45};
constexpr int RESTART_ORDER[] = {0, 1, 0, 0, 0};

constexpr size_t MAX_FILE_BYTES = 64 * 1024; // tracker music of the era: tens of kilobytes
constexpr int CLIP_RUN_LIMIT = 4;            // samples in a row at the 16-bit limits
constexpr double DC_LIMIT = 0.005 * 32768;   // mean of a side, in sample units
constexpr double LOUDNESS_SPREAD_DB = 3.0;
// Rows a looping voice may sound without a new note or key off before it counts as stuck.
constexpr int HELD_ROWS_LIMIT = 96;
constexpr double OPENING_SECONDS = 8;     // measured on the first pass and after the loop
constexpr double OPENING_SPREAD_DB = 1.0; // what the other tails may add to the looped pass

// The whole-render tick watch: where the song first wraps, and its longest held voice.
struct SongWatch {
    int previousOrder = 0, wrapOrder = -1;
    uint64_t wrapFrame = 0, openingFrame = 0; // 0 wrap: not yet
    bool openingSeen = false;
    int held[MODULE_MAX_CHANNELS] = {};
    int longestHeld = 0, heldOrder = 0, heldRow = 0, heldChannel = 0;
};

void WatchTick(const MusicContext& music, void* user) {
    SongWatch& w = *static_cast<SongWatch*>(user);
    const ModuleData& module = *music.module;
    if (!w.openingSeen && music.order == module.restartPosition) {
        w.openingSeen = true;
        w.openingFrame = music.framesPlayed;
    }
    if (!w.wrapFrame && music.order < w.previousOrder) {
        w.wrapFrame = music.framesPlayed;
        w.wrapOrder = music.order;
    }
    w.previousOrder = music.order;
    if (music.tick != 0 || music.patternDelayRun != 0 || w.wrapFrame) return;
    const ModulePattern& pattern = PatternAtOrder(module, music.order);
    for (int c = 0; c < module.channels; c++) {
        const uint8_t* cell =
            pattern.cells + (size_t(music.row) * module.channels + size_t(c)) * MODULE_CELL_BYTES;
        const MusicChannel& ch = music.channels[c];
        const bool looping = ch.sample && ch.sample->loopType != SAMPLE_LOOP_NONE;
        if (cell[0] != 0 || cell[3] == 0x14 || !ch.keyOn || !looping || ch.finalVolume == 0) {
            w.held[c] = 0;
        } else if (++w.held[c] > w.longestHeld) {
            w.longestHeld = w.held[c];
            w.heldOrder = music.order;
            w.heldRow = music.row;
            w.heldChannel = c + 1;
        }
    }
}

// Level in dB of full scale of every `step`-th sample from `first` to `end`; -200 for silence.
double RmsDb(const RenderedSong& song, size_t first, size_t end, size_t step) {
    double sum = 0;
    for (size_t i = first; i < end; i += step) sum += double(song.samples[i]) * song.samples[i];
    const double count = double((end - first + step - 1) / step);
    return sum > 0 ? 10.0 * std::log10(sum / count / (32768.0 * 32768.0)) : -200.0;
}

// Renders a song looping, watching every tick, until it has played its opening again.
RenderedSong RenderLooped(const std::vector<uint8_t>& bytes, SongWatch* watch) {
    const size_t opening = size_t(OPENING_SECONDS * MUSIC_RATE);
    return RenderModule(
        bytes, MUSIC_LOOP, 600,
        [&](MusicContext& music) {
            music.onTick = WatchTick;
            music.user = watch;
        },
        [&](size_t frames) { return !watch->wrapFrame || frames < watch->wrapFrame + opening; });
}

// Each shipped song rendered once for the suite; renders_ holds its first pass.
class ShippedSongs : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (int i = 0; i < 5; i++) {
            bytes_[i] = ReadFileBytes(SourcePath("assets/music" + std::to_string(i + 1) + ".xm"));
            looped_[i] = RenderLooped(bytes_[i], &watches_[i]);
            renders_[i] = looped_[i];
            if (watches_[i].wrapFrame) renders_[i].samples.resize(2 * watches_[i].wrapFrame);
        }
    }
    static double Seconds(int i) { return double(renders_[i].Frames()) / MUSIC_RATE; }
    static std::vector<uint8_t> bytes_[5];
    static RenderedSong renders_[5], looped_[5];
    static SongWatch watches_[5];
};
std::vector<uint8_t> ShippedSongs::bytes_[5];
RenderedSong ShippedSongs::renders_[5], ShippedSongs::looped_[5];
SongWatch ShippedSongs::watches_[5];

} // namespace

TEST_F(ShippedSongs, EverySongIsASmallXm104PlaysItsMinimumAndRestartsAtItsRestartPosition) {
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE("module " + std::to_string(i + 1));
        const std::vector<uint8_t>& bytes = bytes_[i];
        EXPECT_LE(bytes.size(), MAX_FILE_BYTES);
        ASSERT_TRUE(renders_[i].loaded) << "the engine plays only XM 1.04 modules";
        EXPECT_GE(Seconds(i), MINIMUM_SECONDS[i]);
        EXPECT_LT(Seconds(i), 600) << "the song ends";

        // Looping, the song goes back from its last order to its restart position.
        EXPECT_EQ(watches_[i].wrapOrder, RESTART_ORDER[i]);
    }
}

TEST_F(ShippedSongs, EverySongIsAudibleUnclippedCentredStereoAndAsLoudAsTheOthers) {
    double loudest = -200, quietest = 0;
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE("module " + std::to_string(i + 1));
        const RenderedSong& song = renders_[i];
        for (size_t from = 0; from + MUSIC_RATE <= song.Frames(); from += MUSIC_RATE)
            ASSERT_GT(RmsDb(song, 2 * from, 2 * (from + MUSIC_RATE), 1), -45.0)
                << "second " << from / MUSIC_RATE << " is nearly silent";
        int run = 0, longest = 0;
        double sum[2] = {0, 0}, difference = 0;
        for (size_t k = 0; k < song.samples.size(); k++) {
            const int v = song.samples[k];
            run = (v >= 32767 || v <= -32767) ? run + 1 : 0;
            longest = std::max(longest, run);
            sum[k % 2] += v;
            if (k % 2) difference += std::fabs(double(song.samples[k - 1]) - v);
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
        std::printf("module %d: %.1f s, RMS %.1f dBFS (left %.1f, right %.1f)\n", i + 1, Seconds(i),
                    rms, left, right);
    }
    EXPECT_LE(loudest - quietest, LOUDNESS_SPREAD_DB);
}

TEST_F(ShippedSongs, NoVoiceIsStuckAndTheOpeningIsAsLoudWhenTheSongComesRound) {
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE("module " + std::to_string(i + 1));
        const SongWatch& w = watches_[i];
        EXPECT_LE(w.longestHeld, HELD_ROWS_LIMIT)
            << "channel " << w.heldChannel << " held to order " << w.heldOrder << " row "
            << w.heldRow;
        ASSERT_GT(w.wrapFrame, 0u);
        const size_t opening = size_t(OPENING_SECONDS * MUSIC_RATE);
        ASSERT_GE(looped_[i].Frames(), w.wrapFrame + opening);
        const double first =
                         RmsDb(looped_[i], 2 * w.openingFrame, 2 * (w.openingFrame + opening), 1),
                     again = RmsDb(looped_[i], 2 * w.wrapFrame, 2 * (w.wrapFrame + opening), 1);
        EXPECT_NEAR(again, first, OPENING_SPREAD_DB) << "the opening after the loop";
        std::printf("module %d: longest held %d rows; opening %.1f dBFS, looped %.1f dBFS\n", i + 1,
                    w.longestHeld, first, again);
    }
}

TEST_F(ShippedSongs, TheSongTextsCompileToTheShippedModulesWithTheEnginesLength) {
    ASSERT_EQ(GameSongs().size(), 5u);
    for (int i = 0; i < 5; i++) {
        const SongEntry& entry = GameSongs()[size_t(i)];
        SCOPED_TRACE(entry.source);
        EXPECT_EQ(std::string(entry.module), "music" + std::to_string(i + 1) + ".xm");
        std::vector<uint8_t> bytes;
        double seconds = 0;
        std::string error;
        ASSERT_TRUE(BuildSongModule(SourcePath("tools/assetgen/music/") + entry.source, &bytes,
                                    &seconds, &error))
            << error;
        if (IsHandMadeAsset(SourcePath("assets"), entry.module)) continue;
        EXPECT_EQ(bytes, bytes_[i]) << "assets/" << entry.module
                                    << " is not what the generator makes: run the assets target";
        EXPECT_NEAR(seconds, Seconds(i), 0.05) << "the generator's reading of the length";
    }
}
