// state_dump.cpp - writes the state dump of the scripted driver.
#include "app/state_dump.h"

#include "app/globals.h"
#include "app/json_writer.h"
#include "frontend/front_end_dump.h"
#include "objects/level_end_dump.h"
#include "play/play_dump.h"

namespace {

const char* VisitMode = "";
const ModeVisitField* VisitFields = nullptr;
int VisitFieldCount = 0;

void DumpVisitState(JsonWriter& j) {
    j.Key("Visit");
    j.BeginObject();
    j.FieldS("mode", VisitMode);
    for (int i = 0; i < VisitFieldCount; i++) j.Field(VisitFields[i].name, *VisitFields[i].value);
    j.EndObject();
}

} // namespace

void SetModeVisitState(const char* mode, const ModeVisitField* fields, int count) {
    VisitMode = mode;
    VisitFields = fields;
    VisitFieldCount = count;
}

void ClearModeVisitState() { SetModeVisitState("", nullptr, 0); }

std::string DumpState(uint32_t frame) {
    JsonWriter j;
    j.BeginObject();
    j.Field("frame", frame);
    j.Field("GameMode", GameMode);
    j.Field("PlayEntry", PlayEntry);
    j.FieldF("CameraX", CameraX);
    j.FieldF("CameraY", CameraY);
    DumpVisitState(j);
    // Subsystems add their sections here.
    DumpFrontEndState(j);
    DumpPlayState(j);
    DumpLevelEndState(j);
    j.EndObject();
    return j.Text() + "\n";
}
