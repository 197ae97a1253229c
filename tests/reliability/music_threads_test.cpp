// music_threads_test.cpp - the music player's three threads under load: the main thread
// starts, pauses, switches, turns and stops songs a thousand times while the mixing thread
// fills the ring and SDL's audio thread plays it and the effect voices. Built for the thread
// sanitizer run (scripts/sanitize.sh), where any unsynchronised access among the three is a
// report; in the other builds it checks that the music keeps sounding through it all.
//
// On the SDL backend without a window: SDL's dummy audio driver calls the output's callback
// on its own thread in real time, as a sound card would.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "assets/assets.h"
#include "platform/audio_out.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"

namespace {

struct Song {
    const uint8_t* data;
    int32_t size;
};

std::vector<Song> ShippedSongs() {
    std::vector<Song> songs;
    for (int n = 1; n <= 5; n++) {
        const EmbeddedAsset* a = FindEmbeddedAsset(("music" + std::to_string(n) + ".xm").c_str());
        if (a) songs.push_back({a->data, int32_t(a->size)});
    }
    return songs;
}

void RealSleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

TEST(MusicThreads, AThousandStartPauseSwitchAndStopCyclesWhileTheAudioThreadPlays) {
    const std::vector<Song> songs = ShippedSongs();
    ASSERT_EQ(songs.size(), 5u);
    ASSERT_NE(InitSound(), 0) << "SDL's dummy audio driver opens an output";
    const EmbeddedAsset* click = FindEmbeddedAsset("sound09.wav");
    ASSERT_NE(click, nullptr);
    ASSERT_NE(CatchSound(9, click->data, click->size), 0);

    int started = 0;
    uint32_t titles = 0;
    for (int i = 0; i < 1000; i++) {
        const Song& s = songs[size_t(i) % songs.size()];
        started += PlayModule(s.data, s.size, MODULE_FROM_MEMORY) != 0; // switches if one plays
        if (i % 3 == 0) PauseModule();
        SetModuleVolume(i % MODULE_VOLUME_STEPS);
        JumpToOrder(i % 4);
        (void)GetModuleLevels(i % MODULE_RING_BLOCKS);
        (void)GetModuleRowOrder(i % MODULE_RING_BLOCKS);
        (void)GetModuleTime();
        titles += GetModuleTitle()[0] != 0;
        if (i % 3 == 0) ResumeModule();
        if (i % 7 == 0) PlaySound(9);
        if (i % 10 == 0) RealSleep(3); // let the mixer and the audio thread run into it
        if (i % 2) StopModule();
    }
    EXPECT_EQ(started, 1000);
    EXPECT_EQ(titles, 1000u);

    // After all that, a song still sounds: the audio thread moves through the ring and the
    // mixer's levels show sound.
    ASSERT_EQ(PlayModule(songs[0].data, songs[0].size, MODULE_FROM_MEMORY), 1);
    SetModuleVolume(25);
    const uint32_t before = AudioOutRingPosition();
    int32_t loudest = 0;
    for (int t = 0; t < 60; t++) {
        RealSleep(10);
        for (int b = 0; b < MODULE_RING_BLOCKS; b++)
            loudest = std::max(loudest, GetModuleLevels(b).left + GetModuleLevels(b).right);
    }
    EXPECT_GT(AudioOutRingPosition() - before, 4u * 4800) << "the audio thread plays the ring";
    EXPECT_GT(loudest, 0);
    EXPECT_TRUE(ModulePlaying());
    StopModule();
    EXPECT_FALSE(ModulePlaying());
    FreeSounds();
    AudioOutClose();
}
