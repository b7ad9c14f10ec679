// The campaign's screens between the levels, played as a person plays them.
#include "bot/campaign_player.h"

#include <string>

#include "persist/profile.h"
#include "platform/input.h"
#include "shell/story.h"
#include "ui/menu_loop.h"

namespace {

// A menu button as the player aims at it: its centre and the smaller side of its box.
struct Button {
    double x, y, width;
};
constexpr Button kOk {345, 480, 40};           // 70 x 40 at (310, 460)
constexpr Button kNewGame {527, 271, 50};      // 230 x 50 at (412, 246)
constexpr Button kResume {522, 173, 50};       // 290 x 50 at (377, 148)
constexpr Button kExit {577, 699, 50};         // 80 x 50 at (537, 674)
constexpr Button kYes {365, 525, 50};          // 100 x 50 at (315, 500)
constexpr Button kNormal {361, 362, 50};       // 190 x 50 at (266, 337)
constexpr Button kHard {641, 360, 50};         // 135 x 50 at (574, 335)
constexpr Button kHighScoreBack {498, 622, 45};
constexpr Button kOptionsBack {534, 644, 65};
constexpr Button kProfilesBack {505, 622, 50};
constexpr Button kDeleteNo {671, 518, 50};
constexpr Button kCreditsBack {604, 677, 50};

constexpr int kNameLength = 7;  // the entry keeps seven characters
constexpr int kRetryFrames = 180;  // a screen that did not answer a gesture is tried again

int story_number(const std::string& screen)
{
    if (screen == "intro")
        return 100;
    if (screen == "ending")
        return 101;
    return 102;  // the final results
}

}  // namespace

CampaignPlayer::CampaignPlayer(const BotOptions& options, BotHand& hand, BotRandom& random)
    : options_(options), hand_(hand), random_(random), skips_stories_(options.seed % 2 == 1)
{
}

bool CampaignPlayer::ready_to_act(int64_t now, int screen)
{
    if (screen != seen_screen_) {
        seen_screen_ = screen;
        seen_since_ = now;
        read_frames_ = static_cast<int64_t>(random_.range(15, 35));
        acted_ = false;
    }
    if (hand_.busy()) {
        seen_since_ = now;  // the next look starts once the gesture is done
        return false;
    }
    if (acted_ && now - seen_since_ < kRetryFrames)
        return false;
    if (now - seen_since_ < read_frames_)
        return false;
    acted_ = true;
    seen_since_ = now;
    return true;
}

void CampaignPlayer::menu(int64_t now)
{
    if (menu_loop.fade_state != 0 || menu_loop.built != 1)
        return;  // clicks during a fade are lost
    const int screen = menu_loop.screen;
    if (!ready_to_act(now, screen))
        return;
    auto press = [&](const Button& b) { hand_.click(1, b.x, b.y, b.width); };
    switch (screen) {
    case kScreenNameEntry:
        for (int i = 0; i < kNameLength; ++i)
            hand_.tap_key(kKeyBackspace);
        for (char c : options_.name.substr(0, kNameLength))
            hand_.type_char(static_cast<unsigned char>(c));
        press(kOk);
        break;
    case kScreenMainMenu:
        if (finished_) {
            if (!reported_ && options_.on_campaign_end) {
                reported_ = true;
                result_.difficulty = difficulty;
                options_.on_campaign_end(result_);
            }
            press(kExit);
        } else if (current_level > 1 && game_completed == 0) {
            press(kResume);  // a campaign under way goes on
        } else {
            press(kNewGame);
        }
        break;
    case kScreenConfirmNew: press(kYes); break;
    case kScreenDifficulty: press(options_.difficulty == 2 ? kHard : kNormal); break;
    case kScreenHighScores: press(kHighScoreBack); break;
    case kScreenOptions: press(kOptionsBack); break;
    case kScreenProfiles: press(kProfilesBack); break;
    case kScreenDeleteProfile: press(kDeleteNo); break;
    case kScreenCredits: press(kCreditsBack); break;
    default: break;
    }
}

void CampaignPlayer::story(int64_t now)
{
    const int screen = story_number(story_screen.screen);
    // The first page in view: skipped at once, or watched to the end.
    if (skips_stories_ && story_screen.opacity > 0.3f && ready_to_act(now, screen))
        hand_.tap_key(kKeyEnter);
}

void CampaignPlayer::final_results(int64_t now)
{
    const int screen = story_number(story_screen.screen);
    if (seen_screen_ != screen) {
        // What the screen counts up: the campaign's score and stars, and what they make.
        result_.profile_score = profile_score;
        result_.profile_stars = profile_stars;
        result_.total = final_total(profile_score, profile_stars);
        static const char* const kTrophies[] = {"none", "bronze", "silver", "gold"};
        result_.trophy = kTrophies[final_trophy(static_cast<float>(final_rating(result_.total)))];
    }
    // Enter once the trophy and the hint to go on are shown.
    const bool shown = story_screen.phase >= 10 && story_screen.opacity >= 1;
    if (ready_to_act(now, screen)) {
        if (shown) {
            hand_.tap_key(kKeyEnter);
            finished_ = true;
        } else {
            acted_ = false;  // keep watching
        }
    }
}

bool CampaignPlayer::frame(int64_t now)
{
    const std::string& screen = story_screen.screen;
    if (screen == "intro" || screen == "ending") {
        story(now);
        return true;
    }
    if (screen == "final_results") {
        final_results(now);
        return true;
    }
    if (screen == "logo" || screen == "banner" || screen == "saving")
        return true;
    if (menu_loop_running) {
        menu(now);
        return true;
    }
    seen_screen_ = -1;
    return false;
}
