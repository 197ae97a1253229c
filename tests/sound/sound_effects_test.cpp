// The effect bank over the scripted audio output: restart, two slots at once, own rates,
// SetSoundFrequency, replacing a slot, and silence without an output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "sound/sound_effects.h"

namespace {

std::vector<uint8_t> Wav(uint16_t bits, uint32_t rate, const std::vector<int>& samples) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                              'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
    auto u16 = [&](uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * bits / 8);
    u16(bits / 8);
    u16(bits);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    u32(uint32_t(samples.size() * bits / 8));
    for (int s : samples) {
        if (bits == 8)
            b.push_back(uint8_t(s + 128));
        else
            u16(uint16_t(int16_t(s)));
    }
    return b;
}

// Frames until the slot's voice falls silent, pulling the output in steps of 64 frames.
int FramesPlayed(int slot) {
    std::vector<int16_t> out(2 * 64);
    int frames = 0;
    while (AudioOutVoicePlaying(slot) && frames < 10 * 48000) {
        AudioOutPull(out.data(), 64);
        frames += 64;
    }
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

TEST_F(SoundEffects, EightBitUnsignedAndSixteenBitSignedSoundsPlayAtTheirLevel) {
    const std::vector<uint8_t> a = Wav(8, 48000, std::vector<int>(100, 50)); // 50 x 256
    const std::vector<uint8_t> b = Wav(16, 48000, std::vector<int>(100, -3000));
    ASSERT_NE(CatchSound(0, a.data(), a.size()), 0);
    ASSERT_NE(CatchSound(1, b.data(), b.size()), 0);
    ASSERT_NE(PlaySound(0), 0);
    std::vector<int16_t> out(2 * 10);
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(out[4], 12800);
    EXPECT_EQ(out[5], 12800);
    ASSERT_NE(PlaySound(1), 0); // two slots at once are mixed
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(out[4], 12800 - 3000);
}

TEST_F(SoundEffects, MixSaturatesInsteadOfWrapping) {
    const std::vector<uint8_t> loud = Wav(16, 48000, std::vector<int>(50, 30000));
    ASSERT_NE(CatchSound(2, loud.data(), loud.size()), 0);
    ASSERT_NE(CatchSound(3, loud.data(), loud.size()), 0);
    PlaySound(2);
    PlaySound(3);
    std::vector<int16_t> out(2 * 10);
    AudioOutPull(out.data(), 10);
    EXPECT_EQ(out[0], 32767);
}

TEST_F(SoundEffects, EachSoundPlaysAtItsOwnRateAndSlotFourSetTo8000PlaysSlower) {
    const std::vector<uint8_t> wav = Wav(8, 11025, std::vector<int>(11025, 20)); // 1 s
    ASSERT_NE(CatchSound(4, wav.data(), wav.size()), 0);
    ASSERT_NE(PlaySound(4), 0);
    const int own = FramesPlayed(4);
    EXPECT_NEAR(own, 48000, 64);
    SetSoundFrequency(4, 8000);
    EXPECT_EQ(SoundFrequency(4), 8000);
    ASSERT_NE(PlaySound(4), 0);
    const int slower = FramesPlayed(4);
    EXPECT_NEAR(slower, 11025 * 6, 64); // 11025 samples at 8000 a second: 1.378 s
    EXPECT_NEAR(double(own) / slower, 8000.0 / 11025.0, 0.01); // about 27 % slower
}

TEST_F(SoundEffects, PlayingAgainRestartsFromTheBeginning) {
    std::vector<int> ramp;
    for (int i = 0; i < 2000; i++) ramp.push_back(i);
    const std::vector<uint8_t> wav = Wav(16, 48000, ramp);
    ASSERT_NE(CatchSound(5, wav.data(), wav.size()), 0);
    PlaySound(5);
    std::vector<int16_t> out(2 * 500);
    AudioOutPull(out.data(), 500);
    EXPECT_EQ(out[2 * 499], 499);
    PlaySound(5);
    AudioOutPull(out.data(), 2);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 1);
}

TEST_F(SoundEffects, RefusedDataLeavesTheSlotAndEmptySlotsDoNothing) {
    const std::vector<uint8_t> good = Wav(8, 8000, {1, 2, 3});
    ASSERT_NE(CatchSound(6, good.data(), good.size()), 0);
    std::vector<uint8_t> bad = good;
    bad[12] = 'x'; // no leading "fmt "
    EXPECT_EQ(CatchSound(6, bad.data(), bad.size()), 0);
    EXPECT_EQ(SoundFrequency(6), 8000);
    const std::vector<uint8_t> stereo = [&] {
        std::vector<uint8_t> s = good;
        s[22] = 2;
        return s;
    }();
    EXPECT_EQ(CatchSound(6, stereo.data(), stereo.size()), 0);
    EXPECT_EQ(PlaySound(7), 0);
    EXPECT_EQ(PlaySound(-1), 0);
    SetSoundFrequency(7, 8000); // nothing there: nothing happens
    EXPECT_EQ(SoundFrequency(7), 0);
    EXPECT_EQ(CatchSound(SOUND_MAX_SLOTS, good.data(), good.size()), 0);
}

TEST(SoundEffectsWithoutOutput, EveryCallDoesNothingWhenNoOutputOpened) {
    FreeSounds(); // no output open
    const std::vector<uint8_t> good = Wav(8, 8000, {1, 2, 3});
    EXPECT_EQ(CatchSound(0, good.data(), good.size()), 0);
    EXPECT_EQ(PlaySound(0), 0);
    SetSoundFrequency(0, 100);
    EXPECT_EQ(SoundFrequency(0), 0);
}

} // namespace
