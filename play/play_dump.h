// play_dump.h - the play state's part of the scripted driver's JSON dump.
//
// Called by DumpState (app/state_dump.cpp) on the main thread, between frames.
#pragma once

class JsonWriter;

// Writes "Player", the orb counters, the teleport arrival points and every object list as an
// array of records with their field names (the visit's own fields are under "Visit").
// Walks the lists by their links, never by their cursors, so a dump changes nothing.
void DumpPlayState(JsonWriter& j);
