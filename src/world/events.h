// One timed entry of a level's timetable: at its tick of the level clock a fly arrives, a
// special is released or a container drops. The entry fires once and leaves event_list.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

class EventsT {
public:
    virtual ~EventsT() = default;

    int time = 0;               // level_ticks value at which the event fires
    std::string type_of_event;  // "Fly", "SpecUp" or "container"; anything else does nothing
    int x = 0;                  // screen x, pixels
    int y = 0;                  // screen y, pixels (flies only)
    int item_type = 0;          // kind of fly or special
    int fly_time = 0;           // frames aloft of a special or container
    float zone_alpha = 0;       // carried, never used by the event

    // Per frame, while no visor page is shown: on the first frame of its tick (and only
    // while a level runs) creates its object; at its tick it leaves event_list either way.
    void update();
    void dump_fields(nlohmann::json& out) const;
};

// Reads ".\Levels\Level_" + level + ".dat" (level: the number as text) into event_list.
// A missing file means a level without events; a short file raises StreamError.
// Defined with the other level files in world/level_file.cpp.
void load_level_events(const std::string& level);
