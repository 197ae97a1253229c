// audio_capture_device_test.cpp - the SDL capture device behind the audio input, fed a known
// ramp by SDL's "disk" driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/audio_in.h"
#include "tests/testkit.h"

namespace {

constexpr int BLOCK = 256;

bool WaitForHandBack() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (AudioCaptureQueued() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !AudioCaptureQueued();
}

TEST(AudioCaptureDevice, TheInputFillsTheBufferOnceWithAWholeBlockAndAgainAfterEachRequeue) {
    TempDir dir;
    std::vector<uint8_t> ramp; // one second of 0, 1, 2, ... as 16-bit little-endian mono
    for (int i = 0; i < AUDIO_CAPTURE_RATE; i++)
        ramp.push_back(uint8_t(i)), ramp.push_back(uint8_t(i >> 8));
    WriteFileBytes(dir.File("input.raw"), ramp);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILEIN", dir.File("input.raw").c_str(), 1);
    setenv("SDL_DISKAUDIOFILE", dir.File("output.raw").c_str(), 1);
    std::vector<int16_t> buffer(BLOCK, -1);
    ASSERT_TRUE(AudioCaptureStart(buffer.data(), 2 * BLOCK));
    ASSERT_TRUE(WaitForHandBack());
    std::this_thread::sleep_for(std::chrono::milliseconds(40)); // handed back, it keeps its block
    for (int i = 0; i < BLOCK; i++) ASSERT_EQ(AudioCaptureReadSample(buffer.data(), i), i) << i;
    ASSERT_TRUE(AudioCaptureRequeue()); // queued again: a later whole block, from its start
    ASSERT_TRUE(WaitForHandBack());
    const int16_t first = AudioCaptureReadSample(buffer.data(), 0);
    EXPECT_GE(first, BLOCK);
    for (int i = 0; i < BLOCK; i++)
        ASSERT_EQ(AudioCaptureReadSample(buffer.data(), i), int16_t(first + i)) << i;
    AudioCaptureStop();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace
