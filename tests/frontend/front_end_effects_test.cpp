// front_end_effects_test.cpp - the equalizer's level maths and held peaks, the copper bars'
// swing and colour rows, and the audio input's queue-and-hand-back cycle (samples fed in place
// of a capture device, as the scripted backend allows).
#include <gtest/gtest.h>

#include <vector>

#include "app/catalogue.h"
#include "frontend/audio_input.h"
#include "frontend/copper_bars.h"
#include "frontend/equalizer.h"
#include "platform/audio_in.h"
#include "platform/platform.h"
#include "render/display.h"

namespace {

// The effects' arithmetic needs no picture: drawing is switched off.
class FrontEndEffects : public ::testing::Test {
  protected:
    void SetUp() override {
        RenderEnabled = false;
        AudioInput.levelScale = 51.2f;
        AudioInput.levelCeiling = 154;
        for (int32_t& p : AudioInput.peak) p = 0;
        for (int j = 0; j < COPPER_BARS; j++) BarPhase[j] = 10 * j + 9, BarColourRow[j] = 12 * j;
        CopperBarStep = 0;
    }
    void TearDown() override { RenderEnabled = true; }
};

// ================================================================ equalizer
TEST_F(FrontEndEffects, LevelsStepBy51PerStepOf456AndAboveTheCeilingShowAs153) {
    for (int s : {0, 1, -1, 455, -455}) EXPECT_EQ(EqualizerLevel(int16_t(s)), 0) << s;
    EXPECT_EQ(EqualizerLevel(456), 51);     // 51.2
    EXPECT_EQ(EqualizerLevel(-911), -51);   // truncated towards zero, then scaled
    EXPECT_EQ(EqualizerLevel(32767), 3635); // 71 x 51.2
    EXPECT_EQ(EqualizerLevel(-32768), -3635);
    EXPECT_EQ(UpdateEqualizerColumn(0, 32767), 153);
    EXPECT_EQ(UpdateEqualizerColumn(1, 1368), 154); // 153.6: exactly the ceiling stays
    EXPECT_EQ(UpdateEqualizerColumn(2, 1824), 153); // 204.8
    EXPECT_EQ(AudioInput.peak[1], 154);
    AudioInput.peak[3] = 0;
    EXPECT_EQ(UpdateEqualizerColumn(3, -32768), -4) << "the falling peak is larger";
}

TEST_F(FrontEndEffects, APeakOf150FallsByFourAFrameAndRestsAtZeroAfter38Frames) {
    AudioInput.peak[3] = 150;
    std::vector<int32_t> shown(1, 0);
    for (int frame = 1; frame <= 45; frame++) shown.push_back(UpdateEqualizerColumn(3, 0));
    EXPECT_EQ(shown[1], 146);
    EXPECT_EQ(shown[2], 142);
    EXPECT_EQ(shown[37], 2);
    for (int frame = 38; frame <= 45; frame++) EXPECT_EQ(shown[frame], 0) << "frame " << frame;
    EXPECT_EQ(UpdateEqualizerColumn(3, 456 * 2), 102); // louder lifts the column at once
    EXPECT_EQ(UpdateEqualizerColumn(3, 456), 98);      // quieter leaves the held peak
}

// ================================================================ copper bars
TEST_F(FrontEndEffects, EveryCopperBarAdvancesOneColourRowEveryThreeFramesTakingTurns) {
    DrawCopperBars();
    // The frame's third, sixth and ninth bar updates move bars 2, 5 and 8.
    for (int j = 0; j < COPPER_BARS; j++) {
        EXPECT_EQ(BarColourRow[j], 12 * j + (j == 2 || j == 5 || j == 8)) << "bar " << j;
        EXPECT_EQ(BarPhase[j], 10 * j + 11) << "bar " << j;
    }
    DrawCopperBars();
    DrawCopperBars();
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_EQ(BarColourRow[j], 12 * j + 1) << "bar " << j;
    for (int frame = 3; frame < 180; frame++) DrawCopperBars();
    for (int j = 0; j < COPPER_BARS; j++) {
        EXPECT_EQ(BarColourRow[j], 12 * j + 60) << "bar " << j;
        EXPECT_EQ(BarPhase[j], 10 * j + 9) << "a whole swing takes 180 frames";
    }
    // One frame more leaves the step counter at 2; a new visit restarts it at 0, so the next
    // frame moves bars 2, 5 and 8 again instead of 0, 3, 6 and 9.
    DrawCopperBars();
    CopperBarStep = 0;
    DrawCopperBars();
    EXPECT_EQ(BarColourRow[2], 86);
    EXPECT_EQ(BarColourRow[0], 60);
    EXPECT_EQ(BarColourRow[3], 96);
}

TEST_F(FrontEndEffects, CopperRowsPastTheLastWrapToRowTwoAndPhasesStayInAWholeTurn) {
    BarColourRow[2] = 599; // bar 2 moves in the first frame
    DrawCopperBars();
    EXPECT_EQ(BarColourRow[2], 2);
    for (int frame = 0; frame < 3 * 1200; frame++) {
        DrawCopperBars();
        for (int j = 0; j < COPPER_BARS; j++) {
            ASSERT_TRUE(BarColourRow[j] >= 0 && BarColourRow[j] <= 599) << BarColourRow[j];
            ASSERT_TRUE(BarPhase[j] >= 0 && BarPhase[j] <= 359) << BarPhase[j];
        }
    }
    // Every bar has passed row 599 by now: rows 0 and 1 are never seen again.
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_GE(BarColourRow[j], 2) << "bar " << j;
}

// ================================================================ audio input
// The scripted backend opens no capture device; the test stands in for one by feeding the
// samples a driver would deliver.
class AudioInputCycle : public FrontEndEffects {
  protected:
    static void SetUpTestSuite() {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
        StartAudioInput();
    }
    static void TearDownTestSuite() { PlatformShutdown(); }
    void SetUp() override {
        FrontEndEffects::SetUp();
        RequeueAudioInput();
        // Finish any block left half-filled, so that each test starts with a handed-back buffer.
        const std::vector<int16_t> zeros(AUDIO_INPUT_SAMPLES, 0);
        AudioCaptureFeed(zeros.data(), AUDIO_INPUT_SAMPLES);
        ASSERT_FALSE(AudioCaptureQueued());
    }
};

TEST_F(AudioInputCycle, TheDeviceFillsTheBufferOnceAfterEachHandBackAndARequeueMidFillIsHarmless) {
    EXPECT_FLOAT_EQ(AudioInput.levelScale, 51.2f);
    EXPECT_EQ(AudioInput.levelCeiling, 154);
    std::vector<int16_t> a(AUDIO_INPUT_SAMPLES), b(AUDIO_INPUT_SAMPLES);
    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) a[i] = int16_t(1000 + i), b[i] = int16_t(-i);
    RequeueAudioInput();
    const int16_t* buffer = AudioInput.samples;
    EXPECT_EQ(AudioCaptureFeed(a.data(), 100), 100);
    RequeueAudioInput(); // refused while the buffer is being filled: the fill goes on
    EXPECT_TRUE(AudioCaptureQueued());
    EXPECT_EQ(AudioInput.samples, buffer);
    EXPECT_EQ(AudioCaptureFeed(a.data() + 100, 200), 156); // only what fits
    EXPECT_FALSE(AudioCaptureQueued());
    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) ASSERT_EQ(AudioInputSample(i), a[i]) << i;

    // Handed back, it keeps its block until the menu queues it again.
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), 0);
    EXPECT_EQ(AudioInputSample(0), 1000);
    RequeueAudioInput();
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), AUDIO_INPUT_SAMPLES);
    EXPECT_EQ(AudioInputSample(255), -255);
}

TEST_F(AudioInputCycle, TheEqualizerReadsSamplesZero64_128And192AndTurnsHalfADegree) {
    RequeueAudioInput();
    std::vector<int16_t> block(AUDIO_INPUT_SAMPLES, 32767); // loud everywhere else
    block[0] = 456 * 2;                                     // 102
    block[64] = 1368;                                       // 154
    block[128] = 0;                                         // 0
    block[192] = 456 * 3 + 455;                             // still three steps: 154
    AudioCaptureFeed(block.data(), AUDIO_INPUT_SAMPLES);
    const float spin = EqualizerSpin;
    DrawEqualizer();
    EXPECT_FLOAT_EQ(EqualizerSpin, spin + 0.5f);
    EXPECT_EQ(std::vector<int32_t>(AudioInput.peak, AudioInput.peak + 4),
              (std::vector<int32_t>{102, 154, 0, 154}));
}

} // namespace
