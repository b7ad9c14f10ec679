// The autoplay bot: each frame it looks at the screen as a player sees it (flies, spiders,
// specials, the heat, the weapon slots, the visor, the results) and plays only through the
// pointer, the buttons, the keys and the wheel, posted into the same input queue the window
// fills. It never changes the game's state itself, so a record of its game replays without it.
#pragma once

#include <cstdint>
#include <functional>

enum class BotSkill { Casual = 1, Expert = 2 };

// One level played by the bot, as the game itself tallied it.
struct BotLevelResult {
    int level = 0;
    int difficulty = 0;
    int outcome = 0;          // 1 won, 2 lost
    int64_t frames = 0;       // presented frames from the level's start to its outcome
    int ticks = 0;            // the level clock at the outcome
    int main_score = 0;       // after the results screen's tally (won levels)
    int tactic_bonus = 0;
    int time_bonus_left = 0;
    int total = 0;
    int stars = 0;
    int flies_lost = 0;       // fly lives the spiders took
    int flies_released = 0;
    int shots = 0;            // clicks and drags aimed at the web
    int overheats = 0;
};

// Starts the bot; its own choices are drawn from `seed`. on_level_end is called once for
// every level decided while it plays: a lost level at once, a won level once its results
// screen has been left.
void StartAutoplay(BotSkill skill, uint64_t seed, std::function<void(const BotLevelResult&)> on_level_end);
void StopAutoplay();
