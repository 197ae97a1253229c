// level_end_dump.cpp - targets, volley shots and the shared spin as JSON.
#include "between/level_end_dump.h"

#include "core/dump_list.h"
#include "core/json_writer.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"

void DumpLevelEndState(JsonWriter& j) {
    j.Field("TargetSpin", TargetSpin);
    DumpList(j, "Targets", Targets, [&](const Target& t) {
        DumpMotionFields(j, t);
        j.Field("hits", t.hits);
        j.Field("flash", t.flash);
    });
    DumpList(j, "VolleyShots", VolleyShots, [&](const VolleyShot& s) {
        DumpMotionFields(j, s);
        j.FieldF("aimX", s.aimX);
        j.FieldF("aimY", s.aimY);
    });
}
