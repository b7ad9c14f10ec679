// The bot's part outside the levels, when it plays the whole game: the name entry of a
// first start, New Game (confirmed when asked) or Continue, the difficulty, the stories, the
// final results and, once they are over, Exit from the main menu. Like the level bot it
// reads what the screen shows and acts only through its hand.
#pragma once

#include <cstdint>
#include <string>

#include "bot/bot_hand.h"
#include "shell/bot_player.h"

class CampaignPlayer {
public:
    CampaignPlayer(const BotOptions& options, BotHand& hand, BotRandom& random);

    // True when the frame belongs to a screen outside the levels (the logo, the menus, a
    // story, a banner, the final results); the hand may have been given gestures, which the
    // caller steps. False while a level or its results screen is up.
    bool frame(int64_t now);

private:
    void menu(int64_t now);
    void story(int64_t now);
    void final_results(int64_t now);
    // Takes the gesture only after a reading pause on a screen that has settled.
    bool ready_to_act(int64_t now, int screen);

    BotOptions options_;
    BotHand& hand_;
    BotRandom& random_;
    bool skips_stories_;  // odd seeds skip the intro and the ending, even ones watch them

    int seen_screen_ = -1;       // the menu screen (or story) in view, -1 none
    int64_t seen_since_ = 0;     // frame it came into view, or its last gesture ended
    int64_t read_frames_ = 0;    // how long this one is looked at before acting
    bool acted_ = false;         // a gesture was made on the screen in view
    bool finished_ = false;      // the final results have been seen to their end
    bool reported_ = false;
    BotCampaignResult result_;
};
