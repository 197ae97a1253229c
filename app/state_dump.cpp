// state_dump.cpp - writes the state dump of the scripted driver.
#include "app/state_dump.h"

#include "between/level_end_dump.h"
#include "core/dump_list.h"
#include "core/globals.h"
#include "core/json_writer.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "frontend/front_end_dump.h"
#include "objects/back_panels.h"
#include "play/play_dump.h"
#include "sound/sound_effects.h"

std::string DumpState(uint32_t frame) {
    JsonWriter j;
    j.BeginObject();
    j.Field("frame", frame);
    j.Field("GameMode", GameMode);
    j.Field("PlayEntry", PlayEntry);
    j.FieldF("CameraX", CameraX);
    j.FieldF("CameraY", CameraY);
    DumpModeVisit(j);
    // What was heard since the last dump: effect slots, and modules started (0 a stop).
    j.Key("Sounds");
    j.BeginArray();
    for (int slot : TakeSoundLog()) j.Int(slot);
    j.EndArray();
    j.Key("Music");
    j.BeginArray();
    for (int module : TakeMusicLog()) j.Int(module);
    j.EndArray();
    DumpList(j, "BackPanels", BackPanels, [&](const BackPanel& p) {
        j.FieldF("x", p.x);
        j.FieldF("y", p.y);
        j.FieldF("brightness", p.brightness);
    });
    // Subsystems add their sections here.
    DumpFrontEndState(j);
    DumpPlayState(j);
    DumpLevelEndState(j);
    j.EndObject();
    return j.Text() + "\n";
}
