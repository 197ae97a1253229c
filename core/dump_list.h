// dump_list.h - one object list as a JSON array of records, for the subsystems' parts of the
// state dump (play/play_dump.cpp, objects/level_end_dump.cpp).
//
//     DumpList(j, "Pickups", Pickups, [&](const Pickup& p) {
//         j.FieldF("x", p.x);
//         j.FieldF("y", p.y);
//     });
//
// Walks the list by its links, never by its cursor, so a dump taken in the middle of a walk
// changes nothing. Main thread, between frames.
#pragma once

#include "core/json_writer.h"
#include "support/list.h"

// Writes name and an array with one object per record, in list order; writeFields writes
// the fields of one record into its object.
template <typename T, typename WriteFields>
void DumpList(JsonWriter& j, const char* name, const List<T>& list, WriteFields writeFields) {
    j.Key(name);
    j.BeginArray();
    for (const typename List<T>::Node* n = list.first; n; n = n->next) {
        j.BeginObject();
        writeFields(n->record);
        j.EndObject();
    }
    j.EndArray();
}

// The fields both kinds of particle (and every moving record) start with.
template <typename T> void DumpMotionFields(JsonWriter& j, const T& record) {
    j.FieldF("x", record.x);
    j.FieldF("y", record.y);
    j.FieldF("vx", record.vx);
    j.FieldF("vy", record.vy);
}
