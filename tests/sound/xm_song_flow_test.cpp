// Song flow: position jump, pattern break into a later row, pattern loop, pattern delay,
// speed and tempo, restart position, the end of the song and jumping to an order.
#include "tests/sound/xm_test_song.h"

using Position = std::pair<int, int>; // order, row

// `orders` orders, each its own 4-row, 2-channel pattern (rows[p]) at one tick a row.
static XmModule FlowModule(int orders, const std::vector<std::vector<std::string>>& rows = {}) {
    XmModule xm = TestModule(2, 4);
    xm.speed = 1;
    xm.orders.clear();
    xm.patterns.resize(size_t(orders), xm.patterns[0]);
    for (int i = 0; i < orders; i++) {
        xm.orders.push_back(uint8_t(i));
        if (size_t(i) < rows.size() && !rows[size_t(i)].empty())
            xm.patterns[size_t(i)] = Song(rows[size_t(i)], 4).patterns[0];
    }
    return xm;
}

// The (order, row) of each tick until the song ends or `ticks` have passed.
static std::vector<Position> Walk(TestSong& song, int ticks) {
    std::vector<Position> out;
    for (int t = 0; t < ticks; t++) {
        const Position p{song.music->order, song.music->row};
        if (!song.Tick()) break;
        out.push_back(p);
    }
    return out;
}

constexpr const char* NONE = "... .. .. ... | ... .. .. ...";

// The walk of a 3-order song of the given patterns until it ends.
static void ExpectWalk(const char* what, const std::vector<std::vector<std::string>>& rows,
                       const std::vector<Position>& walk) {
    TestSong song(FlowModule(3, rows));
    EXPECT_EQ(Walk(song, 40), walk) << what;
}

TEST(XmSongFlow, JumpsBreaksAndLoopsWalkTheRowsAsFt2Does) {
    ExpectWalk("B02, then the list's end stops the song", {{NONE, "... .. .. B02 | ... .. .. ..."}},
               {{0, 0}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 3}});
    ExpectWalk("D02 enters the next order at a decimal row", {{"... .. .. D02 | ... .. .. ..."}},
               {{0, 0}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}});
    ExpectWalk("at speed 2 (F00 is ignored) B02 and D03 on one row take both",
               {{"... .. .. F02 | ... .. .. F00", "... .. .. B02 | ... .. .. D03"}},
               {{0, 0}, {0, 0}, {0, 1}, {0, 1}, {2, 3}, {2, 3}});
    ExpectWalk("E62 repeats its rows twice more; the next pattern starts at the loop's row",
               {{NONE, "... .. .. E60 | ... .. .. ...", "... .. .. E62 | ... .. .. ..."},
                {NONE, "... .. .. B09 | ... .. .. ..."}},
               {{0, 0}, {0, 1}, {0, 2}, {0, 1}, {0, 2}, {0, 1}, {0, 2}, {0, 3}, {1, 1}});
    ExpectWalk("EE2 repeats its row twice more",
               {{NONE, "C-4 01 .. EE2 | ... .. .. ...", "... .. .. B09 | ... .. .. ..."}},
               {{0, 0}, {0, 1}, {0, 1}, {0, 1}, {0, 2}});
    ExpectWalk("of several EEx on one row the last counts, EE0 too",
               {{"... .. .. EE2 | ... .. .. EE1", "... .. .. EE1 | ... .. .. EE0",
                 "... .. .. B09 | ... .. .. ..."}},
               {{0, 0}, {0, 0}, {0, 1}, {0, 2}});
}

TEST(XmSongFlow, LoopingContinuesAtTheRestartPositionInsideTheListElseAtOrderZero) {
    for (auto [restart, order] : {std::pair{1, 1}, std::pair{7, 0}}) {
        XmModule xm = FlowModule(3);
        xm.restartPosition = uint16_t(restart);
        TestSong song(xm, MUSIC_LOOP);
        EXPECT_EQ(Walk(song, 13)[12], Position(order, 0)) << restart;
    }
    TestSong song(FlowModule(3), MUSIC_LOOP);
    song.Tick();
    JumpMusicToOrder(song.music.get(), 2);
    EXPECT_EQ(Walk(song, 1)[0], Position(2, 0));
    JumpMusicToOrder(song.music.get(), 3); // outside the list
    EXPECT_EQ(Walk(song, 1)[0], Position(0, 0));
}

// Rendering once ends where a row is played again with every pattern-loop counter as it was.
TEST(XmSongFlow, SongEndIsARowPlayedAgainWithTheSameLoopCounters) {
    const XmModule back = FlowModule(2, {{}, {NONE, "... .. .. B00 | ... .. .. ..."}});
    TestSong song(back, MUSIC_STOP_AT_REPEAT);
    EXPECT_EQ(Walk(song, 50).size(), 6u);
    EXPECT_TRUE(song.music->finished);
    TestSong rendered(back, MUSIC_STOP_AT_REPEAT);
    std::vector<int32_t> acc(2 * 48000);
    EXPECT_EQ(RenderMusic(rendered.music.get(), acc.data(), 48000), 6 * 960);
    // A loop cut short by a break on its row keeps counting: three passes, counter 2, 1, 0.
    TestSong cut(FlowModule(2, {{NONE, "... .. .. E62 | ... .. .. D00"},
                                {NONE, NONE, NONE, "... .. .. B00 | ... .. .. ..."}}),
                 MUSIC_STOP_AT_REPEAT);
    EXPECT_EQ(Walk(cut, 100).size(), 18u);
    // Nested loops: every state of the two counters is its own; none is taken for another.
    TestSong nested(
        FlowModule(2, {{"... .. .. E60 | ... .. .. E60", "... .. .. E61 | ... .. .. ...", NONE,
                        "... .. .. ... | ... .. .. E6F"}}),
        MUSIC_STOP_AT_REPEAT);
    EXPECT_EQ(Walk(nested, 200).size(), 16u * 6 + 4);
}
