// state_dump.h - the game state as JSON, for the scripted driver and the scenario tests.
//
// DumpState writes the program-wide globals and then asks each subsystem for its own part
// (the player, the object lists, the counters, the running mode's visit) through the
// Dump...State calls listed in state_dump.cpp.
#pragma once

#include <cstdint>
#include <string>

std::string DumpState(uint32_t frame);
