// Parsing: load limits, sample decoding, loop points, missing patterns, title, lying input.
#include "tests/sound/xm_test_song.h"

#include <tuple>

static void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Where the first instrument starts: after the header and every pattern.
static size_t FirstInstrument(const std::vector<uint8_t>& b) {
    size_t at = 60 + (b[60] | b[61] << 8);
    for (int p = 0; p < (b[70] | b[71] << 8); p++) at += 9 + size_t(b[at + 7] | b[at + 8] << 8);
    return at;
}

// Loads, then plays half a second of whatever loaded (nothing must read out of bounds).
static bool LoadAndPlay(const std::vector<uint8_t>& b) {
    ModulePtr m(LoadModule(b.data(), b.size()));
    if (!m) return false;
    auto music = std::make_unique<MusicContext>();
    StartMusic(music.get(), m.get(), MUSIC_STOP_AT_END);
    std::vector<int32_t> acc(2 * 24000);
    RenderMusic(music.get(), acc.data(), 24000);
    return true;
}

TEST(XmModuleLoad, ModulesOutsideTheLoadLimitsAreRefused) {
    const std::vector<uint8_t> good = WriteXm(TestModule(2));
    const size_t ins = FirstInstrument(good);
    // Where, what value in how many bytes, whether it loads, and the refusal's text if checked.
    const std::tuple<size_t, uint32_t, int, bool, const char*> changes[] = {
        {68, 65, 2, false, "65 channels (1 to 64 are played)"},
        {68, 64, 2, true, nullptr}, // channels (64: the pattern data just runs short)
        {341, 0, 2, false, nullptr},
        {341, 257, 2, false, "pattern 0 has 257 rows (1 to 256 are played)"}, // rows of pattern 0
        {ins + 29, 41, 4, false, nullptr},                                    // sample header size
        {ins + 263, 4194304, 4, false, nullptr}, // sample length in bytes
        {ins + 263, 4194303, 4, true, nullptr},  // long, but cut at the end of the file
        {ins + 27, 17, 2, false, nullptr},       // samples in the instrument
        {58, 0x0103, 2, false, nullptr},         // version
        {3, 'x', 1, false, nullptr},             // signature
    };
    ASSERT_TRUE(LoadAndPlay(good));
    for (const auto& [at, value, bytes, loads, said] : changes) {
        std::vector<uint8_t> b = good;
        Put(b, at, value, bytes);
        EXPECT_EQ(LoadAndPlay(b), loads) << "at " << at << " value " << value;
        if (!said) continue;
        ModuleRefusal why{};
        EXPECT_EQ(LoadModule(b.data(), b.size(), &why), nullptr);
        EXPECT_STREQ(why.text, said);
    }
}

TEST(XmModuleLoad, SamplesDecodeTo16BitAndLoopsStayInsideTheSample) {
    XmModule xm = TestModule();
    XmSample& s8 = xm.instruments[0].samples[0];
    s8.data = {0, 1, -1, 127, -128, 5};
    s8.loopStart = 4;
    s8.loopLength = 100; // past the end: cut to the sample
    XmSample s16;
    s16.data = {0, 32767, -32768, 12345, -1};
    s16.sixteenBit = true;
    xm.instruments[0].samples.push_back(s16);
    ModulePtr m = LoadTestModule(xm);
    ASSERT_TRUE(m);
    const ModuleSample &a = m->instruments[0].samples[0], &b = m->instruments[0].samples[1];
    ASSERT_EQ(a.length, 6);
    EXPECT_EQ(std::vector<int16_t>(a.data, a.data + 7), // and the guard after the loop
              (std::vector<int16_t>{0, 256, -256, 127 * 256, -128 * 256, 5 * 256, -128 * 256}));
    EXPECT_EQ(std::pair(a.loopStart, a.loopEnd), std::pair(4, 6));
    ASSERT_EQ(b.length, 5);
    EXPECT_EQ(std::vector<int16_t>(b.data, b.data + 5), s16.data);
    EXPECT_EQ(b.loopType, SAMPLE_LOOP_NONE);
    // 4-bit ADPCM (reserved byte 0xAD): a table of 16 deltas, then two samples a byte.
    xm.instruments[0].samples.resize(1);
    xm.instruments[0].samples[0].data.assign(16 + 3, 0);
    xm.instruments[0].samples[0].loopType = XM_LOOP_NONE;
    std::vector<uint8_t> bytes = WriteXm(xm);
    const size_t header = FirstInstrument(bytes) + 263, data = bytes.size() - 19;
    Put(bytes, header, 6, 4); // 6 samples
    bytes[header + 17] = 0xAD;
    for (int i = 0; i < 16; i++) bytes[data + size_t(i)] = uint8_t(int8_t(i * 2 - 16));
    Put(bytes, data + 16, 0xFF079A, 3); // nibbles 10 9 | 7 0 | 15 15: +4 +2 -2 -16 +14 +14
    ModulePtr adpcm(LoadModule(bytes.data(), bytes.size()));
    ASSERT_TRUE(adpcm);
    const ModuleSample& c = adpcm->instruments[0].samples[0];
    ASSERT_EQ(c.length, 6);
    EXPECT_EQ(std::vector<int16_t>(c.data, c.data + 6),
              (std::vector<int16_t>{4 * 256, 6 * 256, 4 * 256, -12 * 256, 2 * 256, 16 * 256}));
}

TEST(XmModuleLoad, OrdersNamingMissingPatternsPlayEmpty64RowPatternsAndTitleIsCleaned) {
    XmModule xm = TestModule();
    xm.orders = {0, 9};
    xm.name = "Ti\ttle\x01!";
    ModulePtr m = LoadTestModule(xm);
    ASSERT_TRUE(m);
    EXPECT_STREQ(m->title, "Title!");
    const ModulePattern& p = PatternAtOrder(*m, 1);
    EXPECT_EQ(p.rows, 64);
    EXPECT_EQ(std::vector<uint8_t>(p.cells, p.cells + 64 * MODULE_CELL_BYTES),
              std::vector<uint8_t>(64 * MODULE_CELL_BYTES, 0));
}

TEST(XmModuleLoad, EveryTruncationAndLyingSizeIsRefusedOrPlayedSafely) {
    XmModule xm = Song({"C-4 01 40 A0F | ... .. .. ..."});
    xm.instruments[0].volumeEnvelope = {.points = {{0, 64}, {10, 0}}, .on = true};
    const std::vector<uint8_t> good = WriteXm(xm);
    int loaded = 0;
    for (size_t n = 0; n <= good.size(); n++)
        loaded += LoadAndPlay(std::vector<uint8_t>(good.begin(), good.begin() + long(n)));
    EXPECT_GT(loaded, 0);
    const size_t ins = FirstInstrument(good);
    for (auto [at, value, bytes] : {std::tuple{ins, 0xFFFFFFF0u, 4},   // instrument size
                                    std::tuple{343ul, 0xFFFFu, 2},     // packed pattern size
                                    std::tuple{ins + 225, 200u, 1}}) { // envelope points
        std::vector<uint8_t> b = good;
        Put(b, at, value, bytes);
        LoadAndPlay(b);
    }
    std::vector<uint8_t> b = good;
    Put(b, ins + 263 + 4, 0xFFFFFFF0u, 4); // loop start past the end: no loop
    ModulePtr m(LoadModule(b.data(), b.size()));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->instruments[0].samples[0].loopType, SAMPLE_LOOP_NONE);
}

// Only the orders the header's size holds are read, whatever the song length says.
TEST(XmModuleLoad, OrdersComeOnlyFromTheOrderTableTheHeaderHolds) {
    XmModule xm = TestModule();
    xm.orders = {0, 1, 0};
    xm.patterns.push_back(xm.patterns[0]);
    const std::vector<uint8_t> full = WriteXm(xm);
    std::vector<uint8_t> b = full;
    Put(b, 64, 300, 2); // song length past the 256 orders of a 276-byte header
    ModulePtr m(LoadModule(b.data(), b.size()));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->orderCount, 256);
    // A header of 22 bytes holds two orders; the pattern data follows at once.
    b.assign(full.begin(), full.begin() + 82);
    b.insert(b.end(), full.begin() + 336, full.end());
    Put(b, 60, 22, 4);
    Put(b, 64, 3, 2);
    m.reset(LoadModule(b.data(), b.size()));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->orderCount, 2);
    EXPECT_EQ(std::vector<uint8_t>(m->orders, m->orders + 3), (std::vector<uint8_t>{0, 1, 0}));
    Put(b, 60, 20, 4); // no order at all
    EXPECT_FALSE(LoadAndPlay(b));
    // A header tempo past 255 BPM plays at 255; below, it stands.
    for (auto [tempo, played] : {std::pair{65535u, 255}, {254u, 254}}) {
        b = full;
        Put(b, 78, tempo, 2);
        m.reset(LoadModule(b.data(), b.size()));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->tempo, played) << tempo;
    }
}
