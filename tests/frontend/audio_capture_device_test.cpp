// audio_capture_device_test.cpp - the SDL capture device behind the audio input: SDL's "disk"
// driver reads a known ramp of samples as if it came from a microphone; a driver that does
// not exist stands for a machine without audio input.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio_in.h"
#include "tests/testkit.h"

namespace {

constexpr int BLOCK = 256;

bool WaitForHandBack() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (AudioCaptureQueued()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class AudioCaptureDevice : public ::testing::Test {
  protected:
    void TearDown() override {
        AudioCaptureStop();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    TempDir dir;
};

TEST_F(AudioCaptureDevice, TheInputFillsTheBufferOnceWithAWholeBlockAndAgainAfterEachRequeue) {
    // One second of a ramp 0, 1, 2, ... as 16-bit little-endian mono.
    std::vector<uint8_t> ramp;
    for (int i = 0; i < AUDIO_CAPTURE_RATE; i++)
        ramp.push_back(uint8_t(i)), ramp.push_back(uint8_t(i >> 8));
    WriteFileBytes(dir.File("input.raw"), ramp);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILEIN", dir.File("input.raw").c_str(), 1);
    setenv("SDL_DISKAUDIOFILE", dir.File("output.raw").c_str(), 1);

    std::vector<int16_t> buffer(BLOCK, -1);
    ASSERT_TRUE(AudioCaptureStart(buffer.data(), 2 * BLOCK));
    ASSERT_TRUE(WaitForHandBack());
    for (int i = 0; i < BLOCK; i++) ASSERT_EQ(AudioCaptureReadSample(buffer.data(), i), i) << i;

    // While handed back the buffer keeps its block, whatever the device records meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(AudioCaptureReadSample(buffer.data(), 0), 0);
    EXPECT_FALSE(AudioCaptureQueued());

    // Queued again, it takes a later whole block of the input, from its start.
    ASSERT_TRUE(AudioCaptureRequeue());
    ASSERT_TRUE(WaitForHandBack());
    const int16_t first = AudioCaptureReadSample(buffer.data(), 0);
    EXPECT_GE(first, BLOCK);
    for (int i = 0; i < BLOCK; i++)
        ASSERT_EQ(AudioCaptureReadSample(buffer.data(), i), int16_t(first + i)) << i;
}

TEST_F(AudioCaptureDevice, WithoutAnInputTheBufferKeepsItsZerosAndNothingIsQueued) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::vector<int16_t> buffer(BLOCK, 0);
    EXPECT_FALSE(AudioCaptureStart(buffer.data(), 2 * BLOCK));
    EXPECT_FALSE(AudioCaptureQueued());
    EXPECT_FALSE(AudioCaptureRequeue());
    const int16_t loud[4] = {32767, 32767, 32767, 32767};
    EXPECT_EQ(AudioCaptureFeed(loud, 4), 0) << "only the scripted backend's stand-in takes samples";
    for (int16_t s : buffer) ASSERT_EQ(s, 0);
}

} // namespace
