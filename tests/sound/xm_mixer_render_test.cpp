// Exact samples: output conversion, gain ramps, interpolation, loops, sample ends, note fades.
#include "tests/sound/xm_test_song.h"

#include <algorithm>
#include <climits>

// A module whose one sample holds these 16-bit values, loaded (guards after them included).
static ModulePtr SampleModule(std::vector<int16_t> values, uint8_t loopType, uint32_t loopStart) {
    XmModule xm = TestModule();
    XmSample& s = xm.instruments[0].samples[0];
    s.sixteenBit = true;
    s.loopType = loopType;
    s.loopStart = loopStart;
    s.loopLength = uint32_t(values.size()) - loopStart;
    s.data = std::move(values);
    return LoadTestModule(xm);
}

// The left values of a voice at unit gain (the accumulator shows sample values) at a rate.
static std::vector<int> LeftValues(const ModulePtr& m, double hz, int frames,
                                   MixVoice* out = nullptr) {
    MixVoice v{};
    StartVoice(&v, &m->instruments[0].samples[0], 0);
    SetVoiceRate(&v, hz);
    v.gainLeft = v.targetLeft = (1 << MIX_GAIN_SHIFT) << 16;
    std::vector<int32_t> acc(size_t(2 * frames), 0);
    MixVoiceFrames(&v, acc.data(), frames);
    if (out) *out = v;
    std::vector<int> left;
    for (int i = 0; i < frames; i++) left.push_back(acc[size_t(2 * i)]);
    return left;
}

// |v| / 8160 rounded half up, clamped, times master / 32768; edges in vector path and tail.
TEST(XmOutput, ConversionFollowsTheRuleForEveryValueAndMasterAndAveragesEachSide) {
    const std::vector<int32_t> edges = {
        4079,    4080,    -4080, -12240, 32767 * 8160 + 4079, 32767 * 8160 + 4080,
        INT_MAX, INT_MIN, 0,     816000};
    std::vector<int32_t> acc = edges;
    uint32_t x = 12345;
    while (acc.size() < 2 * 1016) {
        x = x * 1664525u + 1013904223u;
        acc.push_back(int32_t(x) >> (x % 7 * 4)); // small and large magnitudes
    }
    acc.insert(acc.end(), edges.begin(), edges.end());
    const int frames = int(acc.size() / 2);
    for (int32_t master : {32768, 8231, 1}) {
        std::vector<int16_t> out(acc.size());
        int32_t left = 0, right = 0;
        ConvertAccumulator(acc.data(), frames, master, out.data(), &left, &right);
        for (size_t at : {size_t(0), acc.size() - 10}) { // the edges, exactly
            if (master != 32768) break;
            EXPECT_EQ(std::vector<int>(out.begin() + long(at), out.begin() + long(at) + 10),
                      (std::vector<int>{0, 1, -1, -2, 32767, 32767, 32767, -32767, 0, 100}));
        }
        int64_t sum[2] = {0, 0};
        for (size_t i = 0; i < acc.size(); i++) {
            const int64_t v = acc[i];
            int64_t q = ((v < 0 ? -v : v) * 2 + 8160) / 16320;
            q = std::min<int64_t>(q, 32767) * master / 32768;
            ASSERT_EQ(out[i], v < 0 ? -q : q) << "value " << v << " master " << master;
            sum[i & 1] += q;
        }
        EXPECT_EQ(left, sum[0] / frames);
        EXPECT_EQ(right, sum[1] / frames);
    }
}

TEST(XmOutput, GainChangesRampOver64FramesAndANewNoteFadesTheOldOneOut) {
    const ModulePtr flat = SampleModule(std::vector<int16_t>(100, 1024), XM_LOOP_FORWARD, 0);
    MixVoice v{};
    StartVoice(&v, &flat->instruments[0].samples[0], 0);
    SetVoiceRate(&v, 48000.0);
    SetVoiceGains(&v, 64, 0);
    std::vector<int32_t> acc(2 * 70, 0);
    MixVoiceFrames(&v, acc.data(), 70);
    for (int i = 0; i < 70; i++)
        EXPECT_EQ(acc[size_t(2 * i)], (1024 * std::min(i, 64)) >> MIX_GAIN_SHIFT) << i;
    EXPECT_EQ(v.gainLeft, 64 << 16);
    // A new note fades the old one out over the ramp in the channel's second voice.
    XmModule xm = Song({"C-4 01 .. ...", "C-4 01 .. ..."});
    xm.speed = 1;
    TestSong song(xm);
    std::vector<int32_t> mix(2 * 960 * 2);
    ASSERT_EQ(RenderMusic(song.music.get(), mix.data(), 961), 961); // row 0, and row 1 starts
    const MixVoice& old = song.music->voices[0][1];
    EXPECT_TRUE(old.active && old.fading && old.targetLeft == 0);
    ASSERT_EQ(RenderMusic(song.music.get(), mix.data(), 63), 63);
    EXPECT_TRUE(!old.active && song.music->voices[0][0].active);
}

// A ping-pong loop of L values comes round in 2L steps; its last value is heard three times.
TEST(XmOutput, LoopsWrapAndPingPongTurnsOnTheLastValueAndUnloopedSamplesEnd) {
    const ModulePtr forward = SampleModule({0, 100, 200, 300}, XM_LOOP_FORWARD, 2);
    EXPECT_EQ(LeftValues(forward, 48000.0, 8),
              (std::vector<int>{0, 100, 200, 300, 200, 300, 200, 300}));
    const ModulePtr bidi = SampleModule({0, 100, 200, 300}, XM_LOOP_PINGPONG, 0);
    EXPECT_EQ(LeftValues(bidi, 48000.0, 10),
              (std::vector<int>{0, 100, 200, 300, 300, 300, 200, 100, 0, 100}));
    EXPECT_EQ(
        LeftValues(bidi, 24000.0, 14), // half steps across the turn
        (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 300, 300, 300, 300, 250, 200, 150}));
    const ModulePtr once = SampleModule({500, 500, 500}, XM_LOOP_NONE, 0);
    MixVoice v;
    EXPECT_EQ(LeftValues(once, 48000.0, 5, &v), (std::vector<int>{500, 500, 500, 0, 0}));
    EXPECT_FALSE(v.active);
}

// Long spans (the eight-frame paths) on a straight line: each value follows from its position.
TEST(XmOutput, LongSpansInterpolateExactlyAtAnyStepForwardAndBackward) {
    std::vector<int16_t> line;
    for (int i = 0; i < 4000; i++) line.push_back(int16_t(8 * i - 16000));
    auto expected = [](int64_t pos) {
        const int64_t i = pos >> 32;
        const int a = int(8 * std::min<int64_t>(i, 3999) - 16000);
        const int b = int(8 * std::min<int64_t>(i + 1, 3999) - 16000);
        return a + (((b - a) * int(uint32_t(pos) >> 17)) >> 15);
    };
    const ModulePtr once = SampleModule(line, XM_LOOP_NONE, 0),
                    bidi = SampleModule(line, XM_LOOP_PINGPONG, 0);
    const int64_t length = int64_t(4000) << 32;
    for (double hz : {7000.0, 33333.3, 95000.0, 190000.0}) {
        MixVoice v;
        const int frames = int(3990.0 * 48000.0 / hz) - 1;
        const std::vector<int> r = LeftValues(once, hz, frames, &v);
        const int64_t step = v.step;
        for (int k = 0; k < frames; k++)
            ASSERT_EQ(r[size_t(k)], expected(step * k)) << "rate " << hz << " frame " << k;
        const std::vector<int> back = LeftValues(bidi, hz, 20000);
        for (int k = 0; k < 20000; k++) {
            const int64_t u = step * k % (2 * length);
            ASSERT_EQ(back[size_t(k)], expected(u < length ? u : 2 * length - u))
                << "rate " << hz << " frame " << k;
        }
    }
}

// Loops of 1 to 3 values at any step fold as long ones: frame k plays k x step modulo the loop.
TEST(XmOutput, ShortLoopsFoldEveryFrameAtAnyStep) {
    for (uint8_t type : {XM_LOOP_FORWARD, XM_LOOP_PINGPONG})
        for (int len : {1, 2, 3}) {
            std::vector<int16_t> values;
            for (int i = 0; i < len; i++) values.push_back(int16_t(1000 * (i + 1)));
            const ModulePtr m = SampleModule(values, type, 0);
            const bool bidi = m->instruments[0].samples[0].loopType == SAMPLE_LOOP_PINGPONG;
            const int64_t length = int64_t(len) << 32, period = bidi ? 2 * length : length;
            auto at = [&](int64_t i) { return values[size_t(i < len ? i : bidi ? len - 1 : 0)]; };
            for (double hz : {3000.0, 24000.0, 65760.0, 1934400.0}) {
                MixVoice v;
                const std::vector<int> r = LeftValues(m, hz, 300, &v);
                const int64_t step = std::llabs(v.step);
                auto fold = [&](int k) {
                    const int64_t u = int64_t((static_cast<unsigned __int128>(step) * unsigned(k)) %
                                              uint64_t(period));
                    return u < length ? u : period - u;
                };
                for (int k = 0; k < 300; k++) {
                    const int64_t pos = fold(k), i = pos >> 32;
                    const int a = at(i), b = at(i + 1);
                    ASSERT_EQ(r[size_t(k)], a + (((b - a) * int(uint32_t(pos) >> 17)) >> 15))
                        << len << " values, type " << int(type) << ", rate " << hz << ", frame "
                        << k;
                }
                EXPECT_EQ(v.position, fold(300));
                v.gainLeft = v.targetLeft = 0; // silent from mid-loop on
                std::vector<int32_t> acc(600, 0);
                MixVoiceFrames(&v, acc.data(), 300);
                EXPECT_EQ(v.position, fold(600)) << len << " values, rate " << hz;
            }
        }
}

// Full scale hard left: 21 channels sum exactly; more saturate instead of wrapping.
TEST(XmOutput, FullScaleChannelsSumWithoutWrappingAtAnyChannelCount) {
    for (int channels : {21, 40, 64}) {
        XmModule xm = TestModule(channels, 1);
        xm.instruments[0].samples[0].data.assign(256, 32767);
        xm.instruments[0].samples[0].sixteenBit = true;
        for (int c = 0; c < channels; c++)
            xm.patterns[0].At(0, c, channels) = ParseCell("C-4 01 50 800");
        TestSong song(xm);
        std::vector<int32_t> acc(2 * 2000, 0);
        ASSERT_EQ(RenderMusic(song.music.get(), acc.data(), 2000), 2000);
        const int64_t one = (int64_t(32767) * MIX_GAIN_FULL) >> MIX_GAIN_SHIFT;
        EXPECT_EQ(acc[2 * 1500], std::min<int64_t>(one * channels, INT32_MAX)) << channels;
        EXPECT_EQ(acc[2 * 1500 + 1], 0) << channels;
    }
}
