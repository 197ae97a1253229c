// music_threads_test.cpp - the music player's three threads under a thousand start, pause,
// switch and stop cycles on SDL's dummy driver (a race is a ThreadSanitizer report).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "assets/assets.h"
#include "platform/audio_out.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"

TEST(MusicThreads, AThousandStartPauseSwitchAndStopCyclesWhileTheAudioThreadPlays) {
    const EmbeddedAsset* songs[5];
    for (int n = 0; n < 5; n++)
        ASSERT_TRUE(songs[n] =
                        FindEmbeddedAsset(("music" + std::to_string(n + 1) + ".xm").c_str()));
    const EmbeddedAsset* click = FindEmbeddedAsset("sound09.wav");
    ASSERT_NE(InitSound(), 0) << "SDL's dummy audio driver opens an output";
    ASSERT_TRUE(click && CatchSound(9, click->data, click->size));
    auto sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };

    int started = 0, titled = 0;
    for (int i = 0; i < 1000; i++) {
        const EmbeddedAsset* s = songs[i % 5];
        started += PlayModule(s->data, int32_t(s->size), MODULE_FROM_MEMORY) != 0; // or switches
        if (i % 3 == 0) PauseModule();
        SetModuleVolume(i % MODULE_VOLUME_STEPS);
        JumpToOrder(i % 4);
        (void)GetModuleLevels(i % MODULE_RING_BLOCKS);
        (void)GetModuleRowOrder(i % MODULE_RING_BLOCKS);
        (void)GetModuleTime();
        titled += GetModuleTitle()[0] != 0;
        if (i % 3 == 0) ResumeModule();
        if (i % 7 == 0) PlaySound(9);
        if (i % 10 == 0) sleep(3); // let the mixer and the audio thread run into it
        if (i % 2) StopModule();
    }
    EXPECT_EQ(std::pair(started, titled), std::pair(1000, 1000));

    // A song still sounds: the audio thread moves through the ring, the levels show sound.
    ASSERT_EQ(PlayModule(songs[0]->data, int32_t(songs[0]->size), MODULE_FROM_MEMORY), 1);
    SetModuleVolume(25);
    const uint32_t before = AudioOutRingPosition();
    int32_t loudest = 0;
    for (int t = 0; t < 60; t++, sleep(10))
        for (int b = 0; b < MODULE_RING_BLOCKS; b++)
            loudest = std::max(loudest, GetModuleLevels(b).left + GetModuleLevels(b).right);
    EXPECT_GT(AudioOutRingPosition() - before, 4u * 4800) << "the audio thread plays the ring";
    EXPECT_GT(loudest, 0);
    EXPECT_TRUE(ModulePlaying());
    StopModule();
    EXPECT_FALSE(ModulePlaying());
    FreeSounds();
    AudioOutClose();
}
