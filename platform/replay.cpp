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
    // Playback: each key's events in order, and the next one of each to reach. Keys are
    // followed apart: the order in which one frame asks for different keys may differ
    // between compilers (the arguments of one call), the order of one key's queries not.
    std::vector<uint32_t> byKey[256];
    size_t next[256] = {};
    uint32_t lastFrame = 0; // playback: the frame that ends it
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

// An event of a frame before `frame` that was never reached: the game has left the
// recorded road there.
void CheckStep(uint32_t frame) {
    for (int vk = 0; vk < 256; vk++) {
        if (Replay.next[vk] >= Replay.byKey[vk].size()) continue;
        const uint32_t missed = Replay.keys[Replay.byKey[vk][Replay.next[vk]]].frame;
        if (missed < frame && (Replay.outOfStep == 0 || missed < Replay.outOfStep))
            Replay.outOfStep = missed;
    }
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
    for (uint32_t i = 0; i < Replay.keys.size(); i++) Replay.byKey[Replay.keys[i].vk].push_back(i);
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
    size_t& next = Replay.next[vk];
    if (next < Replay.byKey[vk].size()) {
        const ReplayKeyEvent& e = Replay.keys[Replay.byKey[vk][next]];
        if (e.frame == frame && e.query == query) answer = e.result, next++;
    }
    return int16_t(answer);
}

void ReplayFramePresented(uint32_t frame) {
    if (Replay.role != REPLAY_PLAYING) return;
    // At the end every event must have been reached.
    CheckStep(frame < Replay.lastFrame ? frame + 1 : UINT32_MAX);
    if (frame >= Replay.lastFrame) throw ProgramExit{0};
}
