// state_dump.h - the game state as JSON, for the scripted driver and the scenario tests.
//
// DumpState writes the program-wide globals and then asks each subsystem for its own part
// (the player, the object lists, the counters, each mode's visit state) through the
// Dump...State calls listed in state_dump.cpp.
#pragma once

#include <cstdint>
#include <string>

class JsonWriter;

std::string DumpState(uint32_t frame);

// Each mode publishes its visit state (cursor, page, selection, time) here while it runs,
// so that a dump taken inside its loop can show it. Name "" means no mode state.
struct ModeVisitField {
    const char* name;
    const int32_t* value;
};
void SetModeVisitState(const char* mode, const ModeVisitField* fields, int count);
void ClearModeVisitState();
