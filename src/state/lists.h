// The entity lists. Every entity lives in exactly one of them; the order in which the
// frame walks them is the drawing order. Only the list types' names are known here: the
// lists themselves are created in shell/lists.cpp, the one file that sees every type.
#pragma once

#include "state/tlist.h"

class EventsT;
class FlyT;
class SpiderT;
class GuiT;
class PointA;
class levelObT;
class inGame_guiT;
class pPricelT;
class roboFlyT;
class emitterT;
class FlySpecT;
class power_upsT;
class BulletT;
class ContainerT;
class SoundT;

extern TList<EventsT> event_list;
extern TList<FlyT> fly_list;
extern TList<SpiderT> spider_list;
extern TList<GuiT> gui_list;
extern TList<PointA> web_point_list;
extern TList<levelObT> level_back_list;
extern TList<levelObT> level_front_list;
extern TList<inGame_guiT> ingame_gui_list;
extern TList<pPricelT> reticle_list;
extern TList<roboFlyT> robot_list;
extern TList<emitterT> emitter_layer_1;
extern TList<emitterT> emitter_layer_2;
extern TList<emitterT> emitter_layer_3;
extern TList<emitterT> emitter_layer_4;
extern TList<FlySpecT> special_list;
extern TList<power_upsT> power_ups_list;
extern TList<BulletT> bullet_list;
extern TList<ContainerT> container_list;
extern TList<SoundT> sound_list;
