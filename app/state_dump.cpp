// state_dump.cpp - writes the state dump of the scripted driver.
#include "app/state_dump.h"

#include <vector>

#include "app/globals.h"
#include "app/json_writer.h"
#include "frontend/front_end_dump.h"
#include "objects/level_end_dump.h"
#include "play/play_dump.h"

namespace {

const char* VisitMode = "";
std::vector<ModeVisitField> VisitFields;

void DumpVisitState(JsonWriter& j) {
    j.Key("Visit");
    j.BeginObject();
    j.FieldS("mode", VisitMode);
    for (const ModeVisitField& f : VisitFields) {
        if (f.value)
            j.Field(f.name, *f.value);
        else if (f.floatValue)
            j.FieldF(f.name, *f.floatValue);
    }
    j.EndObject();
}

} // namespace

void SetModeVisitState(const char* mode, const ModeVisitField* fields, int count) {
    VisitMode = mode;
    VisitFields.assign(fields, fields + (fields && count > 0 ? count : 0));
}

void ClearModeVisitState() {
    SetModeVisitState("", nullptr, 0);
}

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
