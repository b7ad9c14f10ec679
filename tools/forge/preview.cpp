// Review aid: composes the forged layers of each level range as the game stacks them (back scenery, the
// web tinted black, the robot on its branch, front scenery), so a reviewer sees whole scenes.
#include "preview.h"

#include <jpeglib.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"

namespace forge {

namespace {

cairo_surface_t* LoadAny(const std::string& path) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".jpg") {
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return nullptr;
        jpeg_decompress_struct ci;
        jpeg_error_mgr jerr;
        ci.err = jpeg_std_error(&jerr);
        jpeg_create_decompress(&ci);
        jpeg_stdio_src(&ci, f);
        jpeg_read_header(&ci, TRUE);
        ci.out_color_space = JCS_RGB;
        jpeg_start_decompress(&ci);
        int w = ci.output_width, h = ci.output_height;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        unsigned char* data = cairo_image_surface_get_data(s);
        int stride = cairo_image_surface_get_stride(s);
        std::vector<unsigned char> row(w * 3);
        while (ci.output_scanline < ci.output_height) {
            int y = ci.output_scanline;
            unsigned char* r = row.data();
            jpeg_read_scanlines(&ci, &r, 1);
            uint32_t* out = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = 0; x < w; ++x) {
                out[x] = 0xff000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
            }
        }
        jpeg_finish_decompress(&ci);
        jpeg_destroy_decompress(&ci);
        std::fclose(f);
        cairo_surface_mark_dirty(s);
        return s;
    }
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

struct Layer {
    const char* file;
    double x, y;
    int mode;  // 0 normal, 1 additive mid-handled sun, 2 web, 3 frame 0 of a strip (cell w), 4 stretched to right edge,
               // 5 additive, 6 one cell of a strip (cell_w, frame), mid-handled when centre
    double arg;
    int cell_w = 0;
    int frame = 0;
    bool centre = false;
};

void Compose(const std::string& media, const std::vector<Layer>& layers, const std::string& out) {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    SetColor(cr, Hex(0x000000));
    cairo_paint(cr);
    for (const Layer& l : layers) {
        cairo_surface_t* s = LoadAny(media + "/" + l.file);
        if (!s) continue;
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        cairo_save(cr);
        if (l.mode == 1) {
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            cairo_set_source_surface(cr, s, l.x - w / 2.0, l.y - h / 2.0);
            cairo_paint_with_alpha(cr, 0.85);
        } else if (l.mode == 6) {
            double ox = l.centre ? l.cell_w / 2.0 : 0, oy = l.centre ? h / 2.0 : 0;
            cairo_translate(cr, l.x - ox, l.y - oy);
            cairo_rectangle(cr, 0, 0, l.cell_w, h);
            cairo_clip(cr);
            cairo_set_source_surface(cr, s, -l.cell_w * l.frame, 0);
            cairo_paint(cr);
        } else if (l.mode == 7) {  // single picture, mid-handled
            cairo_set_source_surface(cr, s, l.x - w / 2.0, l.y - h / 2.0);
            cairo_paint(cr);
        } else if (l.mode == 5) {
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            cairo_set_source_surface(cr, s, l.x, l.y);
            cairo_paint_with_alpha(cr, 0.7);
        } else if (l.mode == 2) {
            cairo_translate(cr, 0, 50);
            cairo_scale(cr, 1024.0 / w, 718.0 / h);
            cairo_set_source_rgba(cr, 0, 0, 0, 1);
            cairo_mask_surface(cr, s, 0, 0);
        } else if (l.mode == 3) {
            cairo_translate(cr, l.x, l.y);
            cairo_scale(cr, l.arg > 0 ? l.arg : 1, l.arg > 0 ? l.arg : 1);
            cairo_rectangle(cr, 0, 0, h == 100 && w % 145 == 0 ? 145 : (w % 40 == 0 && h == 100 ? 40 : 50), h);
            cairo_clip(cr);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_paint(cr);
        } else if (l.mode == 4) {
            cairo_translate(cr, l.x, l.y);
            cairo_scale(cr, (l.arg - l.x) / w, (768 - l.y) / h);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_paint(cr);
        } else {
            cairo_set_source_surface(cr, s, l.x, l.y);
            cairo_paint(cr);
        }
        cairo_restore(cr);
        cairo_surface_destroy(s);
    }
    // Play circle outline for reference.
    cairo_arc(cr, 492, 355, 263, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    WritePng(c.surface(), out);
}

}  // namespace

void WriteScenePreviews(const std::string& game_dir, const std::string& out_dir) {
    std::string m = game_dir + "/media";
    const Layer robot{"fly_on_the_tree.png", 332, 617, 3, 0};
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 760, 210, 1, 0}, {"menlike_lv2.png", 733, 437, 0, 0},
                {"static_grass_lv2.png", 0, 491, 0, 0}, {"back_tree_l_lv2.png", 0, 0, 0, 0},
                {"back_tree_r_lv2.png", 943, 0, 0, 0}, {"anim_grass_lv2.png", -20, 506, 4, 1024},
                {"Web_level1.png", 0, 0, 2, 0}, {"Back_flys_anim.png", 200, 500, 3, 3}, robot,
                {"Tree_lv2_prt1.png", 0, 496, 0, 0}, {"Tree_lv2_prt2.png", 803, 0, 0, 0}},
            out_dir + "/scene_1.png");
    Compose(m, {{"back_level_2.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 760, 210, 1, 0}, {"pail_lv3.png", 830, 351, 0, 0},
                {"back1_lv3.png", 0, 146, 0, 0}, {"back2_lv3.png", 314, 513, 0, 0}, {"back3_lv3.png", 747, 25, 0, 0},
                {"anim_grass_lv3.png", -20, 630, 4, 1024}, {"Web_level1.png", 0, 0, 2, 0}, robot,
                {"frgr1_lv3.png", 0, 318, 0, 0}, {"frgr2_lv3.png", 349, 650, 0, 0}, {"frgr3_lv3.png", 836, 520, 0, 0}},
            out_dir + "/scene_2.png");
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"mill_anim_elem.png", 875, 250, 3, 2}, {"Sun_lv1.png", 780, 225, 1, 0},
                {"mill_lv4.png", 906, 316, 0, 0}, {"back_planes_lv4.png", 0, 397, 0, 0},
                {"anim_grass_lv4.png", -10, 631, 4, 1035}, {"Web_level1.png", 0, 0, 2, 0}, robot,
                {"foreground_tree_lv4.png", 0, 525, 0, 0}},
            out_dir + "/scene_3.png");
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 780, 240, 1, 0}, {"forest_bck1.png", 0, 302, 0, 0},
                {"forest_bck2.png", 207, 528, 0, 0}, {"forest_bck3.png", 719, 175, 0, 0},
                {"grass_plane.png", -20, 584, 4, 1035}, {"Web_level1.png", 0, 0, 2, 0}, robot,
                {"forest_frg.png", 0, 0, 0, 0}, {"forest_frg2.png", 78, 602, 0, 0}},
            out_dir + "/scene_4.png");
    Compose(m, {{"back_level_2.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 780, 240, 1, 0}, {"background1_plane.png", 0, 540, 0, 0},
                {"background2_plane.png", 0, 0, 0, 0}, {"background3_plane.png", 71, 409, 0, 0},
                {"background4_plane.png", 694, 460, 0, 0}, {"background5_plane.png", 822, 210, 0, 0},
                {"grass_plane.png", 40, 584, 4, 1035}, {"Web_level1.png", 0, 0, 2, 0}, robot,
                {"foreground1_plane.png", -5, 183, 0, 0}, {"foreground2_plane.png", 173, 600, 0, 0},
                {"foreground3_plane.png", 816, 696, 0, 0}},
            out_dir + "/scene_5.png");
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 780, 225, 1, 0},
                {"ukraine_back_tree_prt3.png", 864, 55, 0, 0}, {"ukraine_back_prt1.png", 0, 434, 0, 0},
                {"ukraine_back_prt2.png", 714, 271, 0, 0}, {"ukraine_glow.png", 705, 405, 5, 0},
                {"ukraine_front_grass.png", -27, 434, 4, 706}, {"Web_level1.png", 0, 0, 2, 0}, robot,
                {"ukraine_front_prt1.png", 0, 132, 0, 0}, {"ukraine_front_prt2.png", 181, 602, 0, 0}},
            out_dir + "/scene_6.png");
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"menu_prt1.png", 693, 0, 0, 0}, {"menu_prt2.png", 0, 517, 0, 0},
                {"menu_prt3.png", 0, 0, 0, 0}, {"Back_flys_anim.png", 160, 440, 3, 3}, {"Main_menu.png", 360, 0, 0, 0},
                {"player_profile.png", 870, 0, 0, 0}},
            out_dir + "/scene_menu.png");
    // Menus over their backdrop.
    std::vector<Layer> back = {{"back_level_1.jpg", 0, 0, 0, 0}, {"menu_prt1.png", 693, 0, 0, 0}, {"menu_prt2.png", 0, 517, 0, 0},
                               {"menu_prt3.png", 0, 0, 0, 0}, {"Back_flys_anim.png", 160, 440, 3, 3}};
    auto with = [&](std::vector<Layer> extra) {
        std::vector<Layer> v = back;
        v.insert(v.end(), extra.begin(), extra.end());
        return v;
    };
    Compose(m, with({{"options_menu.png", 172, 0, 0, 0}, {"fly_anim_menu.png", 505, 242, 6, 0, 100, 3},
                     {"fly_anim_menu.png", 355, 347, 6, 0, 100, 1}, {"check_options.png", 415, 485, 0, 0},
                     {"window_options.png", 246, 490, 0, 0}, {"game_cursor.png", 300, 520, 0, 0}}),
            out_dir + "/menu_options.png");
    Compose(m, with({{"desk_of_glory.png", 205, 0, 0, 0}, {"score_text.png", 643, 236, 0, 0}, {"score_text.png", 643, 323, 0, 0},
                     {"achivments_glory.png", 620, 193, 5, 0}, {"back_glory.png", 438, 600, 0, 0}}),
            out_dir + "/menu_glory.png");
    Compose(m, with({{"entering_name.png", 190, 0, 0, 0}, {"Carret.jpg", 400, 363, 0, 0}, {"ok_profile.png", 310, 460, 0, 0}}),
            out_dir + "/menu_name.png");
    Compose(m, with({{"choose_profile_menu.png", 255, 0, 0, 0}, {"Delete_profile.png", 662, 320, 0, 0}}), out_dir + "/menu_profiles.png");
    Compose(m, with({{"hardity_menu.png", 198, 0, 0, 0}, {"hard_glow.png", 574, 335, 0, 0}}), out_dir + "/menu_hard.png");
    Compose(m, with({{"credits.png", 200, 0, 0, 0}}), out_dir + "/menu_credits.png");
    Compose(m, with({{"Main_menu.png", 360, 0, 0, 0}, {"NewGame.png", 412, 246, 0, 0}, {"player_profile.png", 945, 25, 7, 0}}),
            out_dir + "/menu_main.png");

    // A level in play: creatures in the web, HUD, a help card and the visor.
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"Sun_lv1.png", 760, 210, 1, 0}, {"menlike_lv2.png", 733, 437, 0, 0},
                {"static_grass_lv2.png", 0, 491, 0, 0}, {"back_tree_l_lv2.png", 0, 0, 0, 0},
                {"back_tree_r_lv2.png", 943, 0, 0, 0}, {"anim_grass_lv2.png", -20, 506, 4, 1024},
                {"Web_level1.png", 0, 0, 2, 0},
                {"fly.png", 420, 290, 6, 0, 52, 2, true}, {"fly_komar.png", 560, 250, 6, 0, 53, 1, true},
                {"fly_butterfly.png", 600, 420, 6, 0, 94, 0, true}, {"cocon.png", 380, 420, 7, 0},
                {"fly_normal_frozen.png", 500, 200, 7, 0}, {"toxic_container.png", 330, 330, 6, 0, 36, 0, true},
                {"flying_spec_up.png", 640, 300, 6, 0, 50, 2}, {"flying_spec_up_ques.png", 665, 323, 7, 0},
                {"spider.png", 470, 380, 6, 0, 226, 3, true}, {"health_fly_empty.png", 402, 262, 0, 0},
                {"health_fly.png", 404, 264, 0, 0}, {"Caution.png", 414, 236, 0, 0},
                {"fly_on_the_tree.png", 332, 617, 6, 0, 145, 0}, {"Tree_lv2_prt1.png", 0, 496, 0, 0},
                {"Tree_lv2_prt2.png", 803, 0, 0, 0},
                {"pricel2.PNG", 402, 652, 0, 0}, {"pricel.PNG", 402, 652, 0, 0},
                {"Termo_norm_pt1.png", 710, 670, 0, 0}, {"Termo_norm_pt2.png", 949, 435, 0, 0},
                {"spec_force_gui.png", 695, 685, 0, 0}, {"weapon_1.png", 697, 689, 0, 0},
                {"spec_force_gui.png", 775, 685, 0, 0}, {"weapon_2_reload.png", 777, 689, 0, 0},
                {"reload_progress.png", 771, 682, 6, 0, 81, 9}, {"spec_force_gui.png", 855, 685, 0, 0},
                {"weapon_3.png", 857, 689, 0, 0}, {"spec_force_gui.png", 935, 685, 0, 0}, {"weapon_6.png", 937, 689, 0, 0},
                {"colling_module.png", 914, 653, 7, 0}, {"colling_module_empty.png", 859, 653, 7, 0},
                {"gui_spider_hunger.png", 45, 100, 0, 0}, {"mesuare_spider_hunger.png", 62, 360, 0, 0},
                {"rip_ingame_gui.png", 20, 648, 0, 0}, {"menu_pause_Ingame.png", 896, 3, 0, 0},
                {"Termo_hot.png", 946, 426, 0, 0}, {"player_pricel.png", 560, 250, 6, 0, 45, 0, true}},
            out_dir + "/play.png");
    Compose(m, {{"back_level_1.jpg", 0, 0, 0, 0}, {"help_back.png", 230, 200, 0, 0}, {"spec_force_gui_shine.png", 255, 223, 0, 0},
                {"weapon_1.png", 266, 236, 0, 0}, {"help_mouse_l.png", 265, 332, 0, 0}, {"help_mouse_r.png", 265, 405, 0, 0},
                {"help_hold.jpg", 253, 455, 0, 0}, {"laser_text_1.jpg", 357, 256, 0, 0}, {"laser_text_2.jpg", 317, 350, 0, 0},
                {"laser_text_3.jpg", 317, 420, 0, 0}, {"help_continue.png", 632, 468, 0, 0},
                {"visor_pt1.png", 175, -72, 0, 0}, {"visor_pt2.png", 737, -72, 0, 0}, {"visor_wheel_anim.png", 546, 232, 6, 0, 40, 0},
                {"visor_door_anim.png", 435, 232, 6, 0, 76, 0}, {"visor_body.png", 230, 45, 0, 0},
                {"visor_screen_anim.png", 586, 74, 6, 0, 122, 0}, {"Visor_continue.png", 583, 234, 0, 0},
                {"visor_text_6.jpg", 243, 58, 0, 0}, {"Visor_continue_glow.png", 599, 238, 0, 0}},
            out_dir + "/help_visor.png");
    Compose(m, {{"Results.png", 435, 183, 0, 0}, {"total_score.png", 300, 260, 0, 0}, {"max_highscore.jpg", 608, 262, 0, 0},
                {"stars_empty.png", 395, 420, 0, 0}, {"stars_progress_podlogka.jpg", 399, 474, 0, 0},
                {"stars_progress.jpg", 400, 474, 0, 0}, {"star_gold.png", 407, 425, 0, 0}, {"star_gold.png", 450, 425, 0, 0},
                {"stars_progress_seperate.png", 441, 474, 0, 0}, {"stars_progres_ramka.png", 395, 474, 0, 0},
                {"Restart_level.png", 255, 550, 0, 0}, {"continue_image.png", 585, 550, 0, 0},
                {"pause_game_im.png", 362, 40, 0, 0}, {"level_completed.png", 380, 640, 0, 0},
                {"Loading.jpg", 426, 700, 0, 0}, {"Oxbeam_logo.png", 270, 100, 0, 0}, {"Oxbeam_logo_part2.png", 365, 265, 0, 0}},
            out_dir + "/results.png");
}

}  // namespace forge
