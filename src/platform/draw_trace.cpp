// Draw-call recording and the per-frame hook.
#include "platform/draw_trace.h"

#include "platform/backend.h"

namespace {
bool g_active = false;
bool g_suspended = false;  // DrawText records itself once, not its dots
std::vector<DrawRecord> g_records;
std::function<void(int64_t)> g_hook;
std::function<void(int64_t)> g_presented_hook;

DrawRecord base_record(const char* op, const std::string& image, int frame, const RenderState& s)
{
    DrawRecord r;
    r.op = op;
    r.image = image;
    r.frame = frame;
    r.color = {s.color_red, s.color_green, s.color_blue};
    r.alpha = s.color_alpha;
    r.blend = s.blend_mode;
    return r;
}
}  // namespace

void SetDrawTraceActive(bool active)
{
    g_active = active;
    g_records.clear();
}

bool DrawTraceActive() { return g_active && !g_suspended; }
void SuspendDrawTrace(bool suspend) { g_suspended = suspend; }
const std::vector<DrawRecord>& TracedDraws() { return g_records; }
void ClearDrawTrace() { g_records.clear(); }
void TraceClear() { g_records.clear(); }

void TraceQuad(const char* op, const std::string& image, int frame, const Vertex* quad, const RenderState& state)
{
    DrawRecord r = base_record(op, image, frame, state);
    for (int i = 0; i < 4; ++i)
        r.quad.push_back({quad[i].x, quad[i].y});
    g_records.push_back(std::move(r));
}

void TracePoly(const std::string& image, int frame, const std::vector<PolyVertex>& corners,
               const RenderState& state)
{
    DrawRecord r = base_record("poly", image, frame, state);
    for (const PolyVertex& c : corners)
        r.quad.push_back({c.x, c.y});
    g_records.push_back(std::move(r));
}

void TraceText(const std::string& text, float x, float y, const RenderState& state)
{
    DrawRecord r = base_record("text", text, 0, state);
    r.quad.push_back({x, y});
    g_records.push_back(std::move(r));
}

void SetFrameHook(std::function<void(int64_t)> hook) { g_hook = std::move(hook); }

void FrameHook(int64_t frame)
{
    if (g_hook)
        g_hook(frame);
}

void SetPresentedHook(std::function<void(int64_t)> hook) { g_presented_hook = std::move(hook); }

void PresentedHook(int64_t presented)
{
    if (g_presented_hook)
        g_presented_hook(presented);
}
