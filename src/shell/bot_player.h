// The seat a bot takes at the game. The bot lives in src/bot/, above the shell, so the
// shell never names it: the program entry hands it in here, and a run with --autoplay
// starts it, hears from it when a level is decided, and stops it at the end.
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

struct BotPlayer {
    // Starts the bot. Outside the levels it plays the menus and the stories as well, so a
    // run without --level goes from the first start to the final results and out through
    // Exit.
    std::function<void(const BotOptions&)> start;
    std::function<void()> stop;
};

// The bot a run with --autoplay starts; set by the program entry before BeginRun.
void SetBotPlayer(BotPlayer bot);
