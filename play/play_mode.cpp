// play_mode.cpp - the play mode's procedure: entry, the paced frame loop, leaving.
//
// Called by the mode loop on the main thread when GameMode is MODE_PLAY; returns with
// GameMode set to the shop, the level end or the high scores.
#include "play/play_mode.h"

#include "core/frame.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "play/play_frame.h"

namespace {

// Publishes the visit to the state dump, every field in the record's order, and to
// ActivePlayVisit, while the mode runs; both are withdrawn however the loop ends (a scripted
// run may stop it with ProgramExit mid-visit).
class ActiveVisit {
  public:
    explicit ActiveVisit(PlayVisit& v)
        : published_("play", {{"leave", &v.leave},
                              {"walkCount", &v.walkCount},
                              {"idleCount", &v.idleCount},
                              {"stepFrame", &v.stepFrame},
                              {"bob", &v.bob},
                              {"onGround", &v.onGround},
                              {"refillCount", &v.refillCount},
                              {"waveCount", &v.waveCount},
                              {"up", &v.up},
                              {"down", &v.down},
                              {"left", &v.left},
                              {"right", &v.right},
                              {"scrollX", &v.scrollX},
                              {"scrollY", &v.scrollY}}) {
        ActivePlayVisit = &v;
    }
    ~ActiveVisit() { ActivePlayVisit = nullptr; }
    ActiveVisit(const ActiveVisit&) = delete;
    ActiveVisit& operator=(const ActiveVisit&) = delete;

  private:
    PublishedModeVisit published_;
};

} // namespace

void PlayMode() {
    PlayVisit v{};
    const ActiveVisit active(v);
    EnterPlay();
    while (!v.leave) {
        if (FrameDue()) RunPlayFrame(v);
        EndPass();
    }
    StopMusic();
}
