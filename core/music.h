// music.h - each mode's music: starting a module of the catalogue and stopping it, noted for
// the state dump so that tests see which mode started which module.
//
// Called by the modes on entry and on leaving. Main thread only.
#pragma once

#include <vector>

// Plays a module of the catalogue (Music) from its beginning.
void StartMusic(int module);
// Stops whatever music plays.
void StopMusic();

// What started and stopped since the last call, oldest first: a module number for a start,
// 0 for a stop. At most MUSIC_LOG_SIZE entries are kept between two calls.
constexpr int MUSIC_LOG_SIZE = 64;
std::vector<int> TakeMusicLog();
