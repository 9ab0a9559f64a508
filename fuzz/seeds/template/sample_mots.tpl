# Object templates for Mysteries of the Sith levels
# Each line: name, the template it is based on, then param=value pairs.

# DESC: Base templates
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
_actor	none	type=actor collide=1 move=physics thingflags=0x20000000 mass=150.0 physflags=0x4a4f maxrotvel=90.0 maxvel=1.0 health=40.0 maxhealth=40.0 maxthrust=2.0 jumpspeed=1.5
_weapon	none	type=weapon collide=1 move=physics thingflags=0x20000200 timer=10.0 mass=5.0 physflags=0x200 maxrotvel=90.0 damageclass=0x2 typeflags=0x1
_explosion	none	type=explosion thingflags=0x1 timer=0.1 typeflags=0x1
_debris	none	type=debris collide=1 move=physics timer=2.0 physflags=0x25 maxrotvel=90.0
_decor	none	type=cog collide=1 move=path thingflags=0x400048
_powerup	none	type=item collide=1 move=physics size=0.1 movesize=0.1 thingflags=0x400 respawn=30.0
_particle	none	type=particle move=none typeflags=0x3f
_corpse	none	type=corpse collide=1 move=physics physflags=0x1
ghost	none	type=ghost move=none

# DESC: Player and actors
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
walkplayer	_actor	type=player thingflags=0x20000401 light=0.2 model3d=kyle.3do puppet=kyle.pup soundclass=kyle.snd cog=kyle.cog eyeoffset=(0.0/0.0/0.037) fov=0.71
_humanactor	_actor	size=0.065 movesize=0.065 puppet=trooper.pup soundclass=trooper.snd
stormtrooper	_humanactor	model3d=strooper.3do aiclass=stormtroop.ai weapon=+stormrifle health=60.0
stormtrooper_officer_heavy	stormtrooper	model3d=stofficer.3do weapon=+concussion health=120.0 maxhealth=120.0
reeyees	_humanactor	model3d=reeyees.3do aiclass=reeyees.ai0 weapon=+grenade_thrown explode=+sm_expl

# DESC: Weapons
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
+bryarbolt	_weapon	model3d=bryarbolt.3do size=0.01 movesize=0.01 explode=+bryar_exp fleshhit=+bryar_hit damage=30.0 mindamage=10.0 range=8.0 force=10.0
+stormrifle	+bryarbolt	model3d=stbolt.3do damage=20.0
+stormrifle_rapid_fire	+stormrifle	damage=15.0 rate=0.5
+concussion	_weapon	model3d=conc.3do explode=+conc_exp damage=80.0 typeflags=0x20d damageclass=0x4
+grenade_thrown	_weapon	model3d=grenade.3do timer=3.0 explode=+grenade_exp physflags=0x225 typeflags=0x3
+sm_grenade	+grenade_thrown	timer=1.5 damage=40.0

# DESC: Explosions
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
+bryar_exp	_explosion	sprite=bryx.spr soundclass=exp_small.snd blasttime=0.3 maxlight=0.4
+sm_expl	_explosion	sprite=smexp.spr damage=10.0 range=0.2
+conc_exp	_explosion	sprite=concx.spr typeflags=0x97 damage=60.0 blasttime=0.8 force=100.0 range=0.6 debris=+rubble_chunk debris=+rubble_dust flashrgb=(255/200/80)
+grenade_exp	+conc_exp	damage=50.0 range=0.5
+bryar_hit	_explosion	particle=sparks.par timer=0.2

# DESC: Debris
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
+rubble_chunk	_debris	model3d=rubble1.3do timer=3.0
+rubble_dust	_debris	sprite=dust.spr
+rubble_chunk_smouldering	+rubble_chunk	particle=smoke.par timer=6.0

# DESC: Things to pick up
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
+medkit	_powerup	model3d=medkit.3do cog=pow_health.cog
+shield_recharge	_powerup	model3d=shield.3do cog=pow_shields.cog
+ammo_energy_unit_large	+shield_recharge	respawn=60.0

# DESC: Scenery
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
crate	_decor	model3d=crate.3do size=0.2 movesize=0.2 orient=(0.0/90.0/0.0)
elevator_platform	_decor	model3d=elev.3do numframes=2 frame=(0.0/0.0/0.0:0.0/0.0/0.0) frame=(0.0/0.0/1.5:0.0/0.0/0.0)
+sparks	_particle	material=sparks.mat range=0.1 minsize=0.01 rate=32.0 elementsize=0.01 count=24
+smoke_puff	+sparks	material=smoke.mat count=8
dead_trooper	_corpse	model3d=stdead.3do timer=30.0

# DESC: Work in progress
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
+bryarbolt_strong+bryarboltdamage=45.0		
crate_small	crate	thingflags=400 size=0.1 movesize=0.1
+stormrifle_heavy	+stormrifle	damge=30.0
+concussion_dud	+concussion	explode=+conc_dud_exp

# DESC: Mysteries of the Sith
# BBOX: 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000
mara	walkplayer	model3d=mara.3do puppet=mara.pup soundclass=mara.snd
+carbonite_bolt	+bryarbolt	model3d=cbolt.3do damage=45.0
+ysalamiri_field	_powerup	model3d=ysal.3do cog=pow_ysal.cog
