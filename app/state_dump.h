// state_dump.h - the game state as JSON, for the scripted driver and the scenario tests.
//
// DumpState writes the program-wide globals and then asks each subsystem for its own part
// (the player, the object lists, the counters, each mode's visit state) through the
// Dump...State calls listed in state_dump.cpp.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

class JsonWriter;

std::string DumpState(uint32_t frame);

// Each mode publishes its visit state (cursor, page, selection, time) here while it runs,
// so that a dump taken inside its loop can show it, under "Visit" in the order given. A field
// points at an integer or a float of the visit record, which must outlive the publication;
// the list itself is copied. Mode "" means no mode state.
struct ModeVisitField {
    const char* name = "";
    const int32_t* value = nullptr;    // an integer field, or
    const float* floatValue = nullptr; // a float field
    ModeVisitField(const char* n, const int32_t* v) : name(n), value(v) {}
    ModeVisitField(const char* n, const float* v) : name(n), floatValue(v) {}
};
void SetModeVisitState(const char* mode, const ModeVisitField* fields, int count);
void ClearModeVisitState();

// Publishes a mode's visit for as long as it lives and withdraws it however the mode ends (a
// return, or ProgramExit thrown through the mode by a scripted run):
//
//     const PublishedModeVisit published("shop", {{"selection", &v.selection}, ...});
class PublishedModeVisit {
  public:
    PublishedModeVisit(const char* mode, std::initializer_list<ModeVisitField> fields) {
        SetModeVisitState(mode, fields.begin(), int(fields.size()));
    }
    ~PublishedModeVisit() { ClearModeVisitState(); }
    PublishedModeVisit(const PublishedModeVisit&) = delete;
    PublishedModeVisit& operator=(const PublishedModeVisit&) = delete;
};
