// The entity lists, created once for the program's lifetime. This file alone sees every
// entity type complete, as the lists own (and so destroy) their objects.
#include "state/lists.h"

#include "fx/emitter.h"
#include "player/bullet.h"
#include "player/power_ups.h"
#include "player/reticle.h"
#include "player/robo_fly.h"
#include "sound/sound.h"
#include "ui/gui.h"
#include "ui/ingame_gui.h"
#include "world/container.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/level_object.h"
#include "world/special.h"
#include "world/spider.h"
#include "world/web_point.h"

TList<EventsT> event_list;
TList<FlyT> fly_list;
TList<SpiderT> spider_list;
TList<GuiT> gui_list;
TList<PointA> web_point_list;
TList<levelObT> level_back_list;
TList<levelObT> level_front_list;
TList<inGame_guiT> ingame_gui_list;
TList<pPricelT> reticle_list;
TList<roboFlyT> robot_list;
TList<emitterT> emitter_layer_1;
TList<emitterT> emitter_layer_2;
TList<emitterT> emitter_layer_3;
TList<emitterT> emitter_layer_4;
TList<FlySpecT> special_list;
TList<power_upsT> power_ups_list;
TList<BulletT> bullet_list;
TList<ContainerT> container_list;
TList<SoundT> sound_list;
