// The autoplay bot: each frame it looks at the screen as a player sees it (flies, spiders,
// specials, the heat, the weapon slots, the visor, the results) and plays only through the
// pointer, the buttons, the keys and the wheel, posted into the same input queue the window
// fills. It never changes the game's state itself, so a record of its game replays without it.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/bot_player.h"  // BotSkill, BotLevelResult

// Starts the bot; its own choices are drawn from `seed`. on_level_end is called once for
// every level decided while it plays: a lost level at once, a won level once its results
// screen has been left.
void StartAutoplay(BotSkill skill, uint64_t seed, std::function<void(const BotLevelResult&)> on_level_end);
void StopAutoplay();
