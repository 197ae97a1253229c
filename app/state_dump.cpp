// state_dump.cpp - writes the state dump of the scripted driver.
#include "app/state_dump.h"

#include "core/globals.h"
#include "core/json_writer.h"
#include "core/mode_visit.h"
#include "frontend/front_end_dump.h"
#include "between/level_end_dump.h"
#include "play/play_dump.h"

std::string DumpState(uint32_t frame) {
    JsonWriter j;
    j.BeginObject();
    j.Field("frame", frame);
    j.Field("GameMode", GameMode);
    j.Field("PlayEntry", PlayEntry);
    j.FieldF("CameraX", CameraX);
    j.FieldF("CameraY", CameraY);
    DumpModeVisit(j);
    // Subsystems add their sections here.
    DumpFrontEndState(j);
    DumpPlayState(j);
    DumpLevelEndState(j);
    j.EndObject();
    return j.Text() + "\n";
}
