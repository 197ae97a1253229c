// drone_waves.cpp - twelve drones arrive every 1201 frames anywhere in 100 to 4100 on both
// axes, walls included (drones ignore the map). A step of the play mode's frame.
#include "objects/enemies.h"
#include "play/play_frame.h"
#include "support/random.h"

namespace {

constexpr int32_t WAVE_PERIOD = 1200; // a wave comes when the counter passes this
constexpr int32_t WAVE_SIZE = 12;

} // namespace

void SendDroneWave(PlayVisit& v) {
    v.waveCount += 1;
    if (v.waveCount <= WAVE_PERIOD) return;
    for (int32_t i = 0; i < WAVE_SIZE; i++) {
        // kept: the original draws each drone's y before its x
        const float y = float(RandomInt(4000) + 100);
        const float x = float(RandomInt(4000) + 100);
        SpawnEnemy(x, y, 0);
    }
    v.waveCount = 0;
}
