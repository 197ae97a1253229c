// music.cpp - starting and stopping each mode's module, with the log the state dump reads.
#include "core/music.h"

#include "core/catalogue.h"
#include "sound/xm_player.h"

namespace {

std::vector<int> MusicLog;

void Note(int entry) {
    if (int(MusicLog.size()) < MUSIC_LOG_SIZE) MusicLog.push_back(entry);
}

} // namespace

void StartMusic(int module) {
    PlayModule(MusicModule(module), MusicModuleLength(module), MODULE_FROM_MEMORY);
    Note(module);
}

void StopMusic() {
    PlayModule(nullptr, 0, 0);
    Note(0);
}

std::vector<int> TakeMusicLog() {
    std::vector<int> log;
    log.swap(MusicLog);
    return log;
}
