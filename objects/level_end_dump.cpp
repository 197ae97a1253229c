// level_end_dump.cpp - targets, volley shots and the shared spin as JSON.
#include "objects/level_end_dump.h"

#include "app/json_writer.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"

void DumpLevelEndState(JsonWriter& j) {
    j.Field("TargetSpin", TargetSpin);
    j.Key("Targets");
    j.BeginArray();
    for (const List<Target>::Node* n = Targets.first; n; n = n->next) {
        const Target& t = n->record;
        j.BeginObject();
        j.FieldF("x", t.x);
        j.FieldF("y", t.y);
        j.FieldF("vx", t.vx);
        j.FieldF("vy", t.vy);
        j.Field("hits", t.hits);
        j.Field("flash", t.flash);
        j.EndObject();
    }
    j.EndArray();
    j.Key("VolleyShots");
    j.BeginArray();
    for (const List<VolleyShot>::Node* n = VolleyShots.first; n; n = n->next) {
        const VolleyShot& s = n->record;
        j.BeginObject();
        j.FieldF("x", s.x);
        j.FieldF("y", s.y);
        j.FieldF("vx", s.vx);
        j.FieldF("vy", s.vy);
        j.FieldF("aimX", s.aimX);
        j.FieldF("aimY", s.aimY);
        j.EndObject();
    }
    j.EndArray();
}
