// Exact samples: the output conversion, gain ramps, interpolation of a constant sample and
// between two values, forward and ping-pong loops, and the fade-out of the old note.
#include "tests/sound/xm_test_song.h"

#include <algorithm>
#include <climits>

// A sample as the loader leaves it: values, then guards.
struct TestSample {
    std::vector<int16_t> values;
    ModuleSample sample{};
    TestSample(std::vector<int16_t> v, uint8_t loopType, int loopStart) : values(std::move(v)) {
        const int n = int(values.size());
        for (int g = 0; g < MODULE_SAMPLE_GUARD; g++)
            values.push_back(loopType == SAMPLE_LOOP_FORWARD
                                 ? values[size_t(loopStart + g % (n - loopStart))]
                             : loopType == SAMPLE_LOOP_PINGPONG ? values[size_t(n - 1)]
                                                                : 0);
        sample = {values.data(), n, loopStart, n, loopType, 64, 128, 0, 0};
    }
};

// A voice at full gain 16 on the left only, so that the accumulator shows sample values.
static MixVoice UnitVoice(const ModuleSample& s, double hz) {
    MixVoice v{};
    StartVoice(&v, &s, 0);
    SetVoiceRate(&v, hz);
    v.gainLeft = v.targetLeft = 16 << 16;
    return v;
}

static std::vector<int> LeftValues(MixVoice& v, int frames) {
    std::vector<int32_t> acc(size_t(2 * frames), 0);
    MixVoiceFrames(&v, acc.data(), frames);
    std::vector<int> out;
    for (int i = 0; i < frames; i++) out.push_back(acc[size_t(2 * i)]);
    return out;
}

TEST(XmOutput, ConversionDividesBy8160HalvesUpClampsAndAppliesTheMasterFactor) {
    const int32_t acc[] = {4079, 4080, -4080, -12240, 8160 * 40000, INT_MIN, 0, 816000};
    int16_t out[8];
    ConvertAccumulator(acc, 4, 32768, out, nullptr, nullptr);
    EXPECT_EQ(std::vector<int>(out, out + 8),
              (std::vector<int>{0, 1, -1, -2, 32767, -32767, 0, 100}));
    int32_t left = 0, right = 0;
    ConvertAccumulator(acc + 6, 1, 16384, out, &left, &right);
    EXPECT_EQ(out[1], 50);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 50);
    ConvertAccumulator(acc, 4, 1, out, nullptr, nullptr); // the quietest step
    EXPECT_EQ(out[4], 0);
}

TEST(XmOutput, ConversionOfAWholeBlockFollowsTheRuleForEveryValueAndMaster) {
    // A block long enough for the vector path, with values across the whole i32 range and
    // the edges of rounding and clamping.
    std::vector<int32_t> acc;
    const int32_t edges[] = {0,
                             4079,
                             4080,
                             12239,
                             12240,
                             -4080,
                             -4081,
                             32767 * 8160 + 4079,
                             32767 * 8160 + 4080,
                             32768 * 8160,
                             INT_MAX,
                             INT_MIN,
                             INT_MIN + 1};
    for (int32_t e : edges) acc.push_back(e);
    uint32_t x = 12345;
    while (acc.size() < 2 * 1024) {
        x = x * 1664525u + 1013904223u;
        acc.push_back(int32_t(x) >> (x % 7 * 4)); // small and large magnitudes
    }
    for (int32_t master : {32768, 8231, 1}) {
        std::vector<int16_t> out(acc.size());
        int32_t left = 0, right = 0;
        ConvertAccumulator(acc.data(), 1024, master, out.data(), &left, &right);
        int64_t sum[2] = {0, 0};
        for (size_t i = 0; i < acc.size(); i++) {
            const int64_t v = acc[i];
            int64_t q = ((v < 0 ? -v : v) * 2 + 8160) / 16320; // half up, as a fraction
            q = std::min<int64_t>(q, 32767) * master / 32768;
            ASSERT_EQ(out[i], v < 0 ? -q : q) << "value " << v << " master " << master;
            sum[i & 1] += q;
        }
        EXPECT_EQ(left, sum[0] / 1024);
        EXPECT_EQ(right, sum[1] / 1024);
    }
}

TEST(XmOutput, ConstantSampleStaysConstantAtAnyStepAndValuesBetweenAreInterpolated) {
    TestSample flat(std::vector<int16_t>(100, 1000), SAMPLE_LOOP_FORWARD, 0);
    MixVoice v = UnitVoice(flat.sample, 12345.678);
    for (int x : LeftValues(v, 500)) ASSERT_EQ(x, 1000);
    TestSample ramp({0, 1600, 3200, 4800}, SAMPLE_LOOP_NONE, 0);
    MixVoice half = UnitVoice(ramp.sample, 12000.0); // a quarter step a frame
    EXPECT_EQ(LeftValues(half, 6), (std::vector<int>{0, 400, 800, 1200, 1600, 2000}));
}

// Long spans go through the mixer's eight-frame paths; on a straight-line sample every frame's
// value follows from its position: the two values around it blended by the fraction (15 bits).
// A ping-pong loop of L values comes round in 2L steps, running back from loopEnd (where the
// guard repeats the last value).
TEST(XmOutput, LongSpansInterpolateExactlyAtAnyStepForwardAndBackward) {
    std::vector<int16_t> line;
    for (int i = 0; i < 4000; i++) line.push_back(int16_t(8 * i - 16000));
    auto expected = [](int64_t pos) {
        const int64_t i = pos >> 32;
        const int a = int(8 * std::min<int64_t>(i, 3999) - 16000);
        const int b = int(8 * std::min<int64_t>(i + 1, 3999) - 16000);
        return a + (((b - a) * int(uint32_t(pos) >> 17)) >> 15);
    };
    for (double hz : {7000.0, 33333.3, 95000.0, 190000.0}) {
        TestSample once(line, SAMPLE_LOOP_NONE, 0);
        MixVoice v = UnitVoice(once.sample, hz);
        const int frames = int(3990.0 * 48000.0 / hz) - 1;
        const std::vector<int> r = LeftValues(v, frames);
        for (int k = 0; k < frames; k++)
            ASSERT_EQ(r[size_t(k)], expected(v.step * k)) << "rate " << hz << " frame " << k;
        TestSample bidi(line, SAMPLE_LOOP_PINGPONG, 0);
        MixVoice b = UnitVoice(bidi.sample, hz);
        const int64_t length = int64_t(4000) << 32;
        const std::vector<int> back = LeftValues(b, 20000);
        for (int k = 0; k < 20000; k++) {
            const int64_t u = (b.step < 0 ? -b.step : b.step) * k % (2 * length);
            ASSERT_EQ(back[size_t(k)], expected(u < length ? u : 2 * length - u))
                << "rate " << hz << " frame " << k;
        }
    }
}

TEST(XmOutput, GainChangesRampLinearlyOver64Frames) {
    TestSample flat(std::vector<int16_t>(100, 1024), SAMPLE_LOOP_FORWARD, 0);
    MixVoice v{};
    StartVoice(&v, &flat.sample, 0);
    SetVoiceRate(&v, 48000.0);
    SetVoiceGains(&v, 64, 0);
    const std::vector<int> r = LeftValues(v, 70);
    for (int i = 0; i < 64; i++) EXPECT_EQ(r[size_t(i)], (1024 * i) >> 4) << i; // gain i
    for (int i = 64; i < 70; i++) EXPECT_EQ(r[size_t(i)], 1024 * 64 >> 4);
    EXPECT_EQ(v.gainLeft, 64 << 16);
}

TEST(XmOutput, ForwardLoopWrapsAndPingPongTurnsAroundOnTheLastValueAsFt2Does) {
    TestSample forward({0, 100, 200, 300}, SAMPLE_LOOP_FORWARD, 2);
    MixVoice f = UnitVoice(forward.sample, 48000.0);
    EXPECT_EQ(LeftValues(f, 8), (std::vector<int>{0, 100, 200, 300, 200, 300, 200, 300}));
    // Eight steps a round: the last value is heard three times, the first once.
    TestSample bidi({0, 100, 200, 300}, SAMPLE_LOOP_PINGPONG, 0);
    MixVoice b = UnitVoice(bidi.sample, 48000.0);
    EXPECT_EQ(LeftValues(b, 10), (std::vector<int>{0, 100, 200, 300, 300, 300, 200, 100, 0, 100}));
    MixVoice slow = UnitVoice(bidi.sample, 24000.0); // half steps across the turn
    EXPECT_EQ(LeftValues(slow, 14), (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 300, 300, 300,
                                                      300, 250, 200, 150}));
}

TEST(XmOutput, UnloopedSampleEndsTheVoice) {
    TestSample once({500, 500, 500}, SAMPLE_LOOP_NONE, 0);
    MixVoice v = UnitVoice(once.sample, 48000.0);
    EXPECT_EQ(LeftValues(v, 5), (std::vector<int>{500, 500, 500, 0, 0}));
    EXPECT_FALSE(v.active);
}

TEST(XmOutput, NewNoteFadesTheOldOneOutOverTheRampInTheSecondVoice) {
    XmModule xm = TestModule();
    xm.speed = 1;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {NOTE_C4, 1, 0, 0, 0};
    TestSong song(xm);
    std::vector<int32_t> acc(2 * 960 * 2);
    ASSERT_EQ(RenderMusic(song.music.get(), acc.data(), 960), 960); // row 0
    ASSERT_EQ(RenderMusic(song.music.get(), acc.data(), 1), 1);     // row 1 starts
    const MixVoice& old = song.music->voices[0][1];
    EXPECT_TRUE(old.active);
    EXPECT_TRUE(old.fading);
    EXPECT_EQ(old.targetLeft, 0);
    ASSERT_EQ(RenderMusic(song.music.get(), acc.data(), 63), 63);
    EXPECT_FALSE(old.active);
    EXPECT_TRUE(song.music->voices[0][0].active);
}
