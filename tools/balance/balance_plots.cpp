// Grouped bar charts by level, one bar per series, with axes, grid and a legend.
#include "balance/balance_plots.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include <cairo.h>

namespace balance {
namespace {

struct Series {
    int difficulty;
    std::string skill;
    double r, g, b;
    std::string label() const { return skill + (difficulty == 2 ? " hard" : " normal"); }
};

const Series kSeries[] = {
    {1, "casual", 0.45, 0.70, 0.95},
    {2, "casual", 0.15, 0.35, 0.75},
    {1, "expert", 0.98, 0.68, 0.30},
    {2, "expert", 0.80, 0.20, 0.15},
};

constexpr int kWidth = 1200, kHeight = 520;
constexpr double kLeft = 70, kRight = 20, kTop = 50, kBottom = 60;

void text(cairo_t* cr, double x, double y, const std::string& s, double size, bool centred = false)
{
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_move_to(cr, centred ? x - e.width / 2 - e.x_bearing : x, y);
    cairo_show_text(cr, s.c_str());
}

// One chart: for each level and series, a stack of values (bottom first) drawn as one bar.
// stack_shades darken the upper parts of a stack; labels name them in the legend.
bool chart(const std::string& path, const std::string& title, const std::string& unit, double y_max,
           const std::vector<int>& levels, const std::vector<const Series*>& series,
           const std::function<std::vector<double>(int level, const Series&)>& values,
           const std::vector<std::string>& stack_labels)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);

    const double plot_w = kWidth - kLeft - kRight, plot_h = kHeight - kTop - kBottom;
    auto y_of = [&](double v) { return kTop + plot_h * (1 - std::clamp(v / y_max, 0.0, 1.0)); };

    // Grid and the value axis.
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 5; ++i) {
        double v = y_max * i / 5, y = y_of(v);
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, kLeft, y);
        cairo_line_to(cr, kLeft + plot_w, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        char label[32];
        std::snprintf(label, sizeof label, y_max <= 5 ? "%.1f" : "%.0f", v);
        text(cr, 8, y + 4, label, 11);
    }
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    text(cr, kWidth / 2.0, 28, title, 17, true);
    text(cr, 8, kTop - 12, unit, 11);

    const double slot = plot_w / std::max<size_t>(1, levels.size());
    const double bar = slot * 0.8 / std::max<size_t>(1, series.size());
    for (size_t li = 0; li < levels.size(); ++li) {
        double x0 = kLeft + slot * li + slot * 0.1;
        for (size_t si = 0; si < series.size(); ++si) {
            std::vector<double> stack = values(levels[li], *series[si]);
            double base = 0;
            for (size_t k = 0; k < stack.size(); ++k) {
                double shade = 1.0 - 0.28 * static_cast<double>(k);
                cairo_set_source_rgb(cr, series[si]->r * shade, series[si]->g * shade, series[si]->b * shade);
                double top = y_of(base + stack[k]), bottom = y_of(base);
                cairo_rectangle(cr, x0 + bar * si, top, bar - 1, bottom - top);
                cairo_fill(cr);
                base += stack[k];
            }
        }
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        text(cr, kLeft + slot * (li + 0.5), kTop + plot_h + 16, std::to_string(levels[li]), 11, true);
    }
    text(cr, kWidth / 2.0, kTop + plot_h + 34, "level", 12, true);

    // Legend: the series, then what the shades of a stack mean.
    double lx = kLeft;
    const double ly = kHeight - 14;
    for (const Series* s : series) {
        cairo_set_source_rgb(cr, s->r, s->g, s->b);
        cairo_rectangle(cr, lx, ly - 10, 12, 12);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        text(cr, lx + 16, ly, s->label(), 12);
        lx += 140;
    }
    if (stack_labels.size() > 1) {
        std::string parts = "stacked, bottom to top, darker upward: ";
        for (size_t k = 0; k < stack_labels.size(); ++k)
            parts += (k ? ", " : "") + stack_labels[k];
        text(cr, lx + 20, ly, parts, 12);
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace

std::vector<std::string> WritePlots(const std::map<GroupKey, Group>& groups, const std::string& dir)
{
    std::vector<int> levels;
    std::vector<const Series*> series;
    double max_total = 10, max_seconds = 10;
    for (const auto& [key, g] : groups) {
        if (std::find(levels.begin(), levels.end(), g.level) == levels.end())
            levels.push_back(g.level);
        max_total = std::max(max_total, g.total);
        max_seconds = std::max(max_seconds, g.seconds);
    }
    std::sort(levels.begin(), levels.end());
    for (const Series& s : kSeries) {
        bool present = std::any_of(groups.begin(), groups.end(), [&](const auto& kv) {
            return kv.second.difficulty == s.difficulty && kv.second.skill == s.skill;
        });
        if (present)
            series.push_back(&s);
    }
    auto group = [&](int level, const Series& s) -> const Group* {
        auto it = groups.find({level, s.difficulty, s.skill});
        return it == groups.end() ? nullptr : &it->second;
    };
    auto round_up = [](double v) { return std::ceil(v / 50) * 50; };

    std::vector<std::string> written;
    auto add = [&](const std::string& name, bool ok) {
        if (ok)
            written.push_back(dir + "/" + name);
    };
    add("balance_win_rate.png",
        chart(dir + "/balance_win_rate.png", "Levels won by the bot", "% won", 100, levels, series,
              [&](int l, const Series& s) {
                  const Group* g = group(l, s);
                  return std::vector<double> {g ? g->win_rate() : 0};
              },
              {}));
    add("balance_stars.png", chart(dir + "/balance_stars.png", "Stars earned (mean over won games)", "stars", 5,
                                   levels, series,
                                   [&](int l, const Series& s) {
                                       const Group* g = group(l, s);
                                       return std::vector<double> {g ? g->stars : 0};
                                   },
                                   {}));
    add("balance_score.png",
        chart(dir + "/balance_score.png", "Score parts (mean over won games)", "points", round_up(max_total), levels,
              series,
              [&](int l, const Series& s) {
                  const Group* g = group(l, s);
                  return g ? std::vector<double> {g->main_score, g->time_bonus, g->tactic_bonus}
                           : std::vector<double> {0, 0, 0};
              },
              {"flies", "time", "tactic"}));
    add("balance_length.png", chart(dir + "/balance_length.png", "Level length (mean over decided games)", "seconds",
                                    round_up(max_seconds), levels, series,
                                    [&](int l, const Series& s) {
                                        const Group* g = group(l, s);
                                        return std::vector<double> {g ? g->seconds : 0};
                                    },
                                    {}));
    return written;
}

}  // namespace balance
