// The seat a bot takes at the game. The bot lives in src/bot/, above the shell, so the
// shell never names it: the program entry hands it in here, and a run with --autoplay
// starts it, hears from it when a level is decided, and stops it at the end.
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

struct BotPlayer {
    // Starts the bot; its own choices are drawn from the seed. The callback is called once
    // for every level decided while it plays.
    std::function<void(BotSkill, uint64_t, std::function<void(const BotLevelResult&)>)> start;
    std::function<void()> stop;
};

// The bot a run with --autoplay starts; set by the program entry before BeginRun.
void SetBotPlayer(BotPlayer bot);
