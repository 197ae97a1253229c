// front_end_effects_test.cpp - the equalizer's levels and peaks, the copper bars, and the audio
// input's queue-and-hand-back cycle (samples fed in place of a capture device).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/catalogue.h"
#include "frontend/audio_input.h"
#include "frontend/copper_bars.h"
#include "frontend/equalizer.h"
#include "platform/audio_in.h"
#include "platform/platform.h"
#include "render/display.h"
#include "render/draw.h"
#include "tests/testkit.h"

namespace {

// Arithmetic only: drawing off, samples fed in place of a capture device.
class FrontEndEffects : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
        StartAudioInput();
    }
    static void TearDownTestSuite() { PlatformShutdown(); }
    void SetUp() override {
        RenderEnabled = false;
        for (int32_t& p : AudioInput.peak) p = 0;
        for (int j = 0; j < COPPER_BARS; j++) BarPhase[j] = 10 * j + 9, BarColourRow[j] = 12 * j;
        CopperBarStep = 0;
    }
    void TearDown() override { RenderEnabled = true; }
};

TEST_F(FrontEndEffects, LevelsStepBy51PerStepOf456ShowAs153AboveTheCeilingAndPeaksFallByFour) {
    const int16_t samples[] = {0, 455, -455, 456, -911, 32767, -32768};
    const int32_t levels[] = {0, 0, 0, 51, -51, 3635, -3635}; // truncated, then scaled
    for (int i = 0; i < 7; i++) EXPECT_EQ(EqualizerLevel(samples[i]), levels[i]) << samples[i];
    EXPECT_EQ(UpdateEqualizerColumn(0, 32767), 153);
    EXPECT_EQ(UpdateEqualizerColumn(1, 1368), 154); // 153.6: exactly the ceiling stays
    EXPECT_EQ(UpdateEqualizerColumn(2, 1824), 153); // 204.8
    EXPECT_EQ(UpdateEqualizerColumn(3, -32768), -4) << "the falling peak is larger";
    // A peak of 150 falls by four a frame and rests at 0 after 38 frames.
    AudioInput.peak[3] = 150;
    std::vector<int32_t> shown;
    for (int frame = 1; frame <= 40; frame++) shown.push_back(UpdateEqualizerColumn(3, 0));
    EXPECT_EQ(shown[0], 146);
    EXPECT_EQ(shown[36], 2);
    EXPECT_EQ(shown[37] + shown[38] + shown[39], 0);
    EXPECT_EQ(UpdateEqualizerColumn(3, 456 * 2), 102); // louder lifts the column at once
    EXPECT_EQ(UpdateEqualizerColumn(3, 456), 98);      // quieter leaves the held peak
}

TEST_F(FrontEndEffects, EveryCopperBarAdvancesOneColourRowEveryThreeFramesTakingTurns) {
    BarColourRow[10] = 599;
    DrawCopperBars(); // the frame's third, sixth and ninth bar updates move bars 2, 5 and 8
    for (int j = 0; j < 10; j++) EXPECT_EQ(BarColourRow[j], 12 * j + (j % 3 == 2)) << j;
    EXPECT_EQ(BarPhase[4], 51);
    for (int frame = 1; frame < 180; frame++) DrawCopperBars();
    for (int j = 0; j < 10; j++) EXPECT_EQ(BarColourRow[j], 12 * j + 60) << j;
    EXPECT_EQ(BarColourRow[10], 2 + 59) << "past row 599 the rows wrap to row 2";
    EXPECT_EQ(BarPhase[4], 49) << "a whole swing takes 180 frames";
}

TEST_F(FrontEndEffects, TheInputFillsTheBufferOnceAfterEachHandBackAndTheEqualizerReadsIt) {
    RequeueAudioInput();
    const std::vector<int16_t> zeros(AUDIO_INPUT_SAMPLES, 0); // finish any half-filled block
    AudioCaptureFeed(zeros.data(), AUDIO_INPUT_SAMPLES);
    std::vector<int16_t> a(AUDIO_INPUT_SAMPLES, 32767), b(AUDIO_INPUT_SAMPLES, -5);
    a[0] = 456 * 2, a[64] = 1368, a[128] = 0, a[192] = 456 * 3 + 455; // the equalizer's four
    RequeueAudioInput();
    EXPECT_EQ(AudioCaptureFeed(a.data(), 100), 100);
    RequeueAudioInput(); // refused while the buffer is being filled: the fill goes on
    EXPECT_EQ(AudioCaptureFeed(a.data() + 100, 200), 156); // only what fits
    EXPECT_FALSE(AudioCaptureQueued());
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), 0) << "handed back: kept";
    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) ASSERT_EQ(AudioInputSample(i), a[i]) << i;
    const float spin = EqualizerSpin;
    DrawEqualizer();
    EXPECT_FLOAT_EQ(EqualizerSpin, spin + 0.5f);
    EXPECT_EQ(std::vector<int32_t>(AudioInput.peak, AudioInput.peak + 4),
              (std::vector<int32_t>{102, 154, 0, 154}));
    RequeueAudioInput();
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), AUDIO_INPUT_SAMPLES);
    EXPECT_EQ(AudioInputSample(255), -5);
}

} // namespace

// The area a menu frame names for the equalizer holds every pixel the columns draw, and
// little more where they stand as tall as they may.
TEST(EqualizerArea, HoldsEveryPixelTheColumnsDrawAtAnyTurn) {
    ASSERT_TRUE(OpenTestDisplay());
    const struct {
        int32_t peak;
        float spin;
    } cases[] = {{158, 0}, {158, 37}, {158, 100}, {158, 215}, {-40, 300}, {400, 60}, {0, 120}};
    for (const auto& c : cases) {
        if (c.peak == 0) { // the last: a loud input lifts the columns from nothing at once
            StartAudioInput();
            RequeueAudioInput();
            const std::vector<int16_t> loud(AUDIO_INPUT_SAMPLES, 32767);
            ASSERT_EQ(AudioCaptureFeed(loud.data(), AUDIO_INPUT_SAMPLES), AUDIO_INPUT_SAMPLES);
        }
        for (int32_t& p : AudioInput.peak) p = c.peak;
        EqualizerSpin = c.spin;
        const FrameArea area = EqualizerArea(50);
        ClearDisplay();
        Begin3D(800, 600, 120, 50);
        ResetTransform();
        DrawEqualizer();
        const Picture picture = ReadBackBuffer();
        FlipDisplay();
        int left = 800, right = -1, top = 600, bottom = -1;
        for (int y = 0; y < 600; y++)
            for (int x = 0; x < 800; x++)
                if (picture.At(x, y) != 0)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        ASSERT_GE(right, 0) << c.spin;
        EXPECT_TRUE(left >= area.x && right < area.x + area.width && top >= area.y &&
                    bottom < area.y + area.height)
            << c.spin << ": drawn " << left << ".." << right << ", " << top << ".." << bottom
            << "; area " << area.x << ", " << area.y << ", " << area.width << " x " << area.height;
        if (c.peak == 158) {
            EXPECT_TRUE(area.x > left - 12 && area.x + area.width < right + 12 &&
                        area.y > top - 12 && area.y + area.height < bottom + 12)
                << c.spin;
        }
    }
    CloseTestDisplay();
}
