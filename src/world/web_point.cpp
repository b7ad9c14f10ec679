// Web points.
#include "world/web_point.h"

#include <nlohmann/json.hpp>

#include "state/lists.h"

PointA* PointA::Create_New(int value, int enter_spider)
{
    PointA* p = web_point_list.create();
    p->value = value;
    p->busy = 0;
    p->enter_spider = enter_spider;
    return p;
}

PointA* find_web_point(int fly_id)
{
    PointA* found = nullptr;
    web_point_list.for_each([&](PointA& p) {
        if (!found && p.value == fly_id)
            found = &p;
    });
    return found;
}

void remove_web_point(int fly_id)
{
    if (PointA* p = find_web_point(fly_id))
        web_point_list.remove(p);
}

void PointA::dump_fields(nlohmann::json& out) const
{
    out["type"] = "PointA";
    out["value"] = value;
    out["busy"] = busy;
    out["enter_spider"] = enter_spider;
}
