// Parsing: load limits, sample decoding (8-bit and 16-bit delta, 4-bit ADPCM), loop points
// kept inside the sample, missing patterns, the title, and truncated or lying input.
#include "tests/sound/xm_test_song.h"

#include <cstring>

static std::vector<uint8_t> Bytes(const XmModule& xm) {
    return WriteXm(xm);
}

static void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
static void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Where the first instrument starts: after the header and every pattern.
static size_t FirstInstrument(const std::vector<uint8_t>& b) {
    size_t at = 60 + (b[60] | b[61] << 8);
    const int patterns = b[70] | b[71] << 8;
    for (int p = 0; p < patterns; p++) at += 9 + size_t(b[at + 7] | b[at + 8] << 8);
    return at;
}

static bool Loads(const std::vector<uint8_t>& b) {
    ModuleData* m = LoadModule(b.data(), b.size());
    FreeModule(m);
    return m != nullptr;
}

TEST(XmModuleLoad, ModulesOutsideTheLoadLimitsAreRefused) {
    const std::vector<uint8_t> good = Bytes(TestModule(2));
    ASSERT_TRUE(Loads(good));
    std::vector<uint8_t> b = good;
    Put16(b, 68, 65); // channels
    EXPECT_FALSE(Loads(b));
    b = good;
    Put16(b, 68, 64);
    EXPECT_TRUE(Loads(b)); // 64 channels is the limit (the pattern data just runs short)
    b = good;
    Put16(b, 336 + 5, 0); // rows of pattern 0
    EXPECT_FALSE(Loads(b));
    Put16(b, 336 + 5, 257);
    EXPECT_FALSE(Loads(b));
    const size_t ins = FirstInstrument(good);
    b = good;
    Put32(b, ins + 29, 41); // sample header size
    EXPECT_FALSE(Loads(b));
    b = good;
    Put32(b, ins + 263, 4194304); // sample length in bytes
    EXPECT_FALSE(Loads(b));
    Put32(b, ins + 263, 4194303);
    EXPECT_TRUE(Loads(b)); // long, but its data is simply cut at the end of the file
    b = good;
    Put16(b, ins + 27, 17); // samples in the instrument
    EXPECT_FALSE(Loads(b));
    b = good;
    Put16(b, 58, 0x0103);
    EXPECT_FALSE(Loads(b));
    b = good;
    b[3] = 'x';
    EXPECT_FALSE(Loads(b));
}

TEST(XmModuleLoad, DeltaCodedSamplesDecodeTo16BitAndLoopsStayInsideTheSample) {
    XmModule xm = TestModule();
    XmSample& s8 = xm.instruments[0].samples[0];
    s8.data = {0, 1, -1, 127, -128, 5};
    s8.loopStart = 4;
    s8.loopLength = 100; // past the end: cut to the sample
    XmSample s16;
    s16.sixteenBit = true;
    s16.data = {0, 32767, -32768, 12345, -1};
    xm.instruments[0].samples.push_back(s16);
    ModulePtr m = LoadTestModule(xm);
    ASSERT_TRUE(m);
    const ModuleSample& a = m->instruments[0].samples[0];
    ASSERT_EQ(a.length, 6);
    EXPECT_EQ(std::vector<int16_t>(a.data, a.data + 6),
              (std::vector<int16_t>{0, 256, -256, 127 * 256, -128 * 256, 5 * 256}));
    EXPECT_EQ(a.loopStart, 4);
    EXPECT_EQ(a.loopEnd, 6);
    EXPECT_EQ(a.data[6], a.data[4]); // guard for interpolation across the loop
    const ModuleSample& b = m->instruments[0].samples[1];
    ASSERT_EQ(b.length, 5);
    EXPECT_EQ(std::vector<int16_t>(b.data, b.data + 5),
              (std::vector<int16_t>{0, 32767, -32768, 12345, -1}));
    EXPECT_EQ(b.loopType, SAMPLE_LOOP_NONE);
}

TEST(XmModuleLoad, AdpcmSamplesDecodeThroughTheirDeltaTable) {
    XmModule xm = TestModule();
    xm.instruments[0].samples[0].data.assign(16 + 3, 0); // room for the table and 6 nibbles
    xm.instruments[0].samples[0].loopType = XM_LOOP_NONE;
    std::vector<uint8_t> b = Bytes(xm);
    const size_t header = FirstInstrument(b) + 263;
    Put32(b, header, 6); // 6 samples
    b[header + 17] = 0xAD;
    const size_t data = b.size() - 19;
    for (int i = 0; i < 16; i++) b[data + size_t(i)] = uint8_t(int8_t(i * 2 - 16)); // table
    b[data + 16] = 0x9A; // nibbles 10 then 9: +4, +2
    b[data + 17] = 0x07; // 7 then 0: -2, -16
    b[data + 18] = 0xFF; // 15, 15: +14, +14
    ModulePtr m(LoadModule(b.data(), b.size()));
    ASSERT_TRUE(m);
    const ModuleSample& s = m->instruments[0].samples[0];
    ASSERT_EQ(s.length, 6);
    EXPECT_EQ(std::vector<int16_t>(s.data, s.data + 6),
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
    for (int i = 0; i < 64 * MODULE_CELL_BYTES; i++) ASSERT_EQ(p.cells[i], 0);
}

TEST(XmModuleLoad, EveryTruncationAndLyingSizeIsRefusedOrPlayedSafely) {
    XmModule xm = TestModule(2);
    XmEnvelope& e = xm.instruments[0].volumeEnvelope;
    e.on = true;
    e.points = {{0, 64}, {10, 0}};
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x40, 0xA, 0x0F};
    const std::vector<uint8_t> good = Bytes(xm);
    auto play = [](const std::vector<uint8_t>& b) {
        ModuleData* m = LoadModule(b.data(), b.size());
        if (!m) return;
        auto music = std::make_unique<MusicContext>();
        StartMusic(music.get(), m, MUSIC_STOP_AT_END);
        std::vector<int32_t> acc(2 * 4096);
        for (int i = 0; i < 8; i++) RenderMusic(music.get(), acc.data(), 4096);
        FreeModule(m);
    };
    int loaded = 0;
    for (size_t n = 0; n <= good.size(); n++) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        ModuleData* m = LoadModule(cut.data(), cut.size());
        loaded += m != nullptr;
        FreeModule(m);
        play(cut);
    }
    EXPECT_GT(loaded, 0);
    const size_t ins = FirstInstrument(good);
    std::vector<uint8_t> b = good;
    Put32(b, ins, 0xFFFFFFF0u); // instrument size far past the end
    play(b);
    b = good;
    Put32(b, ins + 263 + 4, 0xFFFFFFF0u); // loop start past the end
    ModulePtr m(LoadModule(b.data(), b.size()));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->instruments[0].samples[0].loopType, SAMPLE_LOOP_NONE);
    b = good;
    Put16(b, 336 + 7, 0xFFFF); // packed size past the end
    play(b);
    b = good;
    b[ins + 225] = 200; // envelope point count
    play(b);
}
