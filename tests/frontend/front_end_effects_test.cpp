// front_end_effects_test.cpp - the equalizer's level maths and peaks, the copper bars' swing
// and colour rows, and the audio input's queue-and-hand-back cycle (with samples fed in place
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

// The effects' own arithmetic needs no picture: drawing is switched off.
class FrontEndEffects : public ::testing::Test {
  protected:
    void SetUp() override {
        RenderEnabled = false;
        AudioInput.levelScale = 51.2f;
        AudioInput.levelCeiling = 154;
        for (int32_t& p : AudioInput.peak) p = 0;
    }
    void TearDown() override { RenderEnabled = true; }
};

// ================================================================ equalizer
TEST_F(FrontEndEffects, QuietSamplesGiveLevelZeroAndEachStepOf456GivesAbout51) {
    for (int s : {0, 1, -1, 455, -455}) EXPECT_EQ(EqualizerLevel(int16_t(s)), 0) << s;
    EXPECT_EQ(EqualizerLevel(456), 51);     // 51.2
    EXPECT_EQ(EqualizerLevel(-456), -51);   // truncation towards zero, then the scale
    EXPECT_EQ(EqualizerLevel(911), 51);     // 911 / 456 is still 1
    EXPECT_EQ(EqualizerLevel(1368), 154);   // 153.6
    EXPECT_EQ(EqualizerLevel(32767), 3635); // 71 x 51.2 = 3635.2
    EXPECT_EQ(EqualizerLevel(-32768), -3635);
}

TEST_F(FrontEndEffects, ALevelAboveTheCeilingShowsAs153WhileExactly154Stays) {
    EXPECT_EQ(UpdateEqualizerColumn(0, 32767), 153);
    EXPECT_EQ(UpdateEqualizerColumn(1, 1368), 154);
    EXPECT_EQ(UpdateEqualizerColumn(2, 1824), 153); // 4 x 51.2 = 204.8 -> 205 -> 153
    EXPECT_EQ(AudioInput.peak[0], 153);
    EXPECT_EQ(AudioInput.peak[1], 154);
}

TEST_F(FrontEndEffects, APeakOf150FallsByFourAFrameAndRestsAtZeroAfter38Frames) {
    AudioInput.peak[3] = 150;
    std::vector<int32_t> shown;
    for (int frame = 1; frame <= 45; frame++) shown.push_back(UpdateEqualizerColumn(3, 0));
    EXPECT_EQ(shown[0], 146);
    EXPECT_EQ(shown[1], 142);
    EXPECT_EQ(shown[36], 2); // frame 37
    EXPECT_EQ(shown[37], 0); // frame 38
    for (size_t i = 37; i < shown.size(); i++) EXPECT_EQ(shown[i], 0) << "frame " << i + 1;
    // A louder sample lifts the column at once; a quieter one leaves the held peak.
    EXPECT_EQ(UpdateEqualizerColumn(3, 456 * 2), 102);
    EXPECT_EQ(UpdateEqualizerColumn(3, 456), 98);
}

TEST_F(FrontEndEffects, ANegativeLevelNeverRaisesTheHeldPeak) {
    AudioInput.peak[0] = 0;
    EXPECT_EQ(UpdateEqualizerColumn(0, -32768), -4); // the peak, falling, is larger
    AudioInput.peak[0] = -5000;
    EXPECT_EQ(UpdateEqualizerColumn(0, -32768), -3635);
}

// ================================================================ copper bars
class CopperBars : public FrontEndEffects {
  protected:
    void SetUp() override {
        FrontEndEffects::SetUp();
        for (int j = 0; j < COPPER_BARS; j++) BarPhase[j] = 10 * j + 9, BarColourRow[j] = 12 * j;
        CopperBarStep = 0;
    }
};

TEST_F(CopperBars, EveryBarAdvancesOneColourRowEveryThreeFramesTakingTurns) {
    DrawCopperBars();
    // The first frame's third, sixth and ninth bar updates move bars 2, 5 and 8.
    for (int j = 0; j < COPPER_BARS; j++) {
        const bool moved = j == 2 || j == 5 || j == 8;
        EXPECT_EQ(BarColourRow[j], 12 * j + (moved ? 1 : 0)) << "bar " << j;
        EXPECT_EQ(BarPhase[j], 10 * j + 11) << "bar " << j;
    }
    EXPECT_EQ(CopperBarStep, 2); // bars 9 and 10 counted towards the next step
    DrawCopperBars();
    DrawCopperBars();
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_EQ(BarColourRow[j], 12 * j + 1) << "bar " << j;
    for (int frame = 3; frame < 300; frame++) DrawCopperBars();
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_EQ(BarColourRow[j], 12 * j + 100) << "bar " << j;
}

TEST_F(CopperBars, PhasesWrapWithinAWholeTurnAndComeBackAfter180Frames) {
    for (int frame = 1; frame <= 180; frame++) {
        DrawCopperBars();
        for (int j = 0; j < COPPER_BARS; j++) ASSERT_TRUE(BarPhase[j] >= 0 && BarPhase[j] <= 359);
    }
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_EQ(BarPhase[j], 10 * j + 9) << "bar " << j;
}

TEST_F(CopperBars, ColourRowsPastTheLastWrapToRowTwoAndStayWithinTwoTo599) {
    BarColourRow[2] = 599; // bar 2 moves in the first frame
    DrawCopperBars();
    EXPECT_EQ(BarColourRow[2], 2);
    for (int frame = 0; frame < 3 * 1200; frame++) {
        DrawCopperBars();
        for (int j = 0; j < COPPER_BARS; j++)
            ASSERT_TRUE(BarColourRow[j] >= 0 && BarColourRow[j] <= 599) << BarColourRow[j];
    }
    for (int j = 0; j < COPPER_BARS; j++) EXPECT_GE(BarColourRow[j], 2) << "bar " << j;
}

TEST_F(CopperBars, TheStepCounterCarriesOnAcrossFramesUntilAVisitResetsIt) {
    DrawCopperBars();  // 11 updates: step ends at 2
    CopperBarStep = 0; // a new visit
    DrawCopperBars();
    // From 0 again the frame moves bars 2, 5 and 8 a second time, not 0, 3, 6 and 9.
    EXPECT_EQ(BarColourRow[2], 26);
    EXPECT_EQ(BarColourRow[0], 0);
    EXPECT_EQ(BarColourRow[3], 36);
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
        std::vector<int16_t> zeros(AUDIO_INPUT_SAMPLES, 0);
        AudioCaptureFeed(zeros.data(), AUDIO_INPUT_SAMPLES);
        ASSERT_FALSE(AudioCaptureQueued());
    }
    static std::vector<int16_t> Block(int16_t first) {
        std::vector<int16_t> b(AUDIO_INPUT_SAMPLES);
        for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) b[i] = int16_t(first + i);
        return b;
    }
};

TEST_F(AudioInputCycle, StartUpSetsTheLevelScaleAndCeiling) {
    EXPECT_FLOAT_EQ(AudioInput.levelScale, 51.2f);
    EXPECT_EQ(AudioInput.levelCeiling, 154);
}

TEST_F(AudioInputCycle, TheDeviceFillsTheBufferOnceAfterEachHandBack) {
    RequeueAudioInput();
    ASSERT_TRUE(AudioCaptureQueued());
    const std::vector<int16_t> a = Block(1000), b = Block(5000);
    EXPECT_EQ(AudioCaptureFeed(a.data(), 100), 100);
    EXPECT_TRUE(AudioCaptureQueued()) << "a part-filled buffer stays with the device";
    EXPECT_EQ(AudioCaptureFeed(a.data() + 100, 200), 156); // only what fits
    EXPECT_FALSE(AudioCaptureQueued());
    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) ASSERT_EQ(AudioInputSample(i), a[i]) << i;

    // Handed back: later input is not recorded until the menu queues the buffer again.
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), 0);
    EXPECT_EQ(AudioInputSample(0), 1000);
    RequeueAudioInput();
    EXPECT_EQ(AudioCaptureFeed(b.data(), AUDIO_INPUT_SAMPLES), AUDIO_INPUT_SAMPLES);
    EXPECT_EQ(AudioInputSample(0), 5000);
    EXPECT_EQ(AudioInputSample(255), 5255);
}

TEST_F(AudioInputCycle, RequeueingWhileTheBufferIsStillBeingFilledChangesNothing) {
    RequeueAudioInput();
    const int16_t* before = AudioInput.samples;
    const std::vector<int16_t> a = Block(-300);
    AudioCaptureFeed(a.data(), 10);
    RequeueAudioInput(); // refused: the fill goes on where it was
    RequeueAudioInput();
    EXPECT_EQ(AudioInput.samples, before);
    AudioCaptureFeed(a.data() + 10, AUDIO_INPUT_SAMPLES - 10);
    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) ASSERT_EQ(AudioInputSample(i), a[i]) << i;
}

TEST_F(AudioInputCycle, TheEqualizerReadsSamplesZero64_128And192AndTurnsHalfADegree) {
    RequeueAudioInput();
    std::vector<int16_t> block(AUDIO_INPUT_SAMPLES, 32767); // loud everywhere else
    block[0] = 456 * 2;                                     // 102
    block[64] = 1368;                                       // 154
    block[128] = 0;                                         // 0
    block[192] = 456 * 3 + 455;                             // still 3 steps: 154
    AudioCaptureFeed(block.data(), AUDIO_INPUT_SAMPLES);
    const float spin = EqualizerSpin;
    DrawEqualizer();
    EXPECT_FLOAT_EQ(EqualizerSpin, spin + 0.5f);
    EXPECT_EQ(AudioInput.peak[0], 102);
    EXPECT_EQ(AudioInput.peak[1], 154);
    EXPECT_EQ(AudioInput.peak[2], 0);
    EXPECT_EQ(AudioInput.peak[3], 154);
}

} // namespace
