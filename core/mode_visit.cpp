// mode_visit.cpp - keeps the running mode's published visit for the state dump.
#include "core/mode_visit.h"

#include <vector>

#include "core/json_writer.h"

namespace {

const char* VisitMode = "";
std::vector<ModeVisitField> VisitFields;

} // namespace

void SetModeVisitState(const char* mode, const ModeVisitField* fields, int count) {
    VisitMode = mode;
    VisitFields.assign(fields, fields + (fields && count > 0 ? count : 0));
}

void ClearModeVisitState() {
    SetModeVisitState("", nullptr, 0);
}

void DumpModeVisit(JsonWriter& j) {
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
