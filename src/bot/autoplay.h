// The autoplay bot: each frame it looks at the screen as a player sees it (flies, spiders,
// specials, the heat, the weapon slots, the visor, the results) and plays only through the
// pointer, the buttons, the keys and the wheel, posted into the same input queue the window
// fills. It never changes the game's state itself, so a record of its game replays without it.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/bot_player.h"  // BotOptions and what the bot reports

// Starts the bot. Outside the levels it plays the menus and the stories as well, so a run
// without --level goes from the first start to the final results and out through Exit.
void StartAutoplay(const BotOptions& options);
void StopAutoplay();
