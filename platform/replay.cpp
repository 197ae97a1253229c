// replay.cpp - the key answers of a run, recorded and played back (see replay.h).
#include "platform/replay.h"

#include <cstddef>
#include <utility>

#include "platform/platform.h"

namespace {

enum ReplayRole { REPLAY_OFF, REPLAY_RECORDING, REPLAY_PLAYING };

struct ReplayState {
    ReplayRole role = REPLAY_OFF;
    std::vector<ReplayKeyEvent> keys; // recorded so far, or to be played
    size_t next = 0;                  // playback: the next event to reach
    uint32_t lastFrame = 0;           // playback: the frame that ends it
    uint32_t outOfStep = 0;
    uint16_t answer[256] = {};  // the answer of each key since its last change
    uint32_t queryFrame = 0;    // the frame the query counts below belong to
    uint32_t queries[256] = {}; // queries of each key in that frame so far
};
ReplayState Replay;

void BeginRole(ReplayRole role) {
    Replay = ReplayState{};
    Replay.role = role;
}

// An event that belongs to a frame before `frame` was never reached: the game has left the
// recorded road.
void CheckStep(uint32_t frame) {
    if (Replay.outOfStep == 0 && Replay.next < Replay.keys.size() &&
        Replay.keys[Replay.next].frame < frame)
        Replay.outOfStep = Replay.keys[Replay.next].frame;
}

} // namespace

void ReplayStartRecording() {
    BeginRole(REPLAY_RECORDING);
}

const std::vector<ReplayKeyEvent>& ReplayRecordedKeys() {
    return Replay.keys;
}

void ReplayStartPlayback(std::vector<ReplayKeyEvent> keys, uint32_t lastFrame) {
    BeginRole(REPLAY_PLAYING);
    Replay.keys = std::move(keys);
    Replay.lastFrame = lastFrame;
}

bool ReplayPlaying() {
    return Replay.role == REPLAY_PLAYING;
}

uint32_t ReplayOutOfStepFrame() {
    return Replay.outOfStep;
}

void ReplayStop() {
    BeginRole(REPLAY_OFF);
}

int16_t ReplayFilterKey(int vk, int16_t live) {
    if (Replay.role == REPLAY_OFF || vk < 0 || vk > 255) return live;
    const uint32_t frame = PlatformFrameCount() + 1;
    if (frame != Replay.queryFrame) {
        Replay.queryFrame = frame;
        for (uint32_t& n : Replay.queries) n = 0;
    }
    const uint32_t query = Replay.queries[vk]++;
    uint16_t& answer = Replay.answer[vk];
    if (Replay.role == REPLAY_RECORDING) {
        if (uint16_t(live) != answer)
            Replay.keys.push_back({frame, uint8_t(vk), query, uint16_t(live)});
        answer = uint16_t(live);
        return live;
    }
    CheckStep(frame);
    if (Replay.next < Replay.keys.size()) {
        const ReplayKeyEvent& e = Replay.keys[Replay.next];
        if (e.frame == frame && e.vk == vk && e.query == query) {
            answer = e.result;
            Replay.next++;
        }
    }
    return int16_t(answer);
}

void ReplayFramePresented(uint32_t frame) {
    if (Replay.role != REPLAY_PLAYING) return;
    CheckStep(frame + 1);
    if (frame < Replay.lastFrame) return;
    if (Replay.next < Replay.keys.size()) CheckStep(Replay.keys.back().frame + 1);
    throw ProgramExit{0};
}
