// Timed level events.
#include "world/events.h"

#include <nlohmann/json.hpp>

#include "state/globals.h"
#include "state/lists.h"
#include "world/container.h"
#include "world/fly.h"
#include "world/special.h"

void EventsT::update()
{
    if (level_ticks != time)
        return;
    // The clock reaches a new tick on a frame with tick_frames 0; an event first seen later
    // in its tick (a time of 0, say, already under way when the level starts) goes unfired.
    if (level_running == 1 && tick_frames == 0) {
        if (type_of_event == "Fly")
            FlyT::Create_New(x, y, item_type);
        else if (type_of_event == "SpecUp")
            FlySpecT::Create_New(item_type, fly_time);
        else if (type_of_event == "container")
            ContainerT::Create_New(x, fly_time);
    }
    event_list.remove(this);
}

void EventsT::dump_fields(nlohmann::json& out) const
{
    out["type"] = "EventsT";
    out["time"] = time;
    out["type_of_event"] = type_of_event;
    out["x"] = x;
    out["y"] = y;
    out["item_type"] = item_type;
    out["fly_time"] = fly_time;
    out["zone_alpha"] = zone_alpha;
}
