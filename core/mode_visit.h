// mode_visit.h - the running mode's visit state, published for the state dump.
//
// Modes sit above the dump that reads them, so they hand their visit record down here and the
// dump of the scripted driver reads it back. Main thread only.
#pragma once

#include <cstdint>
#include <initializer_list>

class JsonWriter;

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

// Writes the published visit as the dump's "Visit" object.
void DumpModeVisit(JsonWriter& j);
