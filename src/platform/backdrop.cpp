#include "platform/backdrop.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

PixelRect united(const PixelRect& a, const PixelRect& b)
{
    if (a.area() == 0)
        return b;
    if (b.area() == 0)
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

}  // namespace

void DrawLog::clear()
{
    draws_.clear();
    vertices_.clear();
}

void DrawLog::add(uint32_t texture, int blend, const Vertex* vertices, int count)
{
    draws_.push_back({texture, blend, vertices_.size(), count});
    vertices_.insert(vertices_.end(), vertices, vertices + count);
}

void DrawLog::assign_prefix(const DrawLog& from, int n)
{
    n = std::clamp(n, 0, from.size());
    draws_.assign(from.draws_.begin(), from.draws_.begin() + n);
    const size_t vertices = n ? from.draws_[n - 1].first + from.draws_[n - 1].count : 0;
    vertices_.assign(from.vertices_.begin(), from.vertices_.begin() + static_cast<std::ptrdiff_t>(vertices));
}

bool DrawLog::same(int i, const DrawLog& other) const
{
    const Draw& a = draws_[i];
    const Draw& b = other.draws_[i];
    return a.texture == b.texture && a.blend == b.blend && a.count == b.count &&
           std::memcmp(vertices(i), other.vertices(i), sizeof(Vertex) * a.count) == 0;
}

PixelRect DrawLog::bounds(int i, int width, int height) const
{
    const Draw& d = draws_[i];
    const Vertex* v = vertices(i);
    if (d.count == 0)
        return {};
    for (int k = 0; k < d.count; ++k)
        if (!std::isfinite(v[k].x) || !std::isfinite(v[k].y))
            return {0, 0, width, height};
    float x0 = v[0].x, y0 = v[0].y, x1 = v[0].x, y1 = v[0].y;
    for (int k = 1; k < d.count; ++k) {
        x0 = std::min(x0, v[k].x), y0 = std::min(y0, v[k].y);
        x1 = std::max(x1, v[k].x), y1 = std::max(y1, v[k].y);
    }
    // Clamped to just off the screen before turning into integers.
    auto pixel = [](float f, int limit) { return static_cast<int>(std::clamp(f, -2.0f, limit + 2.0f)); };
    const PixelRect r {std::max(0, pixel(std::floor(x0), width) - 1), std::max(0, pixel(std::floor(y0), height) - 1),
                       std::min(width, pixel(std::ceil(x1), width) + 1),
                       std::min(height, pixel(std::ceil(y1), height) + 1)};
    return r.area() ? r : PixelRect {};
}

bool DrawLog::uses(uint32_t texture) const
{
    return std::any_of(draws_.begin(), draws_.end(), [&](const Draw& d) { return d.texture == texture; });
}

int backdrop_length(const DrawLog& before, const DrawLog& now, const BackdropRules& rules)
{
    PixelRect changed;
    int64_t covered = 0, covered_kept = 0;
    int kept = 0;
    const int n = std::min(before.size(), now.size());
    for (int i = 0; i < n; ++i) {
        const PixelRect here = now.bounds(i, rules.width, rules.height);
        const bool same = now.same(i, before);
        if (!same) {
            const PixelRect grown = united(united(changed, here), before.bounds(i, rules.width, rules.height));
            if (grown.area() > rules.most_changed)
                break;
            changed = grown;
        }
        covered += here.area();
        if (same)
            kept = i + 1, covered_kept = covered;
    }
    return covered_kept >= rules.least_kept ? kept : 0;
}

std::optional<PixelRect> backdrop_damage(const DrawLog& kept, const DrawLog& now, const BackdropRules& rules)
{
    if (now.size() < kept.size())
        return std::nullopt;
    PixelRect changed;
    for (int i = 0; i < kept.size(); ++i) {
        if (now.same(i, kept))
            continue;
        changed = united(united(changed, now.bounds(i, rules.width, rules.height)),
                         kept.bounds(i, rules.width, rules.height));
        if (changed.area() > rules.most_changed)
            return std::nullopt;
    }
    return changed;
}

void BackdropKeeper::begin_frame(bool enabled)
{
    frame_.clear();
    logging_ = enabled;
    if (!logging_)
        forget();
    state_ = kept_valid_ ? State::kDeferring : keep_next_ > 0 ? State::kKeeping : State::kLogging;
}

void BackdropKeeper::draw(BackdropCanvas& canvas, uint32_t texture, int blend, const Vertex* vertices, int count)
{
    if (logging_) {
        frame_.add(texture, blend, vertices, count);
        if (state_ == State::kDeferring) {
            if (frame_.size() <= kept_.size())
                return;  // drawn once it is known whether they all came again
            settle(canvas);
        }
    }
    canvas.draw_now(texture, blend, vertices, count);
    if (state_ == State::kKeeping && frame_.size() == keep_next_) {
        state_ = State::kLogging;
        canvas.keep_screen();
        kept_.assign_prefix(frame_, keep_next_);
        kept_valid_ = true;
    }
}

void BackdropKeeper::settle(BackdropCanvas& canvas)
{
    if (state_ != State::kDeferring)
        return;
    state_ = State::kLogging;
    const auto changed = backdrop_damage(kept_, frame_, rules_);
    if (!changed) {
        kept_valid_ = false;
        const int n = std::min(kept_.size(), frame_.size());
        for (int i = 0; i < n; ++i)
            canvas.draw_now(frame_.texture(i), frame_.blend(i), frame_.vertices(i), frame_.count(i));
        return;
    }
    canvas.restore_screen();
    ++reuses_;
    if (changed->area() == 0)
        return;
    canvas.clip_to(*changed);
    for (int i = 0; i < kept_.size(); ++i)
        canvas.draw_now(frame_.texture(i), frame_.blend(i), frame_.vertices(i), frame_.count(i));
    canvas.clip_to({0, 0, rules_.width, rules_.height});
}

void BackdropKeeper::end_frame()
{
    if (!logging_)
        return;
    keep_next_ = kept_valid_ ? 0 : backdrop_length(last_frame_, frame_, rules_);
    std::swap(last_frame_, frame_);
    frame_.clear();
    logging_ = false;  // until the next frame starts with a clear
    state_ = State::kLogging;
}

void BackdropKeeper::forget()
{
    kept_valid_ = false;
    keep_next_ = 0;
    kept_.clear();
    last_frame_.clear();
    state_ = State::kLogging;
}
