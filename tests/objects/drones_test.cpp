// drones_test.cpp - drones home on the player while they orbit their centre.
#include <cmath>

#include "objects/enemies.h"
#include "play/player.h"
#include "support/maths.h"
#include "tests/play/play_harness.h"

namespace {

class Drones : public PlayScenario {};

TEST_F(Drones, CentresHomeOnThePlayerWhileTheDronesCircleThemAt180Px) {
    map.Fill(0, 5, 20, 5, 1);
    PlacePlayer(300, 288); // standing; the camera rests at (0, 0)
    const float speed[2][2] = {{4, 5}, {3, 3}};
    SpawnEnemy(1000, 300, 0);
    SpawnEnemy(300, 288, 0); // level with the player: it steps the positive way
    int i = 0;
    for (auto* n = Enemies.first; n; n = n->next, i++) {
        n->record.speedX = speed[i][0];
        n->record.speedY = speed[i][1];
        n->record.angle = 10;
    }
    Play(PLAY_RESUME, 300, [&](uint32_t frame) {
        for (auto* n = Enemies.first; n; n = n->next) {
            const Enemy& e = n->record;
            EXPECT_EQ(e.angle, 10 + 3 * float(frame));
            EXPECT_NEAR(std::hypot(e.screenX - e.x, e.screenY - e.y), 180, 1e-3);
            EXPECT_NEAR(e.screenX - e.x, 180 * SinDeg(e.angle), 1e-3);
        }
        if (frame == 1) {
            EXPECT_EQ(Enemies.first->record.x, 996);
            EXPECT_EQ(Enemies.first->record.y, 295);
            EXPECT_EQ(Enemies.last->record.x, 303);
            EXPECT_EQ(Enemies.last->record.y, 291);
        }
    });
    // Closer than a step, a centre swings to and fro about the player.
    for (auto* n = Enemies.first; n; n = n->next) {
        EXPECT_LE(std::fabs(n->record.x - Player.x), n->record.speedX);
        EXPECT_LE(std::fabs(n->record.y - Player.y), n->record.speedY);
    }
}

} // namespace
