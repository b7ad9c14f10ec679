// The catalogue table. Flags: 2 filtered (the rule), -1 the default masked + filtered,
// 0 neither; sounds 1 looping, 0 one-shot.
#include "shell/catalogue.h"

#include "state/assets.h"

namespace {

CatalogueEntry picture(const char* file, TImage** global, int flags, AssetAnchor anchor = kTopLeft)
{
    CatalogueEntry e;
    e.file = file;
    e.image = global;
    e.flags = flags;
    e.anchor = anchor;
    return e;
}

CatalogueEntry strip(const char* file, TImage** global, int cell_w, int cell_h, int frames, int flags,
                     AssetAnchor anchor = kTopLeft)
{
    CatalogueEntry e = picture(file, global, flags, anchor);
    e.cell_w = cell_w;
    e.cell_h = cell_h;
    e.frames = frames;
    return e;
}

CatalogueEntry sound(const char* folder, const char* file, TSound** global, int loop)
{
    CatalogueEntry e;
    e.folder = folder;
    e.file = file;
    e.sound = global;
    e.flags = loop;
    return e;
}

}  // namespace

const std::vector<LoadGroup>& catalogue_groups()
{
    static const std::vector<LoadGroup> groups = {
        {1,
         {
             // 1
             picture("Loading.jpg", &Loading_jpg, -1),
             picture("loading_prgs.jpg", &loading_prgs_jpg, -1),
             picture("loading_prgs_prc.jpg", &loading_prgs_prc_jpg, 2),
         }},
        {1,
         {
             // 2
             picture("menu_prt1.png", &menu_prt1_png, 2),
             picture("menu_prt2.png", &menu_prt2_png, 2),
             picture("menu_prt3.png", &menu_prt3_png, 2),
             picture("back_level_1.jpg", &back_level_1_jpg, 0),
         }},
        {1,
         {
             // 3
             picture("back_level_2.jpg", &back_level_2_jpg, 0),
             picture("Web_level1.png", &Web_level1_png, 2),
         }},
        {1,
         {
             // 4
             picture("anim_tree_lv1.png", &anim_tree_lv1_png, 2),
             picture("anim_grass_lv2.png", &anim_grass_lv2_png, 2),
             picture("static_grass_lv2.png", &static_grass_lv2_png, 2),
         }},
        {1,
         {
             // 5
             picture("back_tree_r_lv2.png", &back_tree_r_lv2_png, 2),
             picture("back_tree_l_lv2.png", &back_tree_l_lv2_png, 2),
             picture("menlike_lv2.png", &menlike_lv2_png, 2),
         }},
        {1,
         {
             // 6
             picture("Tree_lv2_prt1.png", &Tree_lv2_prt1_png, 2),
             picture("Tree_lv2_prt2.png", &Tree_lv2_prt2_png, 2),
             picture("anim_grass_lv3.png", &anim_grass_lv3_png, 2),
             picture("back1_lv3.png", &back1_lv3_png, 2),
             picture("back2_lv3.png", &back2_lv3_png, 2),
         }},
        {1,
         {
             // 7
             picture("back3_lv3.png", &back3_lv3_png, 2),
             picture("frgr1_lv3.png", &frgr1_lv3_png, 2),
             picture("frgr2_lv3.png", &frgr2_lv3_png, 2),
             picture("frgr3_lv3.png", &frgr3_lv3_png, 2),
         }},
        {1,
         {
             // 8
             picture("pail_lv3.png", &pail_lv3_png, 2).handle(35, 0),
             picture("back_planes_lv4.png", &back_planes_lv4_png, 2),
             picture("anim_grass_lv4.png", &anim_grass_lv4_png, 2),
             picture("mill_lv4.png", &mill_lv4_png, 2),
         }},
        {1,
         {
             // 9
             picture("foreground_tree_lv4.png", &foreground_tree_lv4_png, 2),
             strip("mill_anim_elem.png", &mill_anim_elem_png, 40, 100, 17, 2),
             picture("ukraine_front_prt1.png", &ukraine_front_prt1_png, 2),
             picture("ukraine_front_prt2.png", &ukraine_front_prt2_png, 2),
         }},
        {1,
         {
             // 10
             picture("ukraine_front_grass.png", &ukraine_front_grass_png, 2),
             picture("ukraine_back_prt1.png", &ukraine_back_prt1_png, 2),
             picture("ukraine_back_prt2.png", &ukraine_back_prt2_png, 2),
             picture("ukraine_glow.png", &ukraine_glow_png, 2),
         }},
        {1,
         {
             // 11
             picture("ukraine_back_tree_prt3.png", &ukraine_back_tree_prt3_png, 2),
             picture("grass_plane.png", &grass_plane_png, 2),
             picture("foreground1_plane.png", &foreground1_plane_png, 2),
             picture("foreground2_plane.png", &foreground2_plane_png, 2),
             picture("foreground3_plane.png", &foreground3_plane_png, 2),
         }},
        {1,
         {
             // 12
             picture("background1_plane.png", &background1_plane_png, 2),
             picture("background2_plane.png", &background2_plane_png, 2),
             picture("background3_plane.png", &background3_plane_png, 2),
             picture("background4_plane.png", &background4_plane_png, 2),
             picture("background5_plane.png", &background5_plane_png, 2),
         }},
        {1,
         {
             // 13
             picture("forest_grass.png", &forest_grass_png, 2),
             picture("forest_frg.png", &forest_frg_png, 2),
             picture("forest_frg2.png", &forest_frg2_png, 2),
         }},
        {1,
         {
             // 14
             picture("forest_bck1.png", &forest_bck1_png, 2),
             picture("forest_bck2.png", &forest_bck2_png, 2),
             picture("forest_bck3.png", &forest_bck3_png, 2),
             picture("gui_spider_hunger.png", &gui_spider_hunger_png, 2),
             picture("score_text.png", &score_text_png, 2),
         }},
        {1,
         {
             // 15
             picture("help_back.png", &help_back_png, 2),
             picture("help_mouse_r.png", &help_mouse_r_png, 2),
             picture("help_mouse_l.png", &help_mouse_l_png, 2),
             picture("help_mouse_m.png", &help_mouse_m_png, 2),
             picture("help_or.jpg", &help_or_jpg, 2),
             picture("help_hold.jpg", &help_hold_jpg, 2),
         }},
        {1,
         {
             // 16
             picture("hardity_menu.png", &hardity_menu_png, 2),
             picture("hard_glow.png", &hard_glow_png, 2),
             picture("normal_glow.png", &normal_glow_png, 2),
             picture("back_hradity.png", &back_hradity_png, 2),
             picture("help_continue.png", &help_continue_png, 2),
             picture("bomb_text_1.jpg", &bomb_text_1_jpg, 2),
             picture("bomb_text_2.jpg", &bomb_text_2_jpg, 2),
             picture("bomb_text_3.jpg", &bomb_text_3_jpg, 2),
         }},
        {1,
         {
             // 17
             picture("laser_text_1.jpg", &laser_text_1_jpg, 2),
             picture("laser_text_2.jpg", &laser_text_2_jpg, 2),
             picture("laser_text_3.jpg", &laser_text_3_jpg, 2),
             picture("freeze_text_1.jpg", &freeze_text_1_jpg, 2),
             picture("freeze_text_2.jpg", &freeze_text_2_jpg, 2),
             picture("freeze_text_3.jpg", &freeze_text_3_jpg, 2),
         }},
        {1,
         {
             // 18
             picture("alpha_text_1.jpg", &alpha_text_1_jpg, 2),
             picture("alpha_text_2.jpg", &alpha_text_2_jpg, 2),
             picture("shield_text_1.jpg", &shield_text_1_jpg, 2),
             picture("shield_text_2.jpg", &shield_text_2_jpg, 2),
             picture("shield_text_3.jpg", &shield_text_3_jpg, 2),
         }},
        {1,
         {
             // 19
             picture("time_text_1.jpg", &time_text_1_jpg, 2),
             picture("time_text_2.jpg", &time_text_2_jpg, 2),
             picture("tutorial_confirmation.jpg", &tutorial_confirmation_jpg, 2),
             picture("yes_confrim.jpg", &yes_confrim_jpg, 2),
             picture("no_confrim.jpg", &no_confrim_jpg, 2),
         }},
        {1,
         {
             // 20
             picture("silver_trophy.png", &silver_trophy_png, 2),
             picture("bronze_trophy.png", &bronze_trophy_png, 2),
             picture("gold_trophy.png", &gold_trophy_png, 2),
             picture("no.png", &no_png, 2),
             picture("Game_results.jpg", &Game_results_jpg, 2),
         }},
        {1,
         {
             // 21
             picture("results_menu.jpg", &results_menu_jpg, 2),
             picture("kubok_placement.png", &kubok_placement_png, 2),
             picture("results_continue.png", &results_continue_png, 2),
             picture("line_results.png", &line_results_png, 2),
         }},
        {1,
         {
             // 22
             picture("mesuare_spider_hunger.png", &mesuare_spider_hunger_png, 2),
             picture("rip_ingame_gui.png", &rip_ingame_gui_png, 2),
             picture("menu_pause_Ingame.png", &menu_pause_Ingame_png, 2),
             picture("pause_game_im.png", &pause_game_im_png, 2),
         }},
        {1,
         {
             // 23
             picture("continue_image.png", &continue_image_png, 2),
             picture("quit_game_image.png", &quit_game_image_png, 2),
             picture("Restart_level.png", &Restart_level_png, 2),
         }},
        {1,
         {
             // 24
             picture("continue_glow_pause.png", &continue_glow_pause_png, 2),
             picture("restart_level_glow.png", &restart_level_glow_png, 2),
             picture("exit_glow_pause.png", &exit_glow_pause_png, 2),
         }},
        {1,
         {
             // 25
             picture("level_completed.png", &level_completed_png, 2),
             picture("level_failed.png", &level_failed_png, 2),
             picture("visor_pt1.png", &visor_pt1_png, 2),
             picture("visor_pt2.png", &visor_pt2_png, 2),
         }},
        {1,
         {
             // 26
             picture("visor_body.png", &visor_body_png, 2),
             picture("visor_blue_screen.png", &visor_blue_screen_png, 2),
             strip("visor_screen_anim.png", &visor_screen_anim_png, 122, 108, 3, -1),
             strip("visor_wheel_anim.png", &visor_wheel_anim_png, 40, 23, 9, -1),
             strip("visor_door_anim.png", &visor_door_anim_png, 76, 42, 6, -1),
         }},
        {1,
         {
             // 27
             picture("Visor_continue.png", &Visor_continue_png, 2),
             picture("Visor_continue_glow.png", &Visor_continue_glow_png, 2),
             picture("visor_tip_fx_progress.png", &visor_tip_fx_progress_png, 2),
             picture("visor_text_1.jpg", &visor_text_1_jpg, 2),
             picture("visor_text_2.jpg", &visor_text_2_jpg, 2),
         }},
        {1,
         {
             // 28
             picture("visor_text_3.jpg", &visor_text_3_jpg, 2),
             picture("visor_text_4.jpg", &visor_text_4_jpg, 2),
             picture("visor_text_5.jpg", &visor_text_5_jpg, 2),
             picture("visor_text_6.jpg", &visor_text_6_jpg, 2),
             picture("visor_text_7.jpg", &visor_text_7_jpg, 2),
         }},
        {1,
         {
             // 29
             picture("visor_text_8.jpg", &visor_text_8_jpg, 2),
             picture("visor_text_9.jpg", &visor_text_9_jpg, 2),
             picture("visor_text_10.jpg", &visor_text_10_jpg, 2),
             picture("visor_text_11.jpg", &visor_text_11_jpg, 2),
             picture("visor_text_12.jpg", &visor_text_12_jpg, 2),
         }},
        {1,
         {
             // 30
             picture("visor_text_13.jpg", &visor_text_13_jpg, 2),
             picture("visor_text_14.jpg", &visor_text_14_jpg, 2),
             picture("visor_text_15.jpg", &visor_text_15_jpg, 2),
             picture("visor_text_16.jpg", &visor_text_16_jpg, 2),
         }},
        {1,
         {
             // 31
             picture("Results.png", &Results_png, 2),
             picture("total_score.png", &total_score_png, 2),
             picture("stars_empty.png", &stars_empty_png, 2),
             picture("max_highscore.jpg", &max_highscore_jpg, 2),
             picture("star_gold.png", &star_gold_png, 2),
         }},
        {1,
         {
             // 32
             picture("stars_progress.jpg", &stars_progress_jpg, -1),
             picture("stars_progress2.jpg", &stars_progress2_jpg, -1),
             picture("stars_progress_podlogka.jpg", &stars_progress_podlogka_jpg, -1),
             picture("stars_progres_ramka.png", &stars_progres_ramka_png, -1),
             picture("stars_progress_seperate.png", &stars_progress_seperate_png, -1),
         }},
        {1,
         {
             // 33
             strip("fly_on_the_tree.png", &fly_on_the_tree_png, 145, 100, 11, 2),
             strip("robo_fly_rozminka.png", &robo_fly_rozminka_png, 145, 100, 12, 2),
             strip("robo_fly_climbing.png", &robo_fly_climbing_png, 145, 100, 12, 2),
             strip("robo_anim_taking_off.png", &robo_anim_taking_off_png, 145, 100, 11, 2),
         }},
        {1,
         {
             // 34
             strip("flying_spec_up.png", &flying_spec_up_png, 50, 50, 5, 2),
             strip("flying_spec_up2.png", &flying_spec_up2_png, 50, 50, 5, 2),
         }},
        {1,
         {
             // 35
             picture("pricel.PNG", &pricel_PNG, 2),
             picture("pricel2.PNG", &pricel2_PNG, 2),
             picture("lazer.PNG", &lazer_PNG, 2),
         }},
        {1,
         {
             // 36
             picture("lazer_bullet.PNG", &lazer_bullet_PNG, 2),
             picture("Lazer_arrow.png", &Lazer_arrow_png, 2),
             picture("lazer_glow.png", &lazer_glow_png, 2),
         }},
        {1,
         {
             // 37
             picture("spec_force_gui.png", &spec_force_gui_png, 2),
             picture("spec_force_gui_shine.png", &spec_force_gui_shine_png, 2),
         }},
        {1,
         {
             // 38
             picture("weapon_1.png", &weapon_1_png, 2),
             picture("weapon_2.png", &weapon_2_png, 2),
             picture("weapon_3.png", &weapon_3_png, 2),
             picture("weapon_4.png", &weapon_4_png, 2),
         }},
        {1,
         {
             // 39
             picture("weapon_5.png", &weapon_5_png, 2),
             picture("weapon_6.png", &weapon_6_png, 2),
             picture("weapon_7.png", &weapon_7_png, 2),
             picture("weapon_1_reload.png", &weapon_1_reload_png, 2),
             picture("weapon_2_reload.png", &weapon_2_reload_png, 2),
         }},
        {1,
         {
             // 40
             picture("weapon_3_reload.png", &weapon_3_reload_png, 2),
             picture("weapon_4_reload.png", &weapon_4_reload_png, 2),
             picture("weapon_5_reload.png", &weapon_5_reload_png, 2),
             picture("weapon_6_reload.png", &weapon_6_reload_png, 2),
             picture("weapon_7_reload.png", &weapon_7_reload_png, 2),
         }},
        {1,
         {
             // 41
             picture("fix_it_img.png", &fix_it_img_png, 2),
             picture("game_cursor.png", &game_cursor_png, 2),
             picture("saving_process.jpg", &saving_process_jpg, 2),
             picture("saving_anim.jpg", &saving_anim_jpg, -1, kMid),
         }},
        {1,
         {
             // 42
             picture("Termo_norm_pt1.png", &Termo_norm_pt1_png, 2),
             picture("Termo_norm_pt2.png", &Termo_norm_pt2_png, 2),
             picture("Termo_hot.png", &Termo_hot_png, 2),
             picture("Termo_cool.png", &Termo_cool_png, 2),
         }},
        {1,
         {
             // 43
             picture("health_fly.png", &health_fly_png, 2),
             picture("health_fly_empty.png", &health_fly_empty_png, 2),
             picture("Caution.png", &Caution_png, 2),
             picture("lazer_slice_path.png", &lazer_slice_path_png, 2),
         }},
        {1,
         {
             // 44
             picture("continue_pause.png", &continue_pause_png, 2),
             picture("glowy_sample.png", &glowy_sample_png, 2),
             strip("reload_progress.png", &reload_progress_png, 81, 81, 16, 2),
         }},
        {1,
         {
             // 45
             picture("dead_fly_fx.png", &dead_fly_fx_png, -1, kMid),
             picture("flying_spec_up_ques.png", &flying_spec_up_ques_png, 2, kMid),
             picture("flying_spec_up_ques2.png", &flying_spec_up_ques2_png, 2, kMid),
             strip("toxic_container.png", &toxic_container_png, 36, 38, 9, 2, kMid),
             picture("toxic_container_fx.png", &toxic_container_fx_png, 2, kMid),
         }},
        {1,
         {
             // 46
             strip("Freeze_mine.png", &Freeze_mine_png, 60, 50, 9, 2, kMid),
             picture("mine_shine.png", &mine_shine_png, 2, kMid),
             picture("rip_ingame_gui_glow.png", &rip_ingame_gui_glow_png, 2, kMid),
             strip("lure_module.png", &lure_module_png, 40, 30, 5, 2, kMid),
         }},
        {1,
         {
             // 47
             picture("lure_effect.png", &lure_effect_png, 2, kMid),
             picture("gui_eff.png", &gui_eff_png, 2, kMid),
             picture("colling_module.png", &colling_module_png, 2, kMid),
             picture("colling_module_glow.png", &colling_module_glow_png, 2, kMid),
             picture("colling_module_empty.png", &colling_module_empty_png, 2, kMid),
             picture("lazer_slice_arrow.png", &lazer_slice_arrow_png, 2, kMid).handle(34, 10.5f),
             picture("shield_eff.png", &shield_eff_png, 2, kMid),
             strip("robo_smoke.png", &robo_smoke_png, 32, 64, 15, 2, kMid),
         }},
        {1,
         {
             // 48
             strip("Lazer_Smoke.png", &Lazer_Smoke_png, 64, 128, 11, 2, kMid),
             picture("robo_lighting.png", &robo_lighting_png, 2, kMid),
             strip("player_pricel.png", &player_pricel_png, 45, 45, 9, 2, kMid),
             strip("robofly_flys.png", &robofly_flys_png, 50, 50, 5, 2, kMid),
             strip("fly_landing.png", &fly_landing_png, 50, 50, 7, 2, kMid),
         }},
        {1,
         {
             // 49
             strip("fly.png", &fly_png, 52, 39, 5, -1, kMid),
             picture("fly_normal_frozen.png", &fly_normal_frozen_png, -1, kMid),
             picture("cocon.png", &cocon_png, 2, kMid),
         }},
        {1,
         {
             // 50
             strip("fly_komar.png", &fly_komar_png, 53, 40, 5, -1, kMid),
             picture("cocon_komar.png", &cocon_komar_png, 2, kMid),
             picture("fly_komar_frozen.png", &fly_komar_frozen_png, -1, kMid),
         }},
        {1,
         {
             // 51
             strip("Back_flys_anim.png", &Back_flys_anim_png, 50, 50, 8, -1, kMid),
             strip("fly_butterfly.png", &fly_butterfly_png, 94, 70, 5, -1, kMid),
             picture("cocon_butterfly.png", &cocon_butterfly_png, 2, kMid),
             picture("fly_butterfly_frozen.png", &fly_butterfly_frozen_png, -1, kMid),
             strip("butterfly_wing.png", &butterfly_wing_png, 66, 39, 7, -1, kMid),
         }},
        {1,
         {
             // 52
             picture("bomb.png", &bomb_png, 2, kMid),
             picture("Bomb_eff.png", &Bomb_eff_png, 2, kMid),
             strip("expl_eff.png", &expl_eff_png, 64, 64, 24, -1, kMid),
             picture("freezing_missle.png", &freezing_missle_png, 2, kMid),
         }},
        {1,
         {
             // 53
             strip("freezing_trail.png", &freezing_trail_png, 44, 25, 16, 2, kMid),
             strip("freeze_explosion.png", &freeze_explosion_png, 64, 64, 16, 2, kMid),
             strip("TimeWarp_eff.png", &TimeWarp_eff_png, 64, 64, 24, 2, kMid),
             picture("Bomb_light.png", &Bomb_light_png, 2, kMid),
         }},
        {1,
         {
             // 54
             picture("shield_light.png", &shield_light_png, 2, kMid),
             picture("hit_zone.png", &hit_zone_png, 2, kMid),
         }},
        {1,
         {
             // 55
             picture("Sun_lv1.png", &Sun_lv1_png, 2, kMid),
             picture("empty_field.png", &empty_field_png, 2, kMid),
             picture("cocon.png", &cocon_png2, 2, kMid),
             picture("Carret.jpg", &Carret_jpg, -1, kMid),
             strip("spider_dead.png", &spider_dead_png, 226, 134, 5, 2, kMid),
         }},
        {1,
         {
             // 56
             strip("spider.png", &spider_png, 226, 134, 18, 2, kMid),
             picture("spider_frozen.png", &spider_frozen_png, 2, kMid).handle(50, 30),
             strip("ice_spider_exp.png", &ice_spider_exp_png, 160, 126, 7, 2, kMid).handle(95, 30),
             strip("ice_fly_exp.png", &ice_fly_exp_png, 80, 63, 7, 2, kMid),
         }},
        {1,
         {
             // 57
             picture("player_profile.png", &player_profile_png, 2, kMid),
             picture("entering_name.png", &entering_name_png, 2),
             picture("NewGame.png", &NewGame_png, 2),
             picture("ok_profile.png", &ok_profile_png, 2),
         }},
        {1,
         {
             // 58
             picture("Main_menu.png", &Main_menu_png, 2),
             picture("cancel_profile.png", &cancel_profile_png, 2),
             picture("ResumeGame.png", &ResumeGame_png, 2),
         }},
        {1,
         {
             // 59
             picture("HighScore.png", &HighScore_png, 2),
             picture("credits.png", &credits_png, 2),
         }},
        {1,
         {
             // 60
             picture("options.png", &options_png, 2),
             picture("exit_main.png", &exit_main_png, 2),
             picture("back_credits.png", &back_credits_png, 2),
             picture("credits_glow.png", &credits_glow_png, 2),
         }},
        {1,
         {
             // 61
             picture("NewGame_confirm_menu.png", &NewGame_confirm_menu_png, 2),
             picture("no_confirm.png", &no_confirm_png, 2),
             picture("yes_confirm.png", &yes_confirm_png, 2),
         }},
        {1,
         {
             // 62
             picture("desk_of_glory.png", &desk_of_glory_png, 2),
             picture("back_glory.png", &back_glory_png, 2),
             picture("achivments_glory.png", &achivments_glory_png, 2),
         }},
        {1,
         {
             // 63
             strip("abduction2.png", &abduction2_png, 18, 37, 78, 2),
             strip("fly_anim_menu.png", &fly_anim_menu_png, 100, 75, 4, -1),
         }},
        {1,
         {
             // 64
             picture("options_menu.png", &options_menu_png, 2),
             picture("back_options_menu.png", &back_options_menu_png, 2),
             picture("check_options.png", &check_options_png, 2),
         }},
        {1,
         {
             // 65
             picture("fullscreen_menu.png", &fullscreen_menu_png, 2),
             picture("window_options.png", &window_options_png, 2),
         }},
        {1,
         {
             // 66
             picture("choose_profile_menu.png", &choose_profile_menu_png, 2),
             picture("Delete_profile.png", &Delete_profile_png, 2),
             picture("back_choose_profile.png", &back_choose_profile_png, 2),
             picture("delete_profile_menu.png", &delete_profile_menu_png, 2),
         }},
        {1,
         {
             // 67
             picture("no_delete_profile.png", &no_delete_profile_png, 2),
             picture("yes_profile_delete.png", &yes_profile_delete_png, 2),
         }},
        {3,
         {
             // 68
             sound("ambient", "forest_lvl.ogg", &forest_lvl_ogg, 1),
         }},
        {3,
         {
             // 69
             sound("ambient", "near_humans_lvl.ogg", &near_humans_lvl_ogg, 1),
         }},
        {3,
         {
             // 70
             sound("ambient", "plane_lv.ogg", &plane_lv_ogg, 1),
         }},
        {3,
         {
             // 71
             sound("music", "Main_track1.ogg", &Main_track1_ogg, 1),
         }},
        {3,
         {
             // 72
             sound("music", "Main_track2.ogg", &Main_track2_ogg, 1),
         }},
        {3,
         {
             // 73
             sound("music", "Main_track3.ogg", &Main_track3_ogg, 1),
         }},
        {3,
         {
             // 74
             sound("music", "end_story.ogg", &end_story_ogg, 0),
         }},
        {2,
         {
             // 75
             sound("music", "intro_story.ogg", &intro_story_ogg, 0),
         }},
        {1,
         {
             // 76
             sound("music", "Menu_theme.ogg", &Menu_theme_ogg, 1),
         }},
        {1,
         {
             // 77
             sound("music", "Main_track4.ogg", &Main_track4_ogg, 1),
         }},
        {1,
         {
             // 78
             sound("sounds", "fly_free.ogg", &fly_free_ogg, 0),
             sound("sounds", "spider_death.ogg", &spider_death_ogg, 0),
             sound("sounds", "spider2_enter.ogg", &spider2_enter_ogg, 0),
             sound("sounds", "Spider_boost.ogg", &Spider_boost_ogg, 0),
             sound("sounds", "Spider_boost2.ogg", &Spider_boost2_ogg, 0),
             sound("sounds", "Spider_boost3.ogg", &Spider_boost3_ogg, 0),
             sound("sounds", "Spider_boost4.ogg", &Spider_boost4_ogg, 0),
             sound("sounds", "free_sound.ogg", &free_sound_ogg, 0),
             sound("sounds", "max_achive.ogg", &max_achive_ogg, 0),
             sound("sounds", "lazer_hit_1.ogg", &lazer_hit_1_ogg, 0),
             sound("sounds", "lazer_hit_2.ogg", &lazer_hit_2_ogg, 0),
             sound("sounds", "lazer_hit_3.ogg", &lazer_hit_3_ogg, 0),
             sound("sounds", "lazer_hit_4.ogg", &lazer_hit_4_ogg, 0),
             sound("sounds", "lazer_hit_5.ogg", &lazer_hit_5_ogg, 0),
             sound("sounds", "lazer_hit_6.ogg", &lazer_hit_6_ogg, 0),
         }},
        {1,
         {
             // 79
             sound("sounds", "butterfly_flys.ogg", &butterfly_flys_ogg, 0),
             sound("sounds", "fly_dead.ogg", &fly_dead_ogg, 0),
             sound("sounds", "fly_catched.ogg", &fly_catched_ogg, 0),
             sound("sounds", "Creating_cocon.ogg", &Creating_cocon_ogg, 0),
             sound("sounds", "cooling_item.ogg", &cooling_item_ogg, 0),
         }},
        {1,
         {
             // 80
             sound("sounds", "click.ogg", &click_ogg, 0),
             sound("sounds", "caution.ogg", &caution_ogg, 0),
             sound("sounds", "fix_click.ogg", &fix_click_ogg, 0),
         }},
        {1,
         {
             // 81
             sound("sounds", "fixed.ogg", &fixed_ogg, 0),
             sound("sounds", "weapon_pick_up.ogg", &weapon_pick_up_ogg, 0),
             sound("sounds", "lazer_l.ogg", &lazer_l_ogg, 0),
             sound("sounds", "lazer_r.ogg", &lazer_r_ogg, 0),
         }},
        {1,
         {
             // 82
             sound("sounds", "wingtron_overheated.ogg", &wingtron_overheated_ogg, 1),
             sound("sounds", "wingtron_broken.ogg", &wingtron_broken_ogg, 0),
             sound("sounds", "wingtron_sparkles.ogg", &wingtron_sparkles_ogg, 1),
             sound("sounds", "lazer_l.ogg", &lazer_l_ogg_loop, 1),
         }},
        {1,
         {
             // 83
             sound("sounds", "wingtron_negative.ogg", &wingtron_negative_ogg, 0),
             sound("sounds", "Wingtron_moves.ogg", &Wingtron_moves_ogg, 0),
             sound("sounds", "Wingtron_climbs.ogg", &Wingtron_climbs_ogg, 0),
             sound("sounds", "miss.ogg", &miss_ogg, 0),
         }},
        {1,
         {
             // 84
             sound("sounds", "bomb_epxl.ogg", &bomb_epxl_ogg, 0),
             sound("sounds", "bomb_launch.ogg", &bomb_launch_ogg, 0),
             sound("sounds", "bomb_signal.ogg", &bomb_signal_ogg, 0),
             sound("sounds", "mine_signal.ogg", &mine_signal_ogg, 0),
         }},
        {1,
         {
             // 85
             sound("sounds", "Brake_ice.ogg", &Brake_ice_ogg, 0),
             sound("sounds", "Brake_ice_spider.ogg", &Brake_ice_spider_ogg, 0),
             sound("sounds", "freeze_explode.ogg", &freeze_explode_ogg, 0),
             sound("sounds", "missle_launch2.ogg", &missle_launch2_ogg, 0),
         }},
        {1,
         {
             // 86
             sound("sounds", "activate_time_warp.ogg", &activate_time_warp_ogg, 0),
             sound("sounds", "alpha_missle.ogg", &alpha_missle_ogg, 0),
             sound("sounds", "reload_weapon.ogg", &reload_weapon_ogg, 0),
             sound("sounds", "container_break.ogg", &container_break_ogg, 0),
         }},
        {1,
         {
             // 87
             sound("sounds", "shield_creation.ogg", &shield_creation_ogg, 0),
             sound("sounds", "lure_module.ogg", &lure_module_ogg, 0),
             sound("sounds", "stars_cnt.ogg", &stars_cnt_ogg, 0),
             sound("sounds", "score_count.ogg", &score_count_ogg, 1),
         }},
    };
    return groups;
}
