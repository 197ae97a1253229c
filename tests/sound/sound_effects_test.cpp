// Sound effects: the WAV chunk walk, and the effect bank over the scripted audio output.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "sound/sound_effects.h"
#include "sound/wav_chunks.h"

namespace {

void Append(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) b.push_back(uint8_t(v >> (8 * i)));
}

// A RIFF WAVE of chunks; Chunk() may declare a size other than the body's.
struct Wav {
    std::vector<uint8_t> b;
    Wav() : b(12) { std::copy_n("RIFF\0\0\0\0WAVE", 12, b.begin()); }
    Wav& Chunk(const char* id, const std::vector<uint8_t>& body, int64_t declared = -1) {
        b.insert(b.end(), id, id + 4);
        Append(b, uint32_t(declared < 0 ? int64_t(body.size()) : declared), 4);
        b.insert(b.end(), body.begin(), body.end());
        return *this;
    }
    // PCM mono, then `extra` bytes of format record.
    Wav& Format(uint32_t bits, uint32_t rate, int extra = 0, int64_t declared = -1) {
        std::vector<uint8_t> f;
        for (auto [v, n] :
             {std::pair{1u, 2}, {1u, 2}, {rate, 4}, {rate * bits / 8, 4}, {bits / 8, 2}, {bits, 2}})
            Append(f, v, n);
        f.resize(f.size() + size_t(extra));
        return Chunk("fmt ", f, declared);
    }
};

// A mono sound of the given samples.
std::vector<uint8_t> Sound(uint16_t bits, uint32_t rate, const std::vector<int>& samples) {
    std::vector<uint8_t> data;
    for (int s : samples) Append(data, uint32_t(bits == 8 ? s + 128 : s), bits / 8);
    return Wav().Format(bits, rate).Chunk("data", data).b;
}

TEST(WavChunks, TheWalkSkipsToDataCutsItAtTheEndAndRefusesWhatItCannotRead) {
    WavSound w;
    const Wav tidy = Wav()
                         .Format(8, 11025, 2)
                         .Chunk("fact", {1, 2, 3, 4})
                         .Chunk("data", {10, 20, 30})
                         .Chunk("LIST", {'I'});
    ASSERT_TRUE(ReadWavChunks(tidy.b.data(), tidy.b.size(), &w));
    EXPECT_EQ(std::tuple(w.rate, w.bitsPerSample, w.channels), std::tuple(11025u, 8, 1));
    EXPECT_EQ(std::vector<uint8_t>(w.samples, w.samples + w.bytes),
              (std::vector<uint8_t>{10, 20, 30}));
    const Wav cut = Wav().Format(16, 44100).Chunk("data", {1, 2, 3, 4}, 1000000);
    ASSERT_TRUE(ReadWavChunks(cut.b.data(), cut.b.size(), &w));
    EXPECT_EQ(w.bytes, 4u);
    // No "data", "fmt " not first, a chunk whose skip runs past the end, a format past the end.
    const Wav refused[] = {
        Wav().Format(16, 22050).Chunk("LIST", {1, 2}),
        Wav().Chunk("fact", {0, 0, 0, 0}).Format(16, 22050).Chunk("data", {1, 2}),
        Wav().Format(16, 44100).Chunk("junk", {}, 0xFFFFFFF0u).Chunk("data", {1, 2}),
        Wav().Format(16, 44100, 0, 5000),
    };
    for (const Wav& r : refused) EXPECT_FALSE(ReadWavChunks(r.b.data(), r.b.size(), &w));
    std::vector<uint8_t> notRiff = tidy.b;
    notRiff[0] = 'X';
    EXPECT_FALSE(ReadWavChunks(notRiff.data(), notRiff.size(), &w));
    EXPECT_FALSE(ReadWavChunks(nullptr, 0, &w));
}

// Frames until the slot's voice falls silent, pulling the output in steps of 64 frames.
int FramesPlayed(int slot) {
    std::vector<int16_t> out(2 * 64);
    int frames = 0;
    for (; AudioOutVoicePlaying(slot) && frames < 10 * 48000; frames += 64)
        AudioOutPull(out.data(), 64);
    return frames;
}

class SoundEffects : public ::testing::Test {
  protected:
    void SetUp() override {
        ScriptReset();
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why));
        ASSERT_NE(InitSound(), 0);
    }
    void TearDown() override {
        FreeSounds();
        PlatformShutdown();
    }
};

TEST_F(SoundEffects, SoundsPlayAtTheirLevelMixedSaturatedAtTheirOwnRateAndRestart) {
    const std::vector<uint8_t> a = Sound(8, 48000, std::vector<int>(100, 50)); // 50 x 256
    const std::vector<uint8_t> b = Sound(16, 48000, std::vector<int>(100, -3000));
    const std::vector<uint8_t> loud = Sound(16, 48000, std::vector<int>(50, 30000));
    ASSERT_NE(CatchSound(0, a.data(), a.size()), 0);
    ASSERT_NE(CatchSound(1, b.data(), b.size()), 0);
    ASSERT_NE(PlaySound(0), 0);
    std::vector<int16_t> out(2 * 10);
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(std::pair(int(out[4]), int(out[5])), std::pair(12800, 12800));
    ASSERT_NE(PlaySound(1), 0); // two slots at once are mixed
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(out[4], 12800 - 3000);
    for (int slot : {2, 3}) ASSERT_NE(CatchSound(slot, loud.data(), loud.size()), 0);
    PlaySound(2);
    PlaySound(3);
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(out[0], 32767); // saturated, not wrapped
    // Each sound plays at its own rate and restarts from its beginning.
    const std::vector<uint8_t> wav = Sound(8, 11025, std::vector<int>(11025, 20)); // 1 s
    ASSERT_NE(CatchSound(4, wav.data(), wav.size()), 0);
    ASSERT_NE(PlaySound(4), 0);
    EXPECT_NEAR(FramesPlayed(4), 48000, 64);
    SetSoundFrequency(4, 8000); // slot 4 at 8000: about 27 % slower
    EXPECT_EQ(SoundFrequency(4), 8000);
    ASSERT_NE(PlaySound(4), 0);
    EXPECT_NEAR(FramesPlayed(4), 11025 * 6, 64);
    std::vector<int> ramp;
    for (int i = 0; i < 2000; i++) ramp.push_back(i);
    const std::vector<uint8_t> r = Sound(16, 48000, ramp);
    ASSERT_NE(CatchSound(5, r.data(), r.size()), 0);
    PlaySound(5);
    std::vector<int16_t> pulled(2 * 500);
    AudioOutPull(pulled.data(), 500);
    EXPECT_EQ(pulled[2 * 499], 499);
    PlaySound(5);
    AudioOutPull(pulled.data(), 2);
    EXPECT_EQ(std::vector<int16_t>({pulled[0], pulled[2]}), std::vector<int16_t>({0, 1}));
}

TEST_F(SoundEffects, RefusedDataLeavesTheSlotAndEmptySlotsOrNoOutputDoNothing) {
    const std::vector<uint8_t> good = Sound(8, 8000, {1, 2, 3});
    ASSERT_NE(CatchSound(6, good.data(), good.size()), 0);
    std::vector<uint8_t> bad = good, stereo = good;
    bad[12] = 'x'; // no leading "fmt "
    stereo[22] = 2;
    EXPECT_EQ(CatchSound(6, bad.data(), bad.size()), 0);
    EXPECT_EQ(CatchSound(6, stereo.data(), stereo.size()), 0);
    EXPECT_EQ(SoundFrequency(6), 8000);
    EXPECT_EQ(PlaySound(7) | PlaySound(-1), 0);
    SetSoundFrequency(7, 8000); // nothing there: nothing happens
    EXPECT_EQ(SoundFrequency(7), 0);
    EXPECT_EQ(CatchSound(SOUND_MAX_SLOTS, good.data(), good.size()), 0);
    FreeSounds(); // no output open: every call does nothing
    EXPECT_EQ(CatchSound(0, good.data(), good.size()), 0);
    EXPECT_EQ(PlaySound(0), 0);
    SetSoundFrequency(0, 100);
    EXPECT_EQ(SoundFrequency(0), 0);
}

TEST_F(SoundEffects, EachEffectsVolumeStepIsTwoDecibels) {
    const std::vector<uint8_t> wav = Sound(16, 48000, std::vector<int>(100, 10000));
    ASSERT_NE(CatchSound(0, wav.data(), wav.size()), 0);
    const struct { int step, level; } cases[] = {{25, 10000}, {22, 5012}, {15, 1000}, {0, 0}};
    for (const auto& c : cases) {
        SetEffectsVolume(c.step);
        PlaySound(0);
        std::vector<int16_t> out(2 * 4);
        AudioOutPull(out.data(), 4);
        EXPECT_NEAR(out[2], c.level, 1) << c.step;
    }
    SetEffectsVolume(25);
}

} // namespace
