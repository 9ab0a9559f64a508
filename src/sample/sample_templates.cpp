#include "sample/sample_templates.hpp"

#include <vector>

namespace skerry {

namespace {

struct SampleTemplate {
    const char* description;  // nullptr: no "# DESC: " line above
    const char* name;
    const char* parent;
    const char* params;
};

// Shared by both files: the base of every type and the common things built on them.
const std::vector<SampleTemplate> kCommon = {
    {"Base templates", "_actor", "none",
     "type=actor collide=1 move=physics thingflags=0x20000000 mass=150.0 physflags=0x4a4f "
     "maxrotvel=90.0 maxvel=1.0 health=40.0 maxhealth=40.0 maxthrust=2.0 jumpspeed=1.5"},
    {nullptr, "_weapon", "none",
     "type=weapon collide=1 move=physics thingflags=0x20000200 timer=10.0 mass=5.0 "
     "physflags=0x200 maxrotvel=90.0 damageclass=0x2 typeflags=0x1"},
    {nullptr, "_explosion", "none", "type=explosion thingflags=0x1 timer=0.1 typeflags=0x1"},
    {nullptr, "_debris", "none",
     "type=debris collide=1 move=physics timer=2.0 physflags=0x25 maxrotvel=90.0"},
    {nullptr, "_decor", "none", "type=cog collide=1 move=path thingflags=0x400048"},
    {nullptr, "_powerup", "none",
     "type=item collide=1 move=physics size=0.1 movesize=0.1 thingflags=0x400 respawn=30.0"},
    {nullptr, "_particle", "none", "type=particle move=none typeflags=0x3f"},
    {nullptr, "_corpse", "none", "type=corpse collide=1 move=physics physflags=0x1"},
    {nullptr, "ghost", "none", "type=ghost move=none"},
    {"Player and actors", "walkplayer", "_actor",
     "type=player thingflags=0x20000401 light=0.2 model3d=kyle.3do puppet=kyle.pup "
     "soundclass=kyle.snd cog=kyle.cog eyeoffset=(0.0/0.0/0.037) fov=0.71"},
    {nullptr, "_humanactor", "_actor",
     "size=0.065 movesize=0.065 puppet=trooper.pup soundclass=trooper.snd"},
    {nullptr, "stormtrooper", "_humanactor",
     "model3d=strooper.3do aiclass=stormtroop.ai weapon=+stormrifle health=60.0"},
    {nullptr, "stormtrooper_officer_heavy", "stormtrooper",
     "model3d=stofficer.3do weapon=+concussion health=120.0 maxhealth=120.0"},
    {nullptr, "reeyees", "_humanactor",
     "model3d=reeyees.3do aiclass=reeyees.ai0 weapon=+grenade_thrown explode=+sm_expl"},
    {"Weapons", "+bryarbolt", "_weapon",
     "model3d=bryarbolt.3do size=0.01 movesize=0.01 explode=+bryar_exp fleshhit=+bryar_hit "
     "damage=30.0 mindamage=10.0 range=8.0 force=10.0"},
    {nullptr, "+stormrifle", "+bryarbolt", "model3d=stbolt.3do damage=20.0"},
    {nullptr, "+stormrifle_rapid_fire", "+stormrifle", "damage=15.0 rate=0.5"},
    {nullptr, "+concussion", "_weapon",
     "model3d=conc.3do explode=+conc_exp damage=80.0 typeflags=0x20d damageclass=0x4"},
    {nullptr, "+grenade_thrown", "_weapon",
     "model3d=grenade.3do timer=3.0 explode=+grenade_exp physflags=0x225 typeflags=0x3"},
    {nullptr, "+sm_grenade", "+grenade_thrown", "timer=1.5 damage=40.0"},
    {"Explosions", "+bryar_exp", "_explosion",
     "sprite=bryx.spr soundclass=exp_small.snd blasttime=0.3 maxlight=0.4"},
    {nullptr, "+sm_expl", "_explosion", "sprite=smexp.spr damage=10.0 range=0.2"},
    {nullptr, "+conc_exp", "_explosion",
     "sprite=concx.spr typeflags=0x97 damage=60.0 blasttime=0.8 force=100.0 range=0.6 "
     "debris=+rubble_chunk debris=+rubble_dust flashrgb=(255/200/80)"},
    {nullptr, "+grenade_exp", "+conc_exp", "damage=50.0 range=0.5"},
    {nullptr, "+bryar_hit", "_explosion", "particle=sparks.par timer=0.2"},
    {"Debris", "+rubble_chunk", "_debris", "model3d=rubble1.3do timer=3.0"},
    {nullptr, "+rubble_dust", "_debris", "sprite=dust.spr"},
    {nullptr, "+rubble_chunk_smouldering", "+rubble_chunk", "particle=smoke.par timer=6.0"},
    {"Things to pick up", "+medkit", "_powerup", "model3d=medkit.3do cog=pow_health.cog"},
    {nullptr, "+shield_recharge", "_powerup", "model3d=shield.3do cog=pow_shields.cog"},
    {nullptr, "+ammo_energy_unit_large", "+shield_recharge", "respawn=60.0"},
    {"Scenery", "crate", "_decor", "model3d=crate.3do size=0.2 movesize=0.2 orient=(0.0/90.0/0.0)"},
    {nullptr, "elevator_platform", "_decor",
     "model3d=elev.3do numframes=2 frame=(0.0/0.0/0.0:0.0/0.0/0.0) "
     "frame=(0.0/0.0/1.5:0.0/0.0/0.0)"},
    {nullptr, "+sparks", "_particle",
     "material=sparks.mat range=0.1 minsize=0.01 rate=32.0 elementsize=0.01 count=24"},
    {nullptr, "+smoke_puff", "+sparks", "material=smoke.mat count=8"},
    {nullptr, "dead_trooper", "_corpse", "model3d=stdead.3do timer=30.0"},
    // Slips such as real template files hold, for the whole-file check to find: a name of 17
    // characters written with no blank before its parent, flags written in decimal, a
    // misspelt parameter and an explosion that was never made.
    {"Work in progress", "+bryarbolt_strong+bryarboltdamage=45.0", "", ""},
    {nullptr, "crate_small", "crate", "thingflags=400 size=0.1 movesize=0.1"},
    {nullptr, "+stormrifle_heavy", "+stormrifle", "damge=30.0"},
    {nullptr, "+concussion_dud", "+concussion", "explode=+conc_dud_exp"},
};

const std::vector<SampleTemplate> kJkOnly = {
    {"Level specials", "gorc", "_humanactor",
     "model3d=gorc.3do aiclass=gorc.ai2 health=300.0 maxhealth=300.0 weapon=+gorc_club"},
    {nullptr, "+gorc_club", "_weapon", "damage=40.0 range=0.3 typeflags=0x10"},
};

const std::vector<SampleTemplate> kMotsOnly = {
    {"Mysteries of the Sith", "mara", "walkplayer",
     "model3d=mara.3do puppet=mara.pup soundclass=mara.snd"},
    {nullptr, "+carbonite_bolt", "+bryarbolt", "model3d=cbolt.3do damage=45.0"},
    {nullptr, "+ysalamiri_field", "_powerup", "model3d=ysal.3do cog=pow_ysal.cog"},
};

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

void AppendTemplates(std::string& out, const std::vector<SampleTemplate>& templates) {
    for (const SampleTemplate& t : templates) {
        if (t.description != nullptr) {
            AppendLine(out, "");
            AppendLine(out, std::string("# DESC: ") + t.description);
            AppendLine(out, "# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000");
        }
        AppendLine(out, std::string(t.name) + "\t" + t.parent + "\t" + t.params);
    }
}

}  // namespace

std::string SampleTemplateFile(bool jkDialect) {
    std::string out;
    AppendLine(out, jkDialect ? "# Object templates for Jedi Knight levels"
                              : "# Object templates for Mysteries of the Sith levels");
    AppendLine(out, "# Each line: name, the template it is based on, then param=value pairs.");
    AppendTemplates(out, kCommon);
    AppendTemplates(out, jkDialect ? kJkOnly : kMotsOnly);
    return out;
}

}  // namespace skerry
