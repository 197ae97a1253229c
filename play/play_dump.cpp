// play_dump.cpp - the play state as JSON: player, counters, arrival points, object lists.
#include "play/play_dump.h"

#include "core/dump_list.h"
#include "core/json_writer.h"
#include "core/level_map.h"
#include "core/player.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"

namespace {

// Sprite and dot particles share their first eight fields.
template <typename T> void DumpParticleFields(JsonWriter& j, const T& p) {
    DumpMotionFields(j, p);
    j.FieldF("life", p.life);
    j.FieldF("size", p.size);
    j.FieldF("alpha", p.alpha);
    j.FieldF("alphaStep", p.alphaStep);
}

void DumpPlayer(JsonWriter& j) {
    j.Key("Player");
    j.BeginObject();
    j.FieldF("x", Player.x);
    j.FieldF("y", Player.y);
    j.Field("weapon", Player.weapon);
    j.Field("fireCounter", Player.fireCounter);
    j.Field("firePeriod", Player.firePeriod);
    j.Field("facing", Player.facing);
    j.Field("useCooldown", Player.useCooldown);
    j.Key("ammo");
    j.BeginArray();
    for (int32_t a : Player.ammo) j.Int(a);
    j.EndArray();
    j.Field("energy", Player.energy);
    j.FieldF("fuel", Player.fuel);
    j.Field("coins", Player.coins);
    j.Field("score", Player.score);
    j.Field("level", Player.level);
    j.EndObject();
}

} // namespace

void DumpPlayState(JsonWriter& j) {
    DumpPlayer(j);
    j.Field("PickupsLeft", PickupsLeft);
    j.Field("PickupsCarried", PickupsCarried);
    j.Field("PickupSpin", PickupSpin);
    j.Field("TeleportTargetCount", TeleportTargetCount);
    DumpList(j, "TeleportTargets", TeleportTargets, [&](const TeleportTarget& t) {
        j.FieldF("x", t.x);
        j.FieldF("y", t.y);
    });
    DumpList(j, "Enemies", Enemies, [&](const Enemy& e) {
        j.FieldF("x", e.x);
        j.FieldF("y", e.y);
        j.FieldF("angle", e.angle);
        j.FieldF("speedX", e.speedX);
        j.FieldF("speedY", e.speedY);
        j.Field("energy", e.energy);
        j.Field("value", e.value);
        j.FieldF("size", e.size);
        j.Field("flash", e.flash);
        j.Field("hold", e.hold);
        j.FieldF("screenX", e.screenX);
        j.FieldF("screenY", e.screenY);
        j.Field("imageRow", e.imageRow);
    });
    DumpList(j, "Shots", Shots, [&](const Shot& s) {
        j.Field("type", s.type);
        DumpMotionFields(j, s);
        j.Field("life", s.life);
        j.Field("damage", s.damage);
        j.Field("imageRow", s.imageRow);
        j.Field("mirror", s.mirror);
    });
    DumpList(j, "SpriteParticles", SpriteParticles, [&](const SpriteParticle& p) {
        DumpParticleFields(j, p);
        j.Field("image", p.image);
        j.Field("fall", p.fall);
        j.Field("spin", p.spin);
        j.Field("angle", p.angle);
    });
    DumpList(j, "DotParticles", DotParticles, [&](const DotParticle& p) {
        DumpParticleFields(j, p);
        j.FieldF("r", p.r);
        j.FieldF("g", p.g);
        j.FieldF("b", p.b);
    });
    DumpList(j, "Pickups", Pickups, [&](const Pickup& p) {
        j.FieldF("x", p.x);
        j.FieldF("y", p.y);
    });
}
