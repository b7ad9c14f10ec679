// The autoplay bot: each frame it looks at the screen as a player sees it (flies, spiders,
// specials, the heat, the weapon slots, the visor, the results) and plays only through the
// pointer, the buttons, the keys and the wheel, posted into the same input queue the window
// fills. It never changes the game's state itself, so a record of its game replays without it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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

// A whole campaign played from the menus, as its final results showed it.
struct BotCampaignResult {
    int difficulty = 0;
    int profile_score = 0;  // the campaign's score and stars before the final results
    int profile_stars = 0;
    int total = 0;          // the score plus 50 a star, as the final results banked it
    std::string trophy = "none";  // "gold", "silver", "bronze" or "none"
};

struct BotOptions {
    BotSkill skill = BotSkill::Expert;
    uint64_t seed = 1;              // the bot's own choices; odd seeds skip the stories
    std::string name = "BOT";       // typed on the name entry of a first start
    int difficulty = 1;             // chosen for a new game: 1 normal, 2 hard
    // Once for every level decided: a lost level at once, a won level once its results
    // screen has been left.
    std::function<void(const BotLevelResult&)> on_level_end;
    // Back at the main menu after the final results, just before the bot presses Exit.
    std::function<void(const BotCampaignResult&)> on_campaign_end;
};

// Starts the bot. Outside the levels it plays the menus and the stories as well, so a run
// without --level goes from the first start to the final results and out through Exit.
void StartAutoplay(const BotOptions& options);
void StopAutoplay();
