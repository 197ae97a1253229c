// play_frame.h - one visit to the play mode and one drawn frame of it.
//
// PlayMode (play_mode.cpp) enters by PlayEntry and then runs RunPlayFrame once per drawn
// frame until the visit's leave flag is set. The frame's steps live in files of their own
// (player_moves, devices, weapon_keys, camera, drone_waves, player_sprite, hud) and are
// declared here; RunPlayFrame calls them in the game's fixed order. Main thread only.
#pragma once

#include <cstdint>

// The mode's local state: every field starts at 0 on each entry to the mode.
struct PlayVisit {
    int32_t leave;       // 1: the loop ends after this frame
    int32_t walkCount;   // walking steps towards the next leg pose
    int32_t idleCount;   // standing frames without a step
    int32_t stepFrame;   // leg pose 0 to 4
    float bob;           // body sway, degrees
    int32_t onGround;    // 1 while standing
    int32_t refillCount; // frames towards the next fuel unit
    int32_t waveCount;   // frames towards the next drone wave
    // The four neighbour cells, read at the start of each frame.
    int32_t up, down, left, right;
    // This frame's scroll of the background panels, screen pixels.
    float scrollX, scrollY;
};

// The visit running now (for the state dump), or nullptr outside the mode.
extern const PlayVisit* ActivePlayVisit;

// Sets up the sector by PlayEntry (new game, next sector, resume) and starts the music.
void EnterPlay();
// One drawn frame: keys, movement, devices, camera, waves, objects, player, HUD, flip.
void RunPlayFrame(PlayVisit& v);

// ---------------------------------------------------------------- the frame's steps
void WalkAndFly(PlayVisit& v);       // arrows left, right, up
void UseDeviceBelow(PlayVisit& v);   // arrow down on a shop, teleporter or base cell
void HandleWeaponKeys();             // fire counter and space bar, F1 to F5
void StrikeHead(const PlayVisit& v); // a hazardous ceiling cell costs energy
void ApplyGravity(PlayVisit& v);     // falling, landing and the walking poses
void MoveCamera(PlayVisit& v);       // easing towards the player, clamps, scroll amounts
void RefillFuel(PlayVisit& v);       // one unit every second frame up to 200
void SendDroneWave(PlayVisit& v);    // twelve drones every 1201 frames
void DrawPlayer(const PlayVisit& v); // legs and swaying body
void DrawHud();                      // frame, gauges, compass, score, weapons, ammunition
