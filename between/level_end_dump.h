// level_end_dump.h - the level-end round's part of the scripted driver's JSON dump.
//
// Called by DumpState (app/state_dump.cpp) on the main thread, between frames.
#pragma once

class JsonWriter;

// Writes "TargetSpin" and the lists "Targets" and "VolleyShots" as arrays of records with
// their field names. Walks the lists by their links, so a dump changes nothing.
void DumpLevelEndState(JsonWriter& j);
