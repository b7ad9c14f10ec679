#include "shell/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "persist/profile.h"
#include "platform/audio.h"
#include "platform/draw_trace.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "shell/catalogue.h"
#include "shell/main_loop.h"
#include "shell/story.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace {

constexpr int kBarWidth = 200;  // width of the test's "loading_prgs_prc.jpg"

// A headless backend that remembers how the screen was opened.
class RecordingBackend final : public HeadlessBackend {
public:
    static inline int opens = 0;
    static inline bool fullscreen = false;
    bool open(int w, int h, bool fs) override
    {
        ++opens;
        fullscreen = fs;
        return HeadlessBackend::open(w, h, fs);
    }
};

Pixmap blank(int w, int h)
{
    Pixmap p;
    p.width = w;
    p.height = h;
    p.rgba.assign(static_cast<size_t>(w) * h * 4, 200);
    return p;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        UseAudioDriver(CreateSilentAudioDriver());
        ResetInput();
        Graphics(1024, 768, 0, 60, 0);
        loading_steps = 0;
    }
    void TearDown() override
    {
        SetFrameHook(nullptr);
        SetDrawTraceActive(false);
        sound_list.clear();
        free_catalogue();
        for (TImage** g : {&Oxbeam_logo_png, &Oxbeam_logo_part2_png}) {
            FreeImage(*g);
            *g = nullptr;
        }
        FreeSound(oxbeam_intro_ogg);
        oxbeam_intro_ogg = nullptr;
        AutoMidHandle(0);
        CloseAudio();
    }

    // Writes every catalogue file (pictures are PNG whatever their name says; strips
    // hold exactly their cells), skipping the names in `leave_out`.
    void write_catalogue(const std::vector<std::string>& leave_out = {})
    {
        const std::string ogg = make_ogg(1, 22050, 0.05);
        for (const LoadGroup& g : catalogue_groups()) {
            for (const CatalogueEntry& e : g.entries) {
                if (std::find(leave_out.begin(), leave_out.end(), e.file) != leave_out.end())
                    continue;
                const std::string rel = std::string(e.folder) + "/" + e.file;
                if (e.sound) {
                    dir_.write(rel, ogg);
                    continue;
                }
                std::filesystem::create_directories(dir_.path() + "/" + e.folder);
                Pixmap p = e.frames > 0                                      ? blank(e.cell_w * e.frames, e.cell_h)
                           : std::string(e.file) == "loading_prgs_prc.jpg" ? blank(kBarWidth, 10)
                                                                             : blank(10, 8);
                ASSERT_TRUE(SavePng(dir_.path() + "/" + rel, p));
            }
        }
    }

    // Bar width drawn in each presented frame, with loading_steps at that time.
    void record_bar()
    {
        SetDrawTraceActive(true);
        SetFrameHook([this](int64_t) {
            int width = 0;
            for (const DrawRecord& d : TracedDraws()) {
                if (d.image == "loading_prgs_prc.jpg")
                    width = static_cast<int>(std::lround(d.quad[1][0] - d.quad[0][0]));
            }
            steps_.push_back(loading_steps);
            widths_.push_back(width);
        });
    }

    TempDir dir_;
    std::vector<int> steps_, widths_;
};

}  // namespace

TEST_F(Startup, LoadingBarAdvancesGroupByGroup)
{
    write_catalogue();
    record_bar();
    load_catalogue();
    const auto& groups = catalogue_groups();
    ASSERT_EQ(groups.size(), 87u);
    ASSERT_EQ(steps_.size(), 87u) << "one presented frame per group";
    int total = 0;
    for (size_t i = 0; i < groups.size(); ++i) {
        total += groups[i].units;
        EXPECT_EQ(steps_[i], total) << "group " << i + 1;
        EXPECT_EQ(widths_[i], kBarWidth * std::min(total, 100) / 100) << "group " << i + 1;
    }
    EXPECT_EQ(total, 102);
    EXPECT_EQ(steps_[0], 1) << "1% after the loading screen's own pictures";
    EXPECT_EQ(steps_[66], 67) << "67% when the last picture is in";
    EXPECT_EQ(widths_[85], kBarWidth) << "full from the group that reaches 100";
    EXPECT_EQ(widths_[86], kBarWidth);
    EXPECT_EQ(steps_[84], 100);
}

TEST_F(Startup, EveryAssetLandsInItsGlobalWithFlagsCellsAndHandles)
{
    write_catalogue();
    load_catalogue();
    int pictures = 0, sounds = 0;
    for (const LoadGroup& g : catalogue_groups()) {
        for (const CatalogueEntry& e : g.entries) {
            if (e.sound) {
                EXPECT_NE(*e.sound, nullptr) << e.file;
                ++sounds;
            } else {
                EXPECT_NE(*e.image, nullptr) << e.file;
                ++pictures;
            }
        }
    }
    EXPECT_EQ(pictures, 268);
    EXPECT_EQ(sounds, 61);

    // Flags: 2 by rule, -1 the default (masked + filtered), 0 for the two level backs.
    EXPECT_EQ(menu_prt1_png->flags, kFilteredImage);
    EXPECT_EQ(Loading_jpg->flags, kMaskedImage | kFilteredImage);
    EXPECT_EQ(fly_png->flags, kMaskedImage | kFilteredImage);
    EXPECT_EQ(back_level_1_jpg->flags, 0);
    EXPECT_EQ(Carret_jpg->flags, kMaskedImage | kFilteredImage);
    // Strips.
    EXPECT_EQ(ImageWidth(spider_png), 226);
    EXPECT_EQ(ImageHeight(spider_png), 134);
    EXPECT_EQ(spider_png->pixmaps.size(), 18u);
    EXPECT_EQ(abduction2_png->pixmaps.size(), 78u);
    // Handles: centred from "dead_fly_fx.png" through "player_profile.png" and for
    // "saving_anim.jpg"; four explicit ones; everything else top left.
    auto handle = [](TImage* i) { return std::make_pair(i->handle_x, i->handle_y); };
    EXPECT_EQ(handle(saving_anim_jpg), std::make_pair(5.0f, 4.0f));
    EXPECT_EQ(handle(saving_process_jpg), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(handle(reload_progress_png), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(handle(dead_fly_fx_png), std::make_pair(5.0f, 4.0f));
    EXPECT_EQ(handle(fly_png), std::make_pair(26.0f, 19.5f));
    EXPECT_EQ(handle(player_profile_png), std::make_pair(5.0f, 4.0f));
    EXPECT_EQ(handle(entering_name_png), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(handle(pail_lv3_png), std::make_pair(35.0f, 0.0f));
    EXPECT_EQ(handle(lazer_slice_arrow_png), std::make_pair(34.0f, 10.5f));
    EXPECT_EQ(handle(spider_frozen_png), std::make_pair(50.0f, 30.0f));
    EXPECT_EQ(handle(ice_spider_exp_png), std::make_pair(95.0f, 30.0f));
    TImage* after = LoadImage(".\\media\\fly.png", 2);
    EXPECT_EQ(handle(after), std::make_pair(0.0f, 0.0f)) << "automatic centring is off again";
    FreeImage(after);
    // The two files loaded twice are two objects.
    ASSERT_NE(cocon_png, cocon_png2);
    EXPECT_EQ(handle(cocon_png2), std::make_pair(5.0f, 4.0f));
    ASSERT_NE(lazer_l_ogg, lazer_l_ogg_loop);
    // Looping sounds.
    EXPECT_FALSE(lazer_l_ogg->looping());
    EXPECT_TRUE(lazer_l_ogg_loop->looping());
    for (TSound* s : {forest_lvl_ogg, plane_lv_ogg, Main_track1_ogg, Main_track4_ogg, Menu_theme_ogg,
                      wingtron_overheated_ogg, wingtron_sparkles_ogg, score_count_ogg})
        EXPECT_TRUE(s->looping()) << s->source;
    for (TSound* s : {end_story_ogg, intro_story_ogg, click_ogg, wingtron_broken_ogg, stars_cnt_ogg})
        EXPECT_FALSE(s->looping()) << s->source;

    release_loading_screen();
    EXPECT_EQ(Loading_jpg, nullptr);
    EXPECT_EQ(loading_prgs_jpg, nullptr);
    EXPECT_EQ(loading_prgs_prc_jpg, nullptr);
}

TEST_F(Startup, MissingFilesLeaveTheirGlobalsEmptyAndLoadingGoesOn)
{
    write_catalogue({"fly.png", "Loading.jpg", "click.ogg", "Main_track2.ogg"});
    dir_.write("media/spider.png", "not a picture");
    record_bar();
    load_catalogue();
    EXPECT_EQ(fly_png, nullptr);
    EXPECT_EQ(Loading_jpg, nullptr);
    EXPECT_EQ(spider_png, nullptr);
    EXPECT_EQ(click_ogg, nullptr);
    EXPECT_EQ(Main_track2_ogg, nullptr);
    EXPECT_NE(fly_komar_png, nullptr);
    EXPECT_EQ(steps_.size(), 87u);
    EXPECT_EQ(widths_.back(), kBarWidth);
}

TEST_F(Startup, InputDuringLoadingIsDiscarded)
{
    write_catalogue();
    SetFrameHook([](int64_t frame) {
        if (frame % 20 == 0 || frame >= 86) {  // through the very last group
            PostMouseButton(1, true);
            PostMouseButton(1, false);
            PostKeyEvent(kKeyEnter, true);
            PostKeyEvent(kKeyEnter, false);
        }
    });
    load_catalogue();
    SetFrameHook(nullptr);
    latch_mouse();
    EXPECT_EQ(mouse_hit_left, 0);
    EXPECT_EQ(KeyHit(kKeyEnter), 0);
    clear_mouse_latch();
}

TEST_F(Startup, ScreenModeOneOpensAWindowAnyOtherFullScreen)
{
    for (int mode : {1, 0, 2, 7}) {
        SetBackend(std::make_unique<RecordingBackend>());
        RecordingBackend::opens = 0;
        screen_mode = static_cast<uint8_t>(mode);
        SaveConfig();
        screen_mode = 99;
        SetFrameHook([](int64_t frame) {
            if (frame == 0)
                PostKeyEvent(kKeyEscape, true);  // skip the logo
        });
        startup(StartupOverrides {});
        SetFrameHook(nullptr);
        PostKeyEvent(kKeyEscape, false);
        EXPECT_EQ(screen_mode, mode);
        EXPECT_EQ(RecordingBackend::opens, 1);
        EXPECT_EQ(RecordingBackend::fullscreen, mode != 1) << mode;
        EXPECT_EQ(screen_depth, mode == 1 ? 0 : 32);
        EXPECT_EQ(loading_steps, 102);
        EXPECT_EQ(Loading_jpg, nullptr) << "the loading screen is released";
        EXPECT_EQ(current_level, 1) << "no profile yet";
        sound_list.clear();
        free_catalogue();
    }
}

namespace {

class StudioLogo : public Startup {
protected:
    void SetUp() override
    {
        Startup::SetUp();
        std::filesystem::create_directories(dir_.path() + "/media");
        ASSERT_TRUE(SavePng(dir_.path() + "/media/Oxbeam_logo.png", blank(40, 20)));
        ASSERT_TRUE(SavePng(dir_.path() + "/media/Oxbeam_logo_part2.png", blank(20, 10)));
        dir_.write("music/oxbeam_intro.ogg", make_ogg(2, 22050, 12.0));
        sound_list.clear();
    }

    // Opacity of the logo and of its second part in every presented frame.
    void record()
    {
        SetDrawTraceActive(true);
        SetFrameHook([this](int64_t frame) {
            float a = -1, b = -1;
            for (const DrawRecord& d : TracedDraws()) {
                if (d.image == "Oxbeam_logo.png")
                    a = d.alpha;
                if (d.image == "Oxbeam_logo_part2.png")
                    b = d.alpha;
            }
            logo_.push_back(a);
            part_.push_back(b);
            if (frame == skip_at_ && skip_)
                skip_();
        });
    }

    std::vector<float> logo_, part_;
    int64_t skip_at_ = -1;
    std::function<void()> skip_;
};

}  // namespace

TEST_F(StudioLogo, FadesInHoldsAndFadesOutOver420Frames)
{
    record();
    play_studio_logo();
    ASSERT_EQ(logo_.size(), 420u);
    auto at = [&](const std::vector<float>& v, int n) { return v[static_cast<size_t>(n - 1)]; };  // n counts from 1
    EXPECT_FLOAT_EQ(at(logo_, 15), 0);
    EXPECT_NEAR(at(logo_, 50), 35 * 0.015f, 1e-4);
    EXPECT_FLOAT_EQ(at(logo_, 200), 1) << "held at full opacity, not above";
    EXPECT_FLOAT_EQ(at(part_, 99), 0);
    EXPECT_NEAR(at(part_, 120), 21 * 0.015f, 1e-4);
    EXPECT_NEAR(at(logo_, 300), 1 - 16 * 0.01f, 1e-4) << "the fade-out shows at once";
    EXPECT_NEAR(at(part_, 300), 1 - 16 * 0.01f, 1e-4);
    EXPECT_NEAR(at(logo_, 384), 0, 1e-4);
    EXPECT_FLOAT_EQ(at(logo_, 420), 0);
    EXPECT_EQ(GetAlpha(), 1);
    EXPECT_EQ(GetBlend(), kAlphaBlend);
    ASSERT_EQ(sound_list.count(), 1);
    EXPECT_EQ(ChannelPlaying(sound_list.first()->Channel), 1) << "the 12 s jingle outlasts the 7 s logo";
}

TEST_F(StudioLogo, EscapeEnterSpaceOrAClickEndsItAndSilencesTheJingle)
{
    const std::vector<std::function<void()>> skips = {
        [] { PostKeyEvent(kKeyEscape, true); }, [] { PostKeyEvent(kKeyEnter, true); },
        [] { PostKeyEvent(kKeySpace, true); },  [] { PostMouseButton(1, true); },
        [] { PostMouseButton(2, true); }};
    for (size_t i = 0; i < skips.size(); ++i) {
        ResetInput();
        logo_.clear();
        skip_at_ = FrameCount() + 30;
        skip_ = skips[i];
        record();
        play_studio_logo();
        EXPECT_EQ(logo_.size(), 32u) << "skip " << i << " ends the sequence after the next frame";
        ASSERT_GE(sound_list.count(), 1);
        EXPECT_EQ(ChannelPlaying(sound_list.last()->Channel), 0) << "skip " << i;
        sound_list.clear();
        FreeImage(Oxbeam_logo_png);
        FreeImage(Oxbeam_logo_part2_png);
        FreeSound(oxbeam_intro_ogg);
        Oxbeam_logo_png = Oxbeam_logo_part2_png = nullptr;
        oxbeam_intro_ogg = nullptr;
    }
    // Another key does not skip.
    ResetInput();
    logo_.clear();
    skip_at_ = FrameCount() + 30;
    skip_ = [] { PostKeyEvent('A', true); };
    record();
    play_studio_logo();
    EXPECT_EQ(logo_.size(), 420u);
}

// The forge's real catalogue, when the build ran it.
TEST(CatalogueLoading, EveryForgedAssetLoads)
{
    const char* other = std::getenv("WINGTRON_GAME_DIR");  // another game folder to check
    const std::string game = other ? other : WINGTRON_GAME_DIR;
    if (!std::filesystem::exists(game + "/media/fly.png") || !std::filesystem::exists(game + "/sounds/click.ogg"))
        GTEST_SKIP() << "the forge has not filled " << game;
    UseHeadlessPlatform();
    UseAudioDriver(CreateSilentAudioDriver());
    Graphics(1024, 768, 0, 60, 0);
    SetDataFolder(game);
    loading_steps = 0;
    load_catalogue();
    for (const LoadGroup& g : catalogue_groups()) {
        for (const CatalogueEntry& e : g.entries) {
            if (e.sound) {
                EXPECT_NE(*e.sound, nullptr) << e.folder << "/" << e.file;
            } else {
                EXPECT_NE(*e.image, nullptr) << e.folder << "/" << e.file;
                if (*e.image && e.frames > 0) {
                    EXPECT_EQ((*e.image)->pixmaps.size(), static_cast<size_t>(e.frames)) << e.file;
                }
            }
        }
    }
    EXPECT_EQ(loading_steps, 102);
    free_catalogue();
    CloseAudio();
}
