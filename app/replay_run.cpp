// replay_run.cpp - recording the run and playing a replay back (see replay_run.h).
#include "app/replay_run.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/data_dir.h"
#include "packaging/install_dirs.h"
#include "platform/platform.h"
#include "platform/replay.h"
#include "platform/replay_file.h"

namespace {

const char* const MAP_FILE = "startmap.map";
const char* const LAST_REPLAY = "last.replay";

struct ReplayRunState {
    bool playing = false;
    std::string playFile;     // as given, for messages
    std::string recordFile;   // absolute; "" for none
    bool keepLast = false;    // write last.replay into the data folder
    bool started = false;     // start-up took its seed: there is a run to write
    ReplayRecording recorded; // the header of this run's recording
    ReplayRecording played;   // the replay being played
};
ReplayRunState Run;

// The hash of the working directory's startmap.map; false when there is no such file.
bool HashMap(uint64_t* hash) {
    struct stat st;
    if (stat(MAP_FILE, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(MAP_FILE, std::ios::binary);
    if (!in) return false;
    *hash = REPLAY_HASH_START;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        *hash = ReplayHash(reinterpret_cast<const uint8_t*>(buffer), size_t(in.gcount()), *hash);
    return true;
}

// Writes the recording so far; false with the reason.
bool WriteRecording(const std::string& dir, const std::string& name, std::string* why) {
    ReplayRecording r = Run.recorded;
    r.keys = ReplayRecordedKeys();
    r.lastFrame = PlatformFrameCount();
    const std::string text = FormatReplay(r);
    return WriteFileAtomically(dir, name.c_str(), reinterpret_cast<const uint8_t*>(text.data()),
                               text.size(), why);
}

// False when the --record file could not be written.
bool WriteRecordings() {
    if (!Run.started || Run.playing) return true;
    std::string why;
    bool written = true;
    if (!Run.recordFile.empty()) {
        const std::filesystem::path path(Run.recordFile);
        written = WriteRecording(path.parent_path().string(), path.filename().string(), &why);
        if (!written) std::fprintf(stderr, "morvexa: %s\n", why.c_str());
    }
    if (Run.keepLast && !DataDirIsTemporary() && !WriteRecording(".", LAST_REPLAY, &why))
        std::fprintf(stderr, "morvexa: %s\n", why.c_str());
    return written;
}

} // namespace

bool BeginReplayRun(const std::string& replayFile, const std::string& recordFile, bool keepLast) {
    Run = ReplayRunState{};
    ReplayStop();
    if (replayFile.empty()) {
        Run.keepLast = keepLast;
        if (!recordFile.empty()) Run.recordFile = std::filesystem::absolute(recordFile).string();
        Run.recorded.gameVersion = MVX_VERSION;
        ReplayStartRecording();
        return true;
    }
    Run.playing = true;
    Run.playFile = replayFile;
    std::ifstream in(replayFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "morvexa: cannot read the replay %s\n", replayFile.c_str());
        return false;
    }
    // Read no more than the parser takes, plus a byte so that it sees a file too large.
    std::vector<uint8_t> bytes;
    char buffer[65536];
    while (bytes.size() <= REPLAY_MAX_FILE_BYTES &&
           (in.read(buffer, sizeof buffer) || in.gcount() > 0))
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    std::string error;
    if (!ParseReplay(bytes, &Run.played, &error)) {
        std::fprintf(stderr, "morvexa: %s: %s\n", replayFile.c_str(), error.c_str());
        return false;
    }
    if (Run.played.gameVersion != MVX_VERSION) {
        std::fprintf(stderr,
                     "morvexa: %s was recorded by morvexa %s, this is morvexa %s: it would not "
                     "play the same\n",
                     replayFile.c_str(), Run.played.gameVersion.c_str(), MVX_VERSION);
        return false;
    }
    ReplayStartPlayback(Run.played.keys, Run.played.lastFrame);
    return true;
}

bool ReplayMapMatches(bool evenWithoutMap) {
    if (!Run.playing) return true;
    uint64_t hash = 0;
    const bool hasMap = HashMap(&hash);
    if (!hasMap && !evenWithoutMap) return true;
    if (hasMap == Run.played.hasMap && (!hasMap || hash == Run.played.mapHash)) return true;
    std::fprintf(stderr,
                 "morvexa: %s was recorded on another startmap.map (FNV-1a 64 %s), this one is "
                 "%s\n",
                 Run.playFile.c_str(), ReplayMapText(Run.played.hasMap, Run.played.mapHash).c_str(),
                 ReplayMapText(hasMap, hash).c_str());
    return false;
}

uint32_t ReplayStartSeed(uint32_t ticks) {
    Run.started = true;
    if (Run.playing) return Run.played.seed;
    Run.recorded.seed = ticks;
    Run.recorded.hasMap = HashMap(&Run.recorded.mapHash);
    return ticks;
}

bool ReplayPlayingBack() {
    return Run.playing;
}

void ReplayGameEnded() {
    WriteRecordings();
}

int EndReplayRun(int code) {
    if (!WriteRecordings() && code == 0) code = 1;
    if (Run.playing && ReplayOutOfStepFrame() != 0) {
        std::fprintf(stderr,
                     "morvexa: the replay went out of step at frame %u: this game does not play as "
                     "the recorded one did\n",
                     unsigned(ReplayOutOfStepFrame()));
        if (code == 0) code = 1;
    }
    ReplayStop();
    Run = ReplayRunState{};
    return code;
}
