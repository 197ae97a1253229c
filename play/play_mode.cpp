// play_mode.cpp - the play mode's procedure: entry, the paced frame loop, leaving.
//
// Called by the mode loop on the main thread when GameMode is MODE_PLAY; returns with
// GameMode set to the shop, the level end or the high scores.
#include "play/play_mode.h"

#include "app/frame.h"
#include "app/state_dump.h"
#include "play/play_frame.h"
#include "sound/xm_player.h"

namespace {

// Publishes the visit's counters to the state dump while the mode runs and withdraws them
// however the loop ends (a scripted run may stop it with ProgramExit mid-visit).
class VisitPublication {
  public:
    explicit VisitPublication(PlayVisit& v)
        : fields_{{"leave", &v.leave},         {"walkCount", &v.walkCount},
                  {"idleCount", &v.idleCount}, {"stepFrame", &v.stepFrame},
                  {"onGround", &v.onGround},   {"refillCount", &v.refillCount},
                  {"waveCount", &v.waveCount}, {"up", &v.up},
                  {"down", &v.down},           {"left", &v.left},
                  {"right", &v.right}} {
        SetModeVisitState("play", fields_, FIELD_COUNT);
        ActivePlayVisit = &v;
    }
    ~VisitPublication() {
        ClearModeVisitState();
        ActivePlayVisit = nullptr;
    }
    VisitPublication(const VisitPublication&) = delete;
    VisitPublication& operator=(const VisitPublication&) = delete;

  private:
    static constexpr int FIELD_COUNT = 11;
    ModeVisitField fields_[FIELD_COUNT];
};

} // namespace

void PlayMode() {
    PlayVisit v{};
    VisitPublication publication(v);
    EnterPlay();
    while (!v.leave) {
        if (FrameDue()) RunPlayFrame(v);
        EndPass();
    }
    PlayModule(nullptr, 0, 0);
}
