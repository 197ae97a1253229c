// Song flow: position jump, pattern break into a later row, pattern loop, pattern delay,
// speed and tempo, restart position, the end of the song and jumping to an order.
#include "tests/sound/xm_test_song.h"

#include <utility>

// A module of `orders` orders, each its own 4-row pattern, at one tick a row.
static XmModule FlowModule(int orders) {
    XmModule xm = TestModule(1, 4);
    xm.speed = 1;
    xm.orders.clear();
    xm.patterns.resize(size_t(orders), xm.patterns[0]);
    for (int i = 0; i < orders; i++) xm.orders.push_back(uint8_t(i));
    return xm;
}

using Position = std::pair<int, int>; // order, row

static std::vector<Position> Walk(TestSong& song, int ticks) {
    std::vector<Position> out;
    for (int t = 0; t < ticks; t++) {
        const Position p{song.music->order, song.music->row};
        if (!song.Tick()) break;
        out.push_back(p);
    }
    return out;
}

TEST(XmSongFlow, PositionJumpGoesToTheOrderAndTheEndOfTheListStopsANonLoopingSong) {
    XmModule xm = FlowModule(3);
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xB, 0x02};
    TestSong song(xm, MUSIC_STOP_AT_END);
    EXPECT_EQ(Walk(song, 20),
              (std::vector<Position>{{0, 0}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 3}}));
    EXPECT_TRUE(song.music->finished);
}

TEST(XmSongFlow, PatternBreakEntersTheNextOrderAtTheDecimalRow) {
    XmModule xm = FlowModule(2);
    Cell(xm, 0, 0, 0) = {0, 0, 0, 0xD, 0x02};
    TestSong song(xm);
    EXPECT_EQ(Walk(song, 20), (std::vector<Position>{{0, 0}, {1, 2}, {1, 3}}));
}

TEST(XmSongFlow, PositionJumpWithBreakOnTheSameRowTakesBoth) {
    XmModule xm = TestModule(2, 4);
    xm.speed = 1;
    xm.patterns.resize(3, xm.patterns[0]);
    xm.orders = {0, 1, 2};
    Cell(xm, 0, 0, 0) = {0, 0, 0, 0xB, 0x02};
    Cell(xm, 0, 0, 1) = {0, 0, 0, 0xD, 0x03};
    TestSong song(xm);
    EXPECT_EQ(Walk(song, 20), (std::vector<Position>{{0, 0}, {2, 3}}));
}

TEST(XmSongFlow, PatternLoopRepeatsItsRowsTheGivenNumberOfTimes) {
    XmModule xm = FlowModule(1);
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0x60};
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0xE, 0x62};
    TestSong song(xm);
    EXPECT_EQ(Walk(song, 20), (std::vector<Position>{
                                  {0, 0}, {0, 1}, {0, 2}, {0, 1}, {0, 2}, {0, 1}, {0, 2}, {0, 3}}));
}

TEST(XmSongFlow, PatternDelayRepeatsTheRowWithoutRetriggeringIt) {
    XmModule xm = FlowModule(1);
    xm.speed = 2;
    Cell(xm, 0, 1, 0) = {NOTE_C4, 1, 0, 0xE, 0xE2};
    TestSong song(xm);
    const std::vector<Position> walk = Walk(song, 40);
    ASSERT_EQ(walk.size(), 2u + 6u + 2u + 2u);
    for (int t = 2; t < 8; t++) EXPECT_EQ(walk[size_t(t)], Position(0, 1));
}

TEST(XmSongFlow, SpeedAndTempoSetTicksPerRowAndSamplesPerTick) {
    XmModule xm = FlowModule(1);
    Cell(xm, 0, 0, 0) = {0, 0, 0, 0xF, 0x03};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xF, 0x50}; // 80 BPM
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0xF, 0x00}; // ignored
    TestSong song(xm);
    song.Tick();
    EXPECT_EQ(song.music->speed, 3);
    EXPECT_EQ(song.music->samplesPerTick, 120000 / 125);
    for (int t = 1; t < 4; t++) song.Tick();
    EXPECT_EQ(song.music->samplesPerTick, 1500);
    for (int t = 4; t < 7; t++) song.Tick();
    EXPECT_EQ(song.music->speed, 3);
    EXPECT_EQ(song.music->tempo, 80);
}

TEST(XmSongFlow, RestartPositionOneContinuesAtOrderOneWhenLooping) {
    XmModule xm = FlowModule(3);
    xm.restartPosition = 1;
    TestSong song(xm, MUSIC_LOOP);
    const std::vector<Position> walk = Walk(song, 13);
    EXPECT_EQ(walk[12], Position(1, 0));
    // A restart position outside the list restarts at order 0.
    xm.restartPosition = 7;
    TestSong other(xm, MUSIC_LOOP);
    EXPECT_EQ(Walk(other, 13)[12], Position(0, 0));
}

TEST(XmSongFlow, SongEndIsWhereAJumpLeadsBackIntoRowsAlreadyPlayed) {
    XmModule xm = FlowModule(2);
    Cell(xm, 1, 1, 0) = {0, 0, 0, 0xB, 0x00};
    TestSong song(xm, MUSIC_STOP_AT_REPEAT);
    EXPECT_EQ(Walk(song, 50).size(), 6u);
    EXPECT_TRUE(song.music->finished);
    // Rendering it gives exactly those ticks.
    TestSong rendered(xm, MUSIC_STOP_AT_REPEAT);
    std::vector<int32_t> acc(2 * 48000);
    EXPECT_EQ(RenderMusic(rendered.music.get(), acc.data(), 48000), 6 * 960);
}

TEST(XmSongFlow, ALoopCutShortByABreakKeepsCountingSoTheSongEndsOnlyWhenItsCounterIsBackToZero) {
    XmModule xm = FlowModule(2);
    xm.channels = 2;
    for (XmPattern& p : xm.patterns) p.Resize(4, 2);
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0x62}; // loop twice back to row 0...
    Cell(xm, 0, 1, 1) = {0, 0, 0, 0xD, 0x00}; // ...but the break on the same row wins
    Cell(xm, 1, 3, 0) = {0, 0, 0, 0xB, 0x00};
    TestSong song(xm, MUSIC_STOP_AT_REPEAT);
    // Three passes of 0:0 0:1 1:0..1:3: the counter goes 2, 1, 0 on the loop row.
    EXPECT_EQ(Walk(song, 100).size(), 18u);
    EXPECT_TRUE(song.music->finished);
}

TEST(XmSongFlow, JumpToOrderStartsThatOrderOrOrderZeroWhenOutside) {
    XmModule xm = FlowModule(3);
    TestSong song(xm, MUSIC_LOOP);
    song.Tick();
    JumpMusicToOrder(song.music.get(), 2);
    EXPECT_EQ(Walk(song, 1)[0], Position(2, 0));
    JumpMusicToOrder(song.music.get(), 3);
    EXPECT_EQ(Walk(song, 1)[0], Position(0, 0));
}
